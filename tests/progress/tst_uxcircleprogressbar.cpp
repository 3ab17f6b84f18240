#include "progress/UxCircleArc.h"

#include <UxCircleProgressBar.h>
#include <UxResourceMgr.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

const QColor kRing(128, 128, 128), kProgress(255, 0, 0), kMask(0, 0, 255);

QString solidImage(const QTemporaryDir &dir, const QString &name, const QColor &colour, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

} // namespace

class TestCircleProgressBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        UxResourceMgr::setZoomDPI(2.0); // images at their own size
        m_ring = solidImage(m_dir, "ring.png", kRing, 200);
        m_progress = solidImage(m_dir, "progress.png", kProgress, 200);
        m_mask = solidImage(m_dir, "mask.png", kMask, 16);
    }

    void arcs_data()
    {
        const int intMin = std::numeric_limits<int>::min(),
                  intMax = std::numeric_limits<int>::max();
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("span");
        QTest::newRow("a quarter starts at 0") << 0 << 100 << 25 << 0 << 1440;
        QTest::newRow("past a quarter, 450 degrees minus the span")
            << 0 << 100 << 26 << 5703 << 1497;
        QTest::newRow("full") << 0 << 100 << 100 << 1440 << 5760;
        QTest::newRow("below the minimum: nothing") << 0 << 100 << -5 << 0 << 0;
        QTest::newRow("above the maximum: full") << 0 << 100 << 150 << 1440 << 5760;
        QTest::newRow("range 50 to 100") << 50 << 100 << 75 << 4320 << 2880;
        QTest::newRow("empty range") << 50 << 50 << 50 << 0 << 0;
        QTest::newRow("reversed range") << 100 << 0 << 50 << 0 << 0;
        QTest::newRow("a billion") << 0 << 1000000000 << 500000000 << 4320 << 2880;
        QTest::newRow("the whole int range") << intMin << intMax << 0 << 4320 << 2880;
        // 429496729 of 4294967295 is just under a tenth: 575.99... truncates to 575.
        QTest::newRow("the whole int range, a tenth")
            << intMin << intMax << intMin + 429496729 << 865 << 575;
    }

    void arcs()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, start);
        QFETCH(int, span);
        int actualStart = -1, actualSpan = -1;
        uxCircleArc(value, minimum, maximum, actualStart, actualSpan);
        QCOMPARE(actualStart, start);
        QCOMPARE(actualSpan, span);
    }

    void valuesAreNeverClamped()
    {
        UxCircleProgressBar bar;
        QSignalSpy changed(&bar, SIGNAL(valueChanged(int)));
        bar.setValue(-5);
        bar.setValue(150);
        bar.setValue(150); // every call emits
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.at(0).at(0).toInt(), -5);
        QCOMPARE(changed.at(2).at(0).toInt(), 150);
    }

    void sectorByPixels_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<bool>>(
            "quadrants"); // upper right, lower right, lower left, upper left
        QTest::newRow("0") << 0 << QList<bool>{false, false, false, false};
        QTest::newRow("a quarter") << 25 << QList<bool>{true, false, false, false};
        QTest::newRow("half") << 50 << QList<bool>{true, true, false, false};
        QTest::newRow("three quarters") << 75 << QList<bool>{true, true, true, false};
        QTest::newRow("full") << 100 << QList<bool>{true, true, true, true};
    }

    // The progress ring shows clockwise from twelve o'clock, over the background ring.
    void sectorByPixels()
    {
        QFETCH(int, value);
        QFETCH(QList<bool>, quadrants);
        UxCircleProgressBar bar;
        bar.resize(200, 200);
        bar.setCircleProgressBgImage(m_ring);
        bar.setCircleProgressImage(m_progress);
        bar.setCircleProgressMaskImage(m_mask);
        bar.setValue(value);
        const QImage shown = bar.grab().toImage();
        const qreal r = shown.devicePixelRatio();
        const QPoint centres[] = {{150, 50}, {150, 150}, {50, 150}, {50, 50}};
        for (int i = 0; i < 4; ++i) {
            const QColor c = shown.pixelColor(QPointF(centres[i] * r).toPoint());
            QCOMPARE(c, quadrants[i] ? kProgress : kRing);
        }
        QCOMPARE(bar.imageCircleProgress().pixelColor(0, 0), kProgress);
    }

    // The ring file at zoom 1.0 loads at half size, and its rectangle halves once more.
    void imageRectangleTakesTheZoomTwice()
    {
        UxResourceMgr::setZoomDPI(1.0);
        UxCircleProgressBar bar;
        bar.resize(200, 200);
        bar.setCircleProgressBgImage(m_ring);
        bar.setCircleProgressMaskImage(m_mask);
        QCOMPARE(bar.imageCircleProgressBg().size(), QSize(100, 100));
        const QImage shown = bar.grab().toImage().scaled(200, 200); // logical pixels
        QCOMPARE(shown.pixelColor(80, 80), kRing); // inside the 50 x 50 ring centred
        QCOMPARE(shown.pixelColor(70, 70), kMask); // outside it: the mask
        QCOMPARE(shown.pixelColor(0, 199), kMask); // the mask covers the whole widget
    }

    void missingImages()
    {
        UxCircleProgressBar bar;
        bar.resize(100, 100);
        bar.setCircleProgressBgImage(QStringLiteral("/nonexistent/ring.png"));
        bar.setCircleProgressImage(m_progress);
        bar.setCircleProgressMaskImage(m_mask);
        QCOMPARE(bar.circleProgressBgImage(), QStringLiteral("/nonexistent/ring.png"));
        QVERIFY(bar.imageCircleProgressBg().isNull());
        bar.setValue(100);
        const QImage shown = bar.grab().toImage();
        QCOMPARE(shown.pixelColor(10, 10), kMask); // without a ring no progress either
        bar.resize(0, 0);
        bar.grab(); // an empty widget paints nothing and does not fail
    }

    void fontSizeRule_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("drawnAt");
        QTest::newRow("zoom 1.25 draws at 8 points") << 1.25 << 12 << 8;
        QTest::newRow("zoom 1.1 too") << 1.1 << 12 << 8;
        QTest::newRow("zoom 1.0 keeps the size") << 1.0 << 12 << 12;
        QTest::newRow("zoom 1.5 keeps the size") << 1.5 << 12 << 12;
        QTest::newRow("no size: the widget's font") << 1.25 << -1 << -1;
    }

    void fontSizeRule()
    {
        QFETCH(double, zoom);
        QFETCH(int, size);
        QFETCH(int, drawnAt);
        UxResourceMgr::setZoomDPI(zoom);
        UxCircleProgressBar bar;
        bar.resize(100, 100);
        bar.setCircleProgressFontSize(size);
        bar.setCircleProgressTextColor(Qt::white);
        QCOMPARE(bar.circleProgressTextColor(), QColor(Qt::white));
        bar.setValue(42);
        const QImage first = bar.grab().toImage();
        QCOMPARE(bar.circleProgressFontSize(), drawnAt); // the rule rewrites the property

        // What was drawn is the text at that size: the same as a bar given it directly.
        UxResourceMgr::setZoomDPI(1.0);
        UxCircleProgressBar reference;
        reference.resize(100, 100);
        reference.setCircleProgressFontSize(drawnAt);
        reference.setCircleProgressTextColor(Qt::white);
        reference.setValue(42);
        QCOMPARE(first, reference.grab().toImage());
    }

    void cleanup() { UxResourceMgr::setZoomDPI(2.0); }

private:
    QTemporaryDir m_dir;
    QString m_ring, m_progress, m_mask;
};

QTEST_MAIN(TestCircleProgressBar)
#include "tst_uxcircleprogressbar.moc"
