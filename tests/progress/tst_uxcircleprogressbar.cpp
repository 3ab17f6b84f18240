#include "progress/UxCircleArc.h"

#include <UxCircleProgressBar.h>
#include <UxResourceMgr.h>

#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

const QColor kRing(128, 128, 128), kProgress(255, 0, 0), kMask(0, 0, 255);

} // namespace

class TestCircleProgressBar : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString solidImage(const QString &name, const QColor &colour, int size)
    {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_dir.filePath(name);
        return image.save(path) ? path : QString();
    }

    QImage paint(double zoom, const QString &ring, int value, int fontSize = -1)
    {
        UxResourceMgr::setZoomDPI(zoom);
        UxCircleProgressBar bar;
        bar.resize(200, 200);
        bar.setCircleProgressBgImage(ring);
        bar.setCircleProgressImage(solidImage("progress.png", kProgress, 200));
        bar.setCircleProgressMaskImage(solidImage("mask.png", kMask, 16));
        bar.setCircleProgressTextColor(Qt::white);
        bar.setCircleProgressFontSize(fontSize);
        bar.setValue(value);
        return bar.grab().toImage();
    }

private Q_SLOTS:
    void cleanup() { UxResourceMgr::setZoomDPI(2.0); }

    void arcs_data()
    {
        const int intMin = std::numeric_limits<int>::min(), intMax = std::numeric_limits<int>::max();
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("span");
        QTest::newRow("a quarter starts at 0") << 0 << 100 << 25 << 0 << 1440;
        QTest::newRow("past a quarter: 450 degrees minus span") << 0 << 100 << 26 << 5703 << 1497;
        QTest::newRow("below the minimum: nothing") << 0 << 100 << -5 << 0 << 0;
        QTest::newRow("above the maximum: full") << 0 << 100 << 150 << 1440 << 5760;
        QTest::newRow("50..100, under a quarter") << 50 << 100 << 62 << 58 << 1382;
        QTest::newRow("50..100, past a quarter") << 50 << 100 << 63 << 5703 << 1497;
        QTest::newRow("empty range") << 50 << 50 << 50 << 0 << 0;
        QTest::newRow("reversed range") << 100 << 0 << 50 << 0 << 0;
        QTest::newRow("half a billion") << 0 << 1000000000 << 500000000 << 4320 << 2880;
        QTest::newRow("whole int range, half") << intMin << intMax << 0 << 4320 << 2880;
        // 429496729 of 4294967295 is just under a tenth: 575.99... truncates to 575.
        QTest::newRow("whole int range, a tenth") << intMin << intMax << intMin + 429496729 << 865 << 575;
    }
    void arcs()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        int start = -1, span = -1;
        uxCircleArc(value, minimum, maximum, start, span);
        QTEST(start, "start");
        QTEST(span, "span");
    }

    // Pixels at the quadrant centres: upper right, lower right, lower left, upper left;
    // 'p' is the progress ring, 'r' the background ring.
    void sector_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("quadrants");
        QTest::newRow("0") << 0 << "rrrr";
        QTest::newRow("a quarter") << 25 << "prrr";
        QTest::newRow("half") << 50 << "pprr";
        QTest::newRow("three quarters") << 75 << "ppprr";
        QTest::newRow("full") << 100 << "pppp";
    }
    void sector()
    {
        QFETCH(int, value);
        QFETCH(QString, quadrants);
        const QImage shown = paint(2.0, solidImage("ring.png", kRing, 200), value);
        const QPoint centres[] = {{150, 50}, {150, 150}, {50, 150}, {50, 50}};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(shown.pixelColor(centres[i]), quadrants[i] == 'p' ? kProgress : kRing);
    }

    // At zoom 1 the 200-pixel ring loads at 100 and its rectangle halves once more, to
    // 50 x 50 in the middle; the mask covers the whole widget.
    void layout_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("ringLoads");
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("inside"); // at (80, 80), inside the halved ring
        QTest::addColumn<QColor>("outside"); // at (70, 70)
        QTest::newRow("ring at zoom 1") << 1.0 << true << 0 << kRing << kMask;
        QTest::newRow("progress at zoom 1") << 1.0 << true << 100 << kProgress << kMask;
        QTest::newRow("without a ring no progress") << 2.0 << false << 100 << kMask << kMask;
    }
    void layout()
    {
        QFETCH(double, zoom);
        QFETCH(bool, ringLoads);
        QFETCH(int, value);
        const QString ring = solidImage("ring.png", kRing, 200);
        const QImage shown = paint(zoom, ringLoads ? ring : "/nonexistent/ring.png", value);
        QTEST(shown.pixelColor(80, 80), "inside");
        QTEST(shown.pixelColor(70, 70), "outside");
        QCOMPARE(shown.pixelColor(0, 199), kMask);
    }

    // Above zoom 1 up to 1.25 a font size set is replaced by 8 points, property included.
    void fontSize_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("drawnAt");
        QTest::newRow("zoom 1.25 draws at 8 points") << 1.25 << 12 << 8;
        QTest::newRow("zoom 1.0 keeps the size") << 1.0 << 12 << 12;
        QTest::newRow("zoom 1.3 keeps the size") << 1.3 << 12 << 12;
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
        const QImage shown = bar.grab().toImage();
        QCOMPARE(bar.circleProgressFontSize(), drawnAt);
        // What was drawn is the text at that size, which differs from the widget's font.
        const QImage reference = paint(1.0, QString(), 42, drawnAt).scaled(100, 100);
        const QImage plain = paint(1.0, QString(), 42).scaled(100, 100);
        QCOMPARE(shown, reference);
        QCOMPARE(shown == plain, drawnAt < 0);
    }
};

QTEST_MAIN(TestCircleProgressBar)
#include "tst_uxcircleprogressbar.moc"
