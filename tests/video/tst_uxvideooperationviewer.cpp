#include <UxVideoOperationViewer.h>

#include <QSignalSpy>
#include <QtTest>

namespace {

const QColor kOutline("yellow");

QRect edges(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

// A shown viewer whose whole logic video is the focus rectangle, so that each
// editor outlines exactly its view.
struct Viewer
{
    UxVideoOperationViewer widget;
    QSignalSpy changed{&widget, SIGNAL(focusRectChanged(QRect))};
    QSignalSpy playPause{&widget, SIGNAL(actPlayOrPause())};

    Viewer(const QSize &size, const QSize &input, bool is3D, bool topBottom)
    {
        widget.resize(size);
        widget.setMaskUnfocusZone(false);
        widget.show();
        widget.setInputVideo(input, is3D, topBottom, false);
        widget.setLogicVideo(QSize(100, 100), 0, 0, edges(0, 0, 99, 99), QSize(1, 1));
    }

    bool outlined(int x, int y) { return widget.grab().toImage().pixelColor(x, y) == kOutline; }

    void mouse(QEvent::Type type, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }
};

} // namespace

class TestVideoOperationViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pixelAspect_data()
    {
        QTest::addColumn<QSize>("logic");
        QTest::addColumn<int>("num");
        QTest::addColumn<int>("den");
        QTest::addColumn<double>("expected");
        QTest::newRow("PAL widescreen") << QSize(720, 576) << 16 << 9 << 16.0 / 9 * 576 / 720;
        QTest::newRow("square") << QSize(1920, 1080) << 16 << 9 << 1.0;
        QTest::newRow("no numerator") << QSize(720, 576) << 0 << 9 << 1.0;
        QTest::newRow("negative denominator") << QSize(720, 576) << 16 << -9 << 1.0;
        QTest::newRow("zero logic width") << QSize(0, 576) << 16 << 9 << 1.0;
    }

    void pixelAspect()
    {
        QFETCH(QSize, logic);
        QFETCH(int, num);
        QFETCH(int, den);
        QFETCH(double, expected);
        UxVideoOperationViewer viewer;
        QSignalSpy changed(&viewer, SIGNAL(focusRectChanged(QRect)));
        viewer.setLogicVideo(logic, num, den, QRect(0, 0, 10, 10), QSize(1, 1));
        QCOMPARE(viewer.pixelAspect(), expected);
        QCOMPARE(viewer.focusRect(), QRect(0, 0, 10, 10));
        QCOMPARE(changed.count(), 0);
    }

    void stereoscopicViews_data()
    {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QSize>("input");
        QTest::addColumn<bool>("topBottom");
        QTest::addColumn<QList<QPoint>>("outlinePixels"); // both views' borders
        QTest::addColumn<QList<QPoint>>("plainPixels");
        // Side by side, video 1001 pixels wide at x 0: views 0-499 and 500-1000.
        QTest::newRow("side by side, odd width")
            << QSize(1001, 500) << QSize(1001, 1000) << false
            << QList<QPoint>{{0, 250}, {499, 250}, {500, 250}, {1000, 250}, {249, 249}, {750, 249}}
            << QList<QPoint>{{498, 250}, {501, 250}, {749, 100}};
        // Top and bottom, video 101 rows high: views of 50 and 51 rows.
        QTest::newRow("top and bottom, odd height")
            << QSize(200, 101) << QSize(400, 101) << true
            << QList<QPoint>{{100, 0}, {100, 49}, {100, 50}, {100, 100}}
            << QList<QPoint>{{100, 48}, {100, 51}, {150, 75}};
    }

    void stereoscopicViews()
    {
        QFETCH(QSize, widget);
        QFETCH(QSize, input);
        QFETCH(bool, topBottom);
        QFETCH(QList<QPoint>, outlinePixels);
        QFETCH(QList<QPoint>, plainPixels);
        Viewer v(widget, input, true, topBottom);
        for (const QPoint &p : outlinePixels)
            QVERIFY2(v.outlined(p.x(), p.y()),
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        for (const QPoint &p : plainPixels)
            QVERIFY(!v.outlined(p.x(), p.y()));
        // Back to flat video: one editor over the whole picture.
        v.widget.update3DInput(false, topBottom, false);
        QVERIFY(!v.outlined(outlinePixels.at(1).x(), outlinePixels.at(1).y()));
    }

    void dragInSecondViewMovesBoth()
    {
        // Side by side 1000 x 500: views 0-499 and 500-999, each 5 screen pixels per logic pixel.
        Viewer v(QSize(1000, 500), QSize(1000, 1000), true, false);
        v.widget.setLogicVideo(QSize(100, 100), 0, 0, edges(10, 10, 49, 49), QSize(1, 1));
        // The second view's rectangle spans screen x 550-749, y 50-249.
        v.mouse(QEvent::MouseButtonPress, QPoint(650, 150));
        v.mouse(QEvent::MouseMove, QPoint(700, 150));
        v.mouse(QEvent::MouseMove, QPoint(750, 200));
        v.mouse(QEvent::MouseButtonRelease, QPoint(750, 200));
        QCOMPARE(v.changed.count(), 2); // one per drag step
        QCOMPARE(v.changed.last().at(0).toRect(), edges(30, 20, 69, 59));
        QCOMPARE(v.widget.focusRect(), edges(30, 20, 69, 59));
        // The first view shows the same rectangle: left edge at 30 logic = 150 screen.
        QVERIFY(v.outlined(150, 200));
        QVERIFY(v.outlined(650, 200));
        QVERIFY(!v.outlined(50, 200));
        QTest::qWait(400);
        QCOMPARE(v.playPause.count(), 0); // a press on the rectangle is no click
    }

    void pressesOffTheRectanglePlayOrPause()
    {
        Viewer v(QSize(400, 400), QSize(400, 400), false, false);
        v.widget.setLogicVideo(QSize(100, 100), 0, 0, edges(25, 25, 74, 74), QSize(1, 1));
        v.mouse(QEvent::MouseButtonPress, QPoint(20, 20)); // inside the video, off the rectangle
        QTRY_COMPARE_WITH_TIMEOUT(v.playPause.count(), 1, 1000);
        v.mouse(QEvent::MouseButtonPress, QPoint(200, 200), Qt::RightButton);
        QTest::qWait(400);
        QCOMPARE(v.playPause.count(), 1);
        QCOMPARE(v.changed.count(), 0);

        // Before any logic video, presses near the corner go to the viewer as well.
        UxVideoOperationViewer fresh;
        QSignalSpy freshClicks(&fresh, SIGNAL(actPlayOrPause()));
        fresh.resize(200, 200);
        fresh.show();
        fresh.setInputVideo(QSize(200, 200), false, false, false);
        QTest::mouseClick(&fresh, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
        QTRY_COMPARE_WITH_TIMEOUT(freshClicks.count(), 1, 1000);
    }

    void movesOverTheVideoNeverShowThePointer()
    {
        Viewer v(QSize(800, 450), QSize(1920, 1080), false, false);
        v.widget.setAspectRatio(UxVideoViewer::AspectRatio_4_3); // margins left and right
        QSignalSpy shown(&v.widget, SIGNAL(mouseShow(QPoint)));
        v.widget.toggleFullscreen();
        const QRect video = v.widget.videoRect();
        v.mouse(QEvent::MouseMove, video.center(), Qt::NoButton);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(int(v.widget.cursor().shape()), int(Qt::SizeAllCursor)); // hovering the rectangle
        v.mouse(QEvent::MouseMove, QPoint(video.left() - 20, video.center().y()), Qt::NoButton);
        QCOMPARE(shown.count(), 1);
        v.widget.toggleFullscreen();
    }

    void hostSlotsReachBothViewsSilently()
    {
        Viewer v(QSize(1000, 500), QSize(1000, 1000), true, false);
        v.widget.onFocusRectChanged(edges(10, 10, 49, 49));
        v.widget.onFocusWidthChanged(60);
        QCOMPARE(v.widget.focusRect(), edges(10, 10, 69, 49));
        QVERIFY(v.outlined(349, 100)); // right edge 69 logic in the first view
        QVERIFY(v.outlined(849, 100)); // and in the second
        v.widget.onFocusLeftChanged(20);
        v.widget.onFocusTopChanged(30);
        v.widget.onFocusHeightChanged(10);
        QCOMPARE(v.widget.focusRect(), edges(20, 30, 79, 39));
        QCOMPARE(v.changed.count(), 0);

        v.widget.setFocusZoneKeepAspectRatioByLogic(true, 1, 1, false); // reshapes and reports
        QCOMPARE(v.widget.focusRect(), edges(20, 30, 79, 89));
        QCOMPARE(v.changed.count(), 1); // the twin, reshaped by the copy, has nothing to add
        v.widget.setShowFocusZone(false);
        QVERIFY(!v.widget.showFocusZone());
        QVERIFY(!v.outlined(349, 100) && !v.outlined(849, 100));
    }

    void resetReturnsToInert()
    {
        Viewer v(QSize(400, 400), QSize(400, 400), false, false);
        v.widget.setLogicVideo(QSize(100, 100), 16, 9, edges(25, 25, 74, 74), QSize(1, 1));
        v.widget.reset();
        QCOMPARE(v.widget.focusRect(), QRect());
        QCOMPARE(v.widget.pixelAspect(), 1.0);
        v.mouse(QEvent::MouseButtonPress, QPoint(100, 100)); // the old rectangle's corner
        QTRY_COMPARE_WITH_TIMEOUT(v.playPause.count(), 1, 1000);
        QVERIFY(!v.outlined(100, 100));
    }
};

QTEST_MAIN(TestVideoOperationViewer)
#include "tst_uxvideooperationviewer.moc"
