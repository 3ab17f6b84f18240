#include <CommonCtrls.h>
#include <UxProductInfo.h>
#include <UxResourceMgr.h>

#include "support/TestArtwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QtTest>

#include <climits>
#include <limits>

namespace {

void setSwitch(const QString &text)
{
    UxProductInfo::instance()->setExtendParam(QStringLiteral("NoUserDpiChange"), text);
}

enum class Scale { Untouched, One, PixelRatio }; // what getGifPath leaves in its argument

// An expected length for a product past int: it saturates, at least the length and
// never wrapped below it.
const int kSaturates = std::numeric_limits<int>::min();

} // namespace

Q_DECLARE_METATYPE(Scale)

class TestCommonCtrls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_ratio = qGuiApp->devicePixelRatio();
        if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
            QCOMPARE(m_ratio, qgetenv("QT_SCALE_FACTOR").toDouble()); // the variant took effect
        QVERIFY(CommonCtrls::g_bMediaShowTooptip);
        QCOMPARE(UxResourceMgr::getZoomDPI(), 1.0);
        UxResourceMgr::setZoomDPI(1.5); // the switch was never set: scaling applies
        QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(20, 10)), QSize(15, 7));

        QVERIFY(QDir::setCurrent(m_files.path("."))); // the image paths below are relative
        for (const char *path : {"a/b.png", "a/b@2x.png", "c.png", ".png", "@2x.png", "dir.d/file",
                                 "dir@2x.d/file", "noext", "x.tar.gz", "x.tar@2x.gz"}) {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    void cleanup()
    {
        UxResourceMgr::setZoomDPI(1.0);
        setSwitch(QStringLiteral("0"));
    }

    void zoomSwitch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("off");
        for (const char *on : {"1", "01", " 1 "})
            QTest::newRow(on) << on << true;
        for (const char *off : {"", "0", "2", "yes", "1.0"})
            QTest::newRow(off) << off << false;
    }

    // Switched off, getDpi reports 1.0 but lengths stay at full artwork scale.
    void zoomSwitch()
    {
        QFETCH(QString, text);
        QFETCH(bool, off);
        UxResourceMgr::setZoomDPI(1.5);
        setSwitch(text);
        QCOMPARE(CommonCtrls::getDpi(), off ? 1.0 : 1.5);
        QCOMPARE(CommonCtrls::SizeAdujstDpi(QSize(21, 11)), off ? QSize(21, 11) : QSize(15, 8));
        QCOMPARE(CommonCtrls::RectAdujstDpi(QRect(5, 5, 21, 11)),
                 off ? QRect(5, 5, 21, 11) : QRect(5, 5, 15, 8));
        QCOMPARE(CommonCtrls::MarginsAdujstDpi(QMargins(4, 3, 2, 1)),
                 off ? QMargins(4, 3, 2, 1) : QMargins(3, 2, 1, 0));
    }

    void adjustedLengths_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("expected");
        QTest::newRow("1.0 halves, truncating") << 1.0 << 21 << 10;
        QTest::newRow("1.25") << 1.25 << 20 << 12;
        QTest::newRow("1.5") << 1.5 << 20 << 15;
        QTest::newRow("2.0 keeps") << 2.0 << 20 << 20;
        QTest::newRow("negative toward zero") << 1.0 << -3 << -1;
        QTest::newRow("huge zoom saturates") << 1e300 << 20 << kSaturates;
        QTest::newRow("NaN zoom gives 0") << std::numeric_limits<double>::quiet_NaN() << 20 << 0;
    }

    void adjustedLengths()
    {
        QFETCH(double, zoom);
        QFETCH(int, length);
        QFETCH(int, expected);
        UxResourceMgr::setZoomDPI(zoom);
        const QSize size = CommonCtrls::SizeAdujstDpi(QSize(length, length));
        const QMargins margins = CommonCtrls::MarginsAdujstDpi(QMargins(length, 0, 0, length));
        const QRect rect = CommonCtrls::RectAdujstDpi(QRect(7, -2, length, length));
        QCOMPARE(rect.topLeft(), QPoint(7, -2));
        QCOMPARE(size.width(), size.height());
        QCOMPARE(margins, QMargins(size.width(), 0, 0, size.width()));
        QCOMPARE(rect.height(), size.width());
        if (expected == kSaturates)
            QVERIFY2(size.width() >= length, qPrintable(QString::number(size.width())));
        else
            QCOMPARE(size.width(), expected);
        // A rectangle wider than int scales too; at zooms of 1 and more its width saturates
        // and never wraps to an empty or negative one.
        const QRect wide =
            CommonCtrls::RectAdujstDpi(QRect(QPoint(INT_MIN, 0), QPoint(INT_MAX, 0)));
        const qint64 wideWidth = wide.right() - qint64(wide.left()) + 1;
        QVERIFY(std::isnan(zoom) || (wideWidth > 0 && wideWidth <= INT_MAX));
    }

    void imagePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("aboveRatio1"); // at ratio 1 the path itself
        QTest::addColumn<Scale>("scaleAtRatio1");
        QTest::addColumn<Scale>("scaleAboveRatio1");
        const auto row = [](const char *tag, const char *path, const char *above, Scale at1,
                            Scale aboveScale) {
            QTest::newRow(tag) << QString(path) << QString(above) << at1 << aboveScale;
        };
        const Scale untouched = Scale::Untouched, one = Scale::One, ratio = Scale::PixelRatio;
        row("variant present", "a/b.png", "a/b@2x.png", untouched, ratio);
        row("variant missing", "c.png", "c.png", untouched, one);
        row("neither file", "missing.png", "missing.png", one, one);
        row("only dot at index 0", ".png", ".png", untouched, untouched);
        row("dot in a directory", "dir.d/file", "dir@2x.d/file", untouched, ratio);
        row("no dot", "noext", "noext", untouched, untouched);
        row("before the last dot", "x.tar.gz", "x.tar@2x.gz", untouched, ratio);
    }

    void imagePaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, aboveRatio1);
        QFETCH(Scale, scaleAtRatio1);
        QFETCH(Scale, scaleAboveRatio1);
        const bool above = m_ratio > 1.0;
        setSwitch(QStringLiteral("1")); // plays no part in the choice
        QCOMPARE(CommonCtrls::getImagePathByDpi(path), above ? aboveRatio1 : path);
        double scale = 7.0;
        QCOMPARE(CommonCtrls::getGifPath(path, scale), above ? aboveRatio1 : path);
        const Scale expected = above ? scaleAboveRatio1 : scaleAtRatio1;
        QCOMPARE(scale, expected == Scale::Untouched ? 7.0
                        : expected == Scale::One     ? 1.0
                                                     : m_ratio);
    }

    void loadedImages_data()
    {
        QTest::addColumn<QSize>("fileSize"); // invalid: no file
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QSize>("expected"); // empty: a null picture
        QTest::newRow("zoom 1.0") << QSize(21, 11) << 1.0 << QSize(10, 5);
        QTest::newRow("zoom 1.5") << QSize(40, 20) << 1.5 << QSize(30, 15);
        QTest::newRow("1 pixel wide scales to nothing") << QSize(1, 10) << 1.0 << QSize();
        QTest::newRow("missing file") << QSize() << 1.0 << QSize();
        QTest::newRow("zoom 1e300: refused") << QSize(21, 11) << 1e300 << QSize();
        QTest::newRow("16384 pixels a side") << QSize(2, 16384) << 2.0 << QSize(2, 16384);
        QTest::newRow("past 16384 a side: refused") << QSize(2, 1640) << 20.0 << QSize();
        QTest::newRow("past 64 megapixels: refused") << QSize(820, 820) << 20.0 << QSize();
    }

    void loadedImages()
    {
        QFETCH(QSize, fileSize);
        QFETCH(double, zoom);
        QFETCH(QSize, expected);
        const QColor colour(30, 160, 90);
        const QString path =
            QStringLiteral("solid_%1x%2.png").arg(fileSize.width()).arg(fileSize.height());
        if (fileSize.isValid())
            m_files.save(path, TestArtwork::solid(fileSize, colour));
        UxResourceMgr::setZoomDPI(zoom);
        const QPixmap pixmap = CommonCtrls::getPixmapFromString(path);
        const QImage image = CommonCtrls::getImageFromString(path);
        QCOMPARE(pixmap.isNull(), expected.isEmpty());
        QCOMPARE(image.isNull(), expected.isEmpty());
        if (expected.isEmpty())
            return;
        QCOMPARE(pixmap.size(), expected);
        QCOMPARE(image.pixelColor(expected.width() / 2, expected.height() / 2), colour);
    }

private:
    double m_ratio = 1.0;
    ArtworkFolder m_files;
};

QTEST_MAIN(TestCommonCtrls)
#include "tst_commonctrls.moc"
