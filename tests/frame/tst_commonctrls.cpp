#include <CommonCtrls.h>
#include <UxProductInfo.h>
#include <UxResourceMgr.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

const QString kSwitchKey = QStringLiteral("NoUserDpiChange");

void setSwitch(const QString &text)
{
    UxProductInfo::instance()->setExtendParam(kSwitchKey, text);
}

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// What getGifPath leaves in its scale argument.
enum class ScaleOut { Untouched, One, PixelRatio };

} // namespace

Q_DECLARE_METATYPE(ScaleOut)

class TestCommonCtrls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void zoomSwitch_data();
    void zoomSwitch();
    void adjustedLengths_data();
    void adjustedLengths();
    void adjustedRectKeepsTopLeft();
    void hostChangesShowAtNextCall();
    void imagePathByDpi_data();
    void imagePathByDpi();
    void gifPathScale_data();
    void gifPathScale();
    void loadedImages_data();
    void loadedImages();

private:
    double m_ratio = 1.0;
    QTemporaryDir m_files;
};

void TestCommonCtrls::initTestCase()
{
    m_ratio = qGuiApp->devicePixelRatio();
    const QByteArray scaleFactor = qgetenv("QT_SCALE_FACTOR");
    if (!scaleFactor.isEmpty())
        QCOMPARE(m_ratio, scaleFactor.toDouble());

    QVERIFY(CommonCtrls::g_bMediaShowTooptip);
    // Before the host sets anything: zoom 1.0, and the switch (never set) is off.
    QCOMPARE(UxResourceMgr::getZoomDPI(), 1.0);
    UxResourceMgr::setZoomDPI(1.5);
    QCOMPARE(CommonCtrls::getDpi(), 1.5);
    QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(20, 10)), QSize(15, 7));

    QVERIFY(m_files.isValid());
    QVERIFY(QDir::setCurrent(m_files.path())); // image paths below are relative
    for (const char *path : {"a/b.png", "a/b@2x.png", "c.png", ".png", "@2x.png", "dir.d/file",
                             "dir@2x.d/file", "dir.e/file", "noext", "x.tar.gz", "x.tar@2x.gz"})
        touch(QString::fromLatin1(path));
}

void TestCommonCtrls::cleanup()
{
    UxResourceMgr::setZoomDPI(1.0);
    setSwitch(QStringLiteral("0"));
}

void TestCommonCtrls::zoomSwitch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("switchedOff");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("01") << "01" << true;
    QTest::newRow("blanks around 1") << " 1 " << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("2") << "2" << false;
    QTest::newRow("-1") << "-1" << false;
    QTest::newRow("yes") << "yes" << false;
    QTest::newRow("1.0 is not an integer") << "1.0" << false;
    QTest::newRow("hex 0x1 is not base 10") << "0x1" << false;
}

// With the switch on, getDpi reports 1.0 but lengths stay at full artwork scale.
void TestCommonCtrls::zoomSwitch()
{
    QFETCH(QString, text);
    QFETCH(bool, switchedOff);
    UxResourceMgr::setZoomDPI(1.5);
    setSwitch(text);

    QCOMPARE(CommonCtrls::getDpi(), switchedOff ? 1.0 : 1.5);
    QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(21, 11)), switchedOff ? QSize(21, 11) : QSize(15, 8));
    QCOMPARE(CommonCtrls::RectAdujstDpi(QRect(5, 5, 21, 11)),
             switchedOff ? QRect(5, 5, 21, 11) : QRect(5, 5, 15, 8));
    QCOMPARE(CommonCtrls::MarginsAdujstDpi(QMargins(4, 3, 2, 1)),
             switchedOff ? QMargins(4, 3, 2, 1) : QMargins(3, 2, 1, 0));
}

void TestCommonCtrls::adjustedLengths_data()
{
    const int intMax = std::numeric_limits<int>::max();
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expected");
    QTest::newRow("zoom 1.0 halves") << 1.0 << 20 << 10;
    QTest::newRow("zoom 1.25") << 1.25 << 20 << 12;
    QTest::newRow("zoom 1.5") << 1.5 << 20 << 15;
    QTest::newRow("zoom 2.0 keeps") << 2.0 << 20 << 20;
    QTest::newRow("odd length truncates") << 1.0 << 15 << 7;
    QTest::newRow("negative truncates toward zero") << 1.0 << -3 << -1;
    QTest::newRow("one pixel vanishes") << 1.0 << 1 << 0;
    QTest::newRow("zoom 0") << 0.0 << 50 << 0;
    QTest::newRow("negative zoom") << -1.0 << 20 << -10;
    QTest::newRow("largest length") << 1.0 << intMax << intMax / 2;
    QTest::newRow("huge zoom saturates") << 1e300 << 20 << intMax;
    QTest::newRow("NaN zoom gives 0") << std::numeric_limits<double>::quiet_NaN() << 20 << 0;
}

void TestCommonCtrls::adjustedLengths()
{
    QFETCH(double, zoom);
    QFETCH(int, length);
    QFETCH(int, expected);
    UxResourceMgr::setZoomDPI(zoom);

    QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(length, length)), QSize(expected, expected));
    const QMargins margins =
        CommonCtrls::MarginsAdujstDpi(QMargins(length, length, length, length));
    QCOMPARE(margins, QMargins(expected, expected, expected, expected));
    const QRect rect = CommonCtrls::RectAdujstDpi(QRect(0, 0, length, length));
    QCOMPARE(rect.width(), expected);
    QCOMPARE(rect.height(), expected);
}

void TestCommonCtrls::adjustedRectKeepsTopLeft()
{
    const QRect rect = CommonCtrls::RectAdujstDpi(QRect(5, 5, 21, 11));
    QCOMPARE(rect, QRect(5, 5, 10, 5));
    QCOMPARE(rect.right(), 14);
    QCOMPARE(rect.bottom(), 9);

    // A rectangle far out keeps its corner; the right edge saturates instead of wrapping.
    UxResourceMgr::setZoomDPI(4.0);
    const int intMax = std::numeric_limits<int>::max();
    const QRect far = CommonCtrls::RectAdujstDpi(QRect(intMax - 10, -7, 10, 4));
    QCOMPARE(far.topLeft(), QPoint(intMax - 10, -7));
    QCOMPARE(far.right(), intMax);
    QCOMPARE(far.bottom(), 0);
}

// Nothing is cached: the parameter and the zoom factor are read at every call.
void TestCommonCtrls::hostChangesShowAtNextCall()
{
    UxResourceMgr::setZoomDPI(1.25);
    QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(40, 40)), QSize(25, 25));
    setSwitch(QStringLiteral("1"));
    QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(40, 40)), QSize(40, 40));
    setSwitch(QString());
    UxResourceMgr::setZoomDPI(3.0);
    QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(40, 40)), QSize(60, 60));
    QCOMPARE(CommonCtrls::getDpi(), 3.0);
}

void TestCommonCtrls::imagePathByDpi_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("atRatio1");
    QTest::addColumn<QString>("aboveRatio1");
    QTest::newRow("variant present") << "a/b.png"
                                     << "a/b.png"
                                     << "a/b@2x.png";
    QTest::newRow("variant missing") << "c.png"
                                     << "c.png"
                                     << "c.png";
    QTest::newRow("neither file") << "missing.png"
                                  << "missing.png"
                                  << "missing.png";
    QTest::newRow("only dot at index 0") << ".png"
                                         << ".png"
                                         << ".png";
    QTest::newRow("dot in directory, variant present") << "dir.d/file"
                                                       << "dir.d/file"
                                                       << "dir@2x.d/file";
    QTest::newRow("dot in directory, variant missing") << "dir.e/file"
                                                       << "dir.e/file"
                                                       << "dir.e/file";
    QTest::newRow("no dot") << "noext"
                            << "noext"
                            << "noext";
    QTest::newRow("suffix goes before the last dot") << "x.tar.gz"
                                                     << "x.tar.gz"
                                                     << "x.tar@2x.gz";
}

void TestCommonCtrls::imagePathByDpi()
{
    QFETCH(QString, path);
    QFETCH(QString, atRatio1);
    QFETCH(QString, aboveRatio1);
    QCOMPARE(CommonCtrls::getImagePathByDpi(path), m_ratio > 1.0 ? aboveRatio1 : atRatio1);
    // The zoom switch plays no part in the choice.
    setSwitch(QStringLiteral("1"));
    QCOMPARE(CommonCtrls::getImagePathByDpi(path), m_ratio > 1.0 ? aboveRatio1 : atRatio1);
}

void TestCommonCtrls::gifPathScale_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ScaleOut>("atRatio1");
    QTest::addColumn<ScaleOut>("aboveRatio1");
    QTest::newRow("variant present") << "a/b.png" << ScaleOut::Untouched << ScaleOut::PixelRatio;
    QTest::newRow("variant missing") << "c.png" << ScaleOut::Untouched << ScaleOut::One;
    QTest::newRow("neither file") << "missing.png" << ScaleOut::One << ScaleOut::One;
    QTest::newRow("no dot") << "noext" << ScaleOut::Untouched << ScaleOut::Untouched;
}

void TestCommonCtrls::gifPathScale()
{
    QFETCH(QString, path);
    QFETCH(ScaleOut, atRatio1);
    QFETCH(ScaleOut, aboveRatio1);
    const double callersScale = 7.0;
    double scale = callersScale;
    const QString chosen = CommonCtrls::getGifPath(path, scale);

    QCOMPARE(chosen, CommonCtrls::getImagePathByDpi(path));
    switch (m_ratio > 1.0 ? aboveRatio1 : atRatio1) {
    case ScaleOut::Untouched:
        QCOMPARE(scale, callersScale);
        break;
    case ScaleOut::One:
        QCOMPARE(scale, 1.0);
        break;
    case ScaleOut::PixelRatio:
        QCOMPARE(scale, m_ratio); // the ratio itself, 1.5 as well as 2
        break;
    }
}

void TestCommonCtrls::loadedImages_data()
{
    QTest::addColumn<QSize>("fileSize");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QString>("switchText");
    QTest::addColumn<QSize>("expected"); // empty: a null picture
    QTest::newRow("zoom 1.0") << QSize(21, 11) << 1.0 << "" << QSize(10, 5);
    QTest::newRow("zoom 1.5") << QSize(40, 20) << 1.5 << "" << QSize(30, 15);
    QTest::newRow("zoom 2.0") << QSize(21, 11) << 2.0 << "" << QSize(21, 11);
    QTest::newRow("switch on keeps artwork size") << QSize(21, 11) << 1.0 << "1" << QSize(21, 11);
    QTest::newRow("1 pixel wide scales to nothing") << QSize(1, 10) << 1.0 << "" << QSize();
    QTest::newRow("missing file") << QSize() << 1.0 << "" << QSize();
}

void TestCommonCtrls::loadedImages()
{
    QFETCH(QSize, fileSize);
    QFETCH(double, zoom);
    QFETCH(QString, switchText);
    QFETCH(QSize, expected);
    const QColor colour(30, 160, 90);
    QString path = QStringLiteral("absent.png");
    if (fileSize.isValid()) {
        path = QStringLiteral("solid_%1x%2.png").arg(fileSize.width()).arg(fileSize.height());
        QImage file(fileSize, QImage::Format_ARGB32);
        file.fill(colour);
        QVERIFY(file.save(path));
    }
    UxResourceMgr::setZoomDPI(zoom);
    setSwitch(switchText);

    const QPixmap pixmap = CommonCtrls::getPixmapFromString(path);
    const QImage image = CommonCtrls::getImageFromString(path);
    QCOMPARE(pixmap.isNull(), expected.isEmpty());
    QCOMPARE(image.isNull(), expected.isEmpty());
    if (expected.isEmpty())
        return;
    QCOMPARE(pixmap.size(), expected);
    QCOMPARE(image.size(), expected);
    QCOMPARE(image.pixelColor(expected.width() / 2, expected.height() / 2), colour);
}

QTEST_MAIN(TestCommonCtrls)
#include "tst_commonctrls.moc"
