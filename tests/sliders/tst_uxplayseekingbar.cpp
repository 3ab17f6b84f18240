#include <UxPlaySeekingBar.h>
#include <UxResourceMgr.h>

#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

namespace {

// A 200-pixel bar over 0..100 whose groove fills it.
class Probe : public UxPlaySeekingBar
{
public:
    using UxPlaySeekingBar::pixelPosToRangeValue;
    using UxPlaySeekingBar::rangeValueToPixelPos;
    explicit Probe(bool vertical = false)
    {
        setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
        setRange(0, 100);
        resize(vertical ? QSize(24, 200) : QSize(200, 24));
    }
};

enum Mode { OuterClicks = 1, ShowOnly = 2 };

struct ClickCase
{
    int mode, usableMin, usableMax, target;
    bool jumps;
};

// A 40 x 10 image: solid red, or a gradient (blue 0 or 200) that shows any slicing fault.
QString art(const QTemporaryDir &dir, const char *name, int blue = -1)
{
    QImage image(40, 10, QImage::Format_RGB32);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 10; ++y)
            image.setPixel(x, y, blue < 0 ? qRgb(255, 0, 0) : qRgb(x * 6, y * 25, blue));
    image.save(dir.filePath(name));
    return dir.filePath(name);
}

// A show-only bar over usable 0..100 (no handle over the image), artwork at its own size.
void trimmed(Probe &bar, const QString &image, const char *margin = "2,2,2,2")
{
    UxResourceMgr::setZoomDPI(2.0);
    bar.setTrimRangeShowOnly(true);
    bar.setUsableRange(0, 100);
    bar.setTrimRangeImage(image);
    bar.setTrimRangeMargin(margin);
}

} // namespace

Q_DECLARE_METATYPE(ClickCase)

class TestPlaySeekingBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        qApp->setStyleSheet("QSlider::groove:horizontal { margin: 0px; height: 8px; }"
                            "QSlider::groove:vertical { margin: 0px; width: 8px; }");
    }

    // One text set as both the margin (over 1,2,3,4) and the outer space (over 7,9): four
    // parts and two parts apply, other counts change nothing, non-numbers count 0.
    void packedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("margin");
        QTest::addColumn<QString>("outer");
        const auto row = [](const char *text, const char *margin, const char *outer) {
            QTest::newRow(text) << QString(text) << QString(margin) << QString(outer);
        };
        row("4,6,8,9", "4,6,8,9", "7,9");
        row("10,12", "1,2,3,4", "10,12");
        row("4,6,4,6,1", "1,2,3,4", "7,9");
        row("4,,4,", "4,0,4,0", "7,9");
        row("a,2,b,4", "0,2,0,4", "7,9");
        row("x,5", "1,2,3,4", "0,5");
    }
    void packedTexts()
    {
        QFETCH(QString, text);
        UxPlaySeekingBar bar;
        bar.setTrimRangeMargin(QStringLiteral("1,2,3,4"));
        bar.setGrooveOutterSpace(QStringLiteral("7,9"));
        bar.setTrimRangeMargin(text);
        bar.setGrooveOutterSpace(text);
        QTEST(bar.trimRangeMargin(), "margin");
        QTEST(QStringLiteral("%1,%2").arg(bar.grooveMinOutter()).arg(bar.grooveMaxOutter()),
              "outer");
    }

    // Outer spaces 10,20 keep the range off the first 10 and last 20 groove pixels from the
    // left (top); pixels outside give the ends. The bar stands at 50,50 on the screen; far
    // off it, pixels and values saturate.
    void outerSpaces_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QPoint>("pixels");  // of the minimum and the maximum
        QTest::addColumn<QString>("values"); // at INT_MIN, -5, 0, 10, 180, 199, 230, INT_MAX
        const char *up = "0 0 0 0 100 100 100 100", *down = "100 100 100 100 0 0 0 0";
        QTest::newRow("horizontal") << false << false << "10,20" << QPoint(10, 180) << up;
        QTest::newRow("horizontal inverted") << false << true << "10,20" << QPoint(180, 10) << down;
        QTest::newRow("vertical") << true << false << "10,20" << QPoint(180, 10) << down;
        QTest::newRow("INT_MAX") << false << false << "2147483647,2147483647"
                                 << QPoint(INT_MAX, INT_MAX) << "0 0 0 0 0 0 0 0";
        QTest::newRow("INT_MIN") << false << false << "-2147483648,-2147483648"
                                 << QPoint(INT_MIN, INT_MAX) << "0 50 50 50 50 50 50 100";
    }
    void outerSpaces()
    {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        QFETCH(QString, outer);
        QFETCH(QPoint, pixels);
        Probe bar(vertical);
        bar.move(50, 50);
        bar.setInvertedAppearance(inverted);
        bar.setGrooveOutterSpace(outer);
        QCOMPARE(QPoint(bar.rangeValueToPixelPos(0), bar.rangeValueToPixelPos(100)), pixels);
        QCOMPARE(bar.calcGlobalPosByValue(100), int(qMin<qint64>(INT_MAX, pixels.y() + 50LL)));
        QStringList seen;
        for (qint64 pixel :
             {qint64(INT_MIN) - 50, -5LL, 0LL, 10LL, 180LL, 199LL, 230LL, INT_MAX - 50LL})
            seen << QString::number(bar.calcValueByGlobalPos(QPoint(pixel + 50, pixel + 50)));
        QTEST(seen.join(' '), "values");
    }

    // A left click on a value's pixel from value 50, then a press on the handle, which
    // drags also outside the usable range unless the bar only shows.
    void clicks_data()
    {
        QTest::addColumn<ClickCase>("c");
        QTest::newRow("below the usable range") << ClickCase{0, 20, 80, 10, false};
        QTest::newRow("on its first value") << ClickCase{0, 20, 80, 20, true};
        QTest::newRow("on its last value") << ClickCase{0, 20, 80, 80, true};
        QTest::newRow("above") << ClickCase{0, 20, 80, 90, false};
        QTest::newRow("reversed range, inside") << ClickCase{0, 80, 20, 25, true};
        QTest::newRow("outer clicks allowed") << ClickCase{OuterClicks, 20, 80, 90, true};
        QTest::newRow("show only") << ClickCase{OuterClicks | ShowOnly, 0, 100, 90, false};
    }
    void clicks()
    {
        QFETCH(ClickCase, c);
        Probe bar;
        bar.setUsableRange(c.usableMin, c.usableMax);
        bar.setOutterTrimRangeClickable(c.mode & OuterClicks);
        bar.setTrimRangeShowOnly(c.mode & ShowOnly);
        bar.setValue(50);
        QSignalSpy actions(&bar, SIGNAL(actionTriggered(int)));
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.rangeValueToPixelPos(c.target), 12));
        QCOMPARE(bar.value(), c.jumps ? c.target : 50);
        QCOMPARE(actions.count(), int(c.jumps));
        QTest::mousePress(&bar, Qt::LeftButton, {},
                          QPoint(bar.rangeValueToPixelPos(bar.value()), 12));
        QCOMPARE(bar.isSliderDown(), !(c.mode & ShowOnly));
    }

    // The trim image shows only between the pixels of the two usable values.
    void trimImage_data()
    {
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QPoint>("usable");
        QTest::addColumn<QPoint>("shown"); // the first and last pixel covered
        QTest::newRow("20..80") << "0,0" << QPoint(20, 80) << QPoint(41, 159);
        QTest::newRow("whole range") << "0,0" << QPoint(0, 100) << QPoint(1, 199);
        QTest::newRow("outer INT_MAX") << "2147483647,2147483647" << QPoint(0, 100) << QPoint(1, 0);
        QTest::newRow("outer INT_MIN")
            << "-2147483648,-2147483648" << QPoint(0, 100) << QPoint(0, 199);
    }
    void trimImage()
    {
        QFETCH(QString, outer);
        QFETCH(QPoint, usable);
        QFETCH(QPoint, shown);
        QTemporaryDir dir;
        Probe bar;
        trimmed(bar, art(dir, "trim.png"));
        bar.setGrooveOutterSpace(outer);
        bar.setUsableRange(usable.x(), usable.y());
        const QImage image = bar.grab().toImage();
        for (int x = 0; x < bar.width(); ++x) {
            const bool isRed = image.pixelColor(x, 12) == QColor(Qt::red);
            QVERIFY2(isRed == (shown.x() <= x && x <= shown.y()), qPrintable(QString::number(x)));
        }
    }

    // A bar painted before a change paints afterwards as a bar made with the new values.
    void trimImageAfterChange_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change : {"skin", "margins", "size"})
            QTest::newRow(change) << QString(change);
    }
    void trimImageAfterChange()
    {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const QString a = art(dir, "a.png", 0), b = art(dir, "b.png", 200);
        Probe bar, fresh;
        trimmed(bar, a);
        bar.grab();
        for (Probe *p : {&bar, &fresh}) {
            trimmed(*p, change == "skin" ? b : a, change == "margins" ? "1,9,1,3" : "2,2,2,2");
            if (change == "size")
                p->resize(150, 24);
        }
        QCOMPARE(bar.grab().toImage(), fresh.grab().toImage());
    }
};

QTEST_MAIN(TestPlaySeekingBar)
#include "tst_uxplayseekingbar.moc"
