#include "progress/UxCircleArc.h"

#include <UxCircleProgressBar.h>
#include <UxResourceMgr.h>

#include "support/TestArtwork.h"

#include <QPainter>
#include <QtTest>

#include <climits>
#include <functional>

namespace {
// The ring, progress and mask images are filled with these, named 'r', 'p' and 'm'.
const QColor kColours[] = {QColor(128, 128, 128), Qt::red, Qt::blue};
using Change = std::function<void(UxCircleProgressBar &)>;
} // namespace

Q_DECLARE_METATYPE(Change)

class TestCircleProgressBar : public QObject
{
    Q_OBJECT

    ArtworkFolder m_art;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_art.path(".")));
        const char *files[] = {"ring", "progress", "mask"};
        for (int i = 0; i < 3; ++i) {
            const QImage image = TestArtwork::solid(QSize(200, 200), kColours[i]);
            m_art.save(files[i] + QString(".png"), image);
            m_art.save(files[i] + QString("@2x.png"), image);
        }
        m_art.save("tall.png", TestArtwork::solid(QSize(2, 2000), kColours[0]));
    }
    void cleanup() { UxResourceMgr::setZoomDPI(2.0); }

    // Ranges at the integer limits (start and span -1) saturate, never wrap: the span grows
    // with the value from nothing at the minimum to the full circle at the maximum, half at
    // the middle.
    void arcs_data()
    {
        for (const char *name : {"minimum", "maximum", "value", "start", "span"})
            QTest::addColumn<int>(name);
        QTest::newRow("a quarter starts at 0") << 0 << 100 << 25 << 0 << 1440;
        QTest::newRow("past it: 450 degrees minus span") << 0 << 100 << 26 << 5703 << 1497;
        QTest::newRow("below the minimum: nothing") << 0 << 100 << -5 << 0 << 0;
        QTest::newRow("above the maximum: full") << 0 << 100 << 150 << 1440 << 5760;
        QTest::newRow("50..100, a quarter") << 50 << 100 << 62 << 58 << 1382;
        QTest::newRow("empty range") << 50 << 50 << 50 << 0 << 0;
        QTest::newRow("reversed range") << 100 << 0 << 50 << 0 << 0;
        QTest::newRow("whole int range") << INT_MIN << INT_MAX << 0 << -1 << -1;
        QTest::newRow("up to INT_MAX") << 0 << INT_MAX << 0 << -1 << -1;
        QTest::newRow("from INT_MIN") << INT_MIN << 0 << 0 << -1 << -1;
    }
    void arcs()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, span);
        int start = -1, shown = -1;
        if (span >= 0) {
            uxCircleArc(value, minimum, maximum, start, shown);
            QTEST(start, "start");
            QCOMPARE(shown, span);
            return;
        }
        const int middle = int(minimum + (qint64(maximum) - minimum) / 2);
        int previous = 0;
        for (int v : {minimum, minimum + 1, middle, maximum - 1, maximum}) {
            uxCircleArc(v, minimum, maximum, start, shown);
            QVERIFY2(shown >= previous && shown <= 5760, qPrintable(QString::number(v)));
            QVERIFY(start >= 0 && start < 5760);
            QVERIFY(v != middle || qAbs(shown - 2880) <= 1);
            previous = shown;
        }
        QCOMPARE(previous, 5760);
    }

    // A 200 x 200 bar with 200-pixel rings: at zoom 2 they fill the widget, "@2x" files
    // as well; at zoom 1 they load at 100 and the ring rectangle halves once more, to
    // 75..124 each way. A 2 x 2000 ring at zoom 10 makes a ring rectangle 50000 high.
    // Pixels 20 off the centre upper right, lower right, lower left and upper left, then
    // at (70, 70) and the corner (0, 199).
    void painted_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QString>("ring");
        QTest::addColumn<QString>("progress");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("pixels");
        const QString ring = "ring.png", progress = "progress.png";
        QTest::newRow("a quarter") << 2.0 << ring << progress << 25 << "prrrrr";
        QTest::newRow("three quarters") << 2.0 << ring << progress << 75 << "ppprrr";
        QTest::newRow("full, inside the circle") << 2.0 << ring << progress << 100 << "pppppr";
        QTest::newRow("zoom 1, half") << 1.0 << ring << progress << 50 << "pprrmm";
        QTest::newRow("no ring, no progress") << 2.0 << "none.png" << progress << 100 << "mmmmmm";
        QTest::newRow("@2x files, half") << 2.0 << "ring@2x.png"
                                         << "progress@2x.png" << 50 << "pprrrr";
        QTest::newRow("ring past the size bound")
            << 10.0 << "tall.png" << progress << 100 << "mmmmmm";
    }
    void painted()
    {
        QFETCH(double, zoom);
        QFETCH(QString, ring);
        QFETCH(QString, progress);
        QFETCH(int, value);
        QFETCH(QString, pixels);
        UxResourceMgr::setZoomDPI(zoom);
        UxCircleProgressBar bar;
        bar.resize(200, 200);
        bar.setCircleProgressBgImage(ring);
        bar.setCircleProgressImage(progress);
        bar.setCircleProgressMaskImage("mask.png");
        bar.setValue(value);
        const QImage shown = bar.grab().toImage();
        const QPoint at[] = {{120, 80}, {120, 120}, {80, 120}, {80, 80}, {70, 70}, {0, 199}};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(shown.pixelColor(at[i]), kColours[QString("rpm").indexOf(pixels[i])]);
    }

    void repaintAfterChange_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("size") << Change([](UxCircleProgressBar &bar) { bar.resize(160, 120); });
        QTest::newRow("ring") << Change(
            [](UxCircleProgressBar &bar) { bar.setCircleProgressBgImage("tall.png"); });
        QTest::newRow("progress") << Change(
            [](UxCircleProgressBar &bar) { bar.setCircleProgressImage("mask.png"); });
        QTest::newRow("value") << Change([](UxCircleProgressBar &bar) { bar.setValue(80); });
    }

    // A bar painted before a change paints afterwards as a bar made with the new values.
    void repaintAfterChange()
    {
        QFETCH(Change, change);
        const auto configure = [](UxCircleProgressBar &bar) {
            bar.resize(200, 200);
            bar.setCircleProgressBgImage("ring.png");
            bar.setCircleProgressImage("progress.png");
            bar.setCircleProgressMaskImage("mask.png");
            bar.setValue(30);
        };
        UxCircleProgressBar bar;
        configure(bar);
        bar.grab();
        change(bar);
        UxCircleProgressBar fresh;
        configure(fresh);
        change(fresh);
        QCOMPARE(bar.grab().toImage(), fresh.grab().toImage());
    }

    // Above zoom 1 up to 1.25 a font size set is replaced by 8 points, the property too.
    void fontSize_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("drawnAt");
        QTest::newRow("zoom 1.25 draws at 8 points") << 1.25 << 20 << 8;
        QTest::newRow("zoom 1.0 keeps the size") << 1.0 << 20 << 20;
        QTest::newRow("zoom 1.3 keeps the size") << 1.3 << 20 << 20;
        QTest::newRow("no size: the widget's font") << 1.25 << -1 << -1;
    }
    void fontSize()
    {
        QFETCH(double, zoom);
        QFETCH(int, size);
        QFETCH(int, drawnAt);
        UxResourceMgr::setZoomDPI(zoom);
        UxCircleProgressBar bar;
        bar.resize(100, 100);
        bar.setCircleProgressFontSize(size);
        bar.setValue(42);
        const QImage shown = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(bar.circleProgressFontSize(), drawnAt);
        // What was drawn is the percentage, centred, in the widget's font at that size.
        QImage expected(100, 100, QImage::Format_RGB32);
        expected.fill(bar.palette().color(QPalette::Window));
        QFont font = bar.font();
        font.setPointSize(drawnAt > 0 ? drawnAt : font.pointSize());
        QPainter painter(&expected);
        painter.setFont(font);
        painter.drawText(expected.rect(), Qt::AlignCenter, "42%");
        painter.end();
        QCOMPARE(shown, expected);
    }
};

QTEST_MAIN(TestCircleProgressBar)
#include "tst_uxcircleprogressbar.moc"
