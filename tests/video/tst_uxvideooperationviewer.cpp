#include <UxVideoOperationViewer.h>

#include "support/SendInput.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A shown viewer over 100 x 100 logic pixels; unmasked, so only the outline is yellow.
struct Viewer
{
    UxVideoOperationViewer widget;
    QSignalSpy changed{&widget, SIGNAL(focusRectChanged(QRect))};
    QSignalSpy playPause{&widget, SIGNAL(actPlayOrPause())};

    Viewer(const QSize &size, const QSize &input, bool is3D, bool topBottom, const QRect &focus)
    {
        widget.resize(size);
        widget.setMaskUnfocusZone(false);
        widget.show();
        widget.setInputVideo(input, is3D, topBottom, false);
        if (focus.isValid())
            widget.setLogicVideo(QSize(100, 100), 0, 0, focus, QSize(1, 1));
    }

    // One mark a point: 'y' where the outline colour is, '.' elsewhere.
    QString yellow(const QList<QPoint> &points)
    {
        const QImage shot = widget.grab().toImage();
        QString marks;
        for (const QPoint &p : points)
            marks += shot.pixelColor(p) == QColor("yellow") ? 'y' : '.';
        return marks;
    }

    // Presses at the path's start, moves along it and releases at its end.
    void drag(const QList<QPoint> &path, Qt::MouseButton button = Qt::LeftButton)
    {
        sendMouse(widget, QEvent::MouseButtonPress, path.first(), button);
        for (const QPoint &at : path.mid(1))
            sendMouse(widget, QEvent::MouseMove, at, button);
        sendMouse(widget, QEvent::MouseButtonRelease, path.last(), button);
    }
};

// What was done to the viewer before the row's input.
enum class Before {
    FocusSet,       // a logic video with a focus rectangle
    NoLogicVideo,   // none set yet
    Reset,          // a focus rectangle set, then the viewer reset
    ZoneHidden,     // a focus rectangle set, the zone hidden
    KeepAspect,     // a focus rectangle set, its aspect ratio 2:1 kept
    TwoLogicPixels, // a focus rectangle set, two logic pixels a screen one
};

} // namespace

Q_DECLARE_METATYPE(Before)

class TestVideoOperationViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressesGoToTheEditorOrPlayAndPause_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<int>("button"); // a Qt::MouseButton
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("edits");
        // The rectangle, 25-74 logic, spans 100-299 on screen.
        const int left = Qt::LeftButton;
        QTest::newRow("off the rectangle") << Before::FocusSet << left << QPoint(20, 20) << 1 << 0;
        QTest::newRow("on the rectangle") << Before::FocusSet << left << QPoint(200, 200) << 0 << 1;
        QTest::newRow("right button")
            << Before::FocusSet << int(Qt::RightButton) << QPoint(200, 200) << 0 << 0;
        QTest::newRow("no logic video yet")
            << Before::NoLogicVideo << left << QPoint(100, 100) << 1 << 0;
        QTest::newRow("after reset") << Before::Reset << left << QPoint(100, 100) << 1 << 0;
        QTest::newRow("focus zone hidden")
            << Before::ZoneHidden << left << QPoint(200, 200) << 1 << 0;
    }

    void pressesGoToTheEditorOrPlayAndPause()
    {
        QFETCH(Before, before);
        QFETCH(int, button);
        QFETCH(QPoint, at);
        QFETCH(int, clicks);
        QFETCH(int, edits);
        Viewer v(QSize(400, 400), QSize(400, 400), false, false,
                 before == Before::NoLogicVideo ? QRect() : QRect(25, 25, 50, 50));
        if (before == Before::Reset)
            v.widget.reset();
        v.widget.setShowFocusZone(before != Before::ZoneHidden);
        v.drag({at, at + QPoint(20, 0)}, Qt::MouseButton(button));
        if (clicks > 0)
            QTRY_COMPARE(v.playPause.count(), clicks);
        else
            QTest::qWait(400); // longer than a click waits to be told from a double click
        QCOMPARE(v.playPause.count(), clicks);
        QCOMPARE(v.changed.count(), edits);
    }

    // Crop keys on a 400 x 400 view, one screen pixel a logic one (or two), minimum 20 x
    // 20: arrows move, Shift+arrows move the right or bottom edge, Ctrl makes ten; clamped
    // and reported as drags are. Up and Down still change the volume.
    void cropKeys_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<QRect>("from"); // in logic pixels, as "to"
        QTest::addColumn<int>("keys");
        QTest::addColumn<QRect>("to");
        QTest::addColumn<int>("reports");
        const auto row = [](const char *tag, Before before, QRect from, int keys, QRect to,
                            int reports) {
            QTest::newRow(tag) << before << from << keys << to << reports;
        };
        const Before set = Before::FocusSet;
        const QRect r(100, 100, 100, 50);
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        const int left = Qt::Key_Left, right = Qt::Key_Right, up = Qt::Key_Up, down = Qt::Key_Down;
        row("right", set, r, right, r.translated(1, 0), 1);
        row("ctrl up", set, r, up | ctrl, r.translated(0, -10), 1);
        row("ctrl shift up", set, r, up | ctrl | shift, r.adjusted(0, 0, 0, -10), 1);
        row("move to the right edge", set, {295, 0, 99, 9}, right | ctrl, {300, 0, 99, 9}, 1);
        row("resize at the right edge", set, {300, 0, 100, 20}, right | shift, {300, 0, 100, 20},
            0);
        row("minimum width", set, {0, 0, 25, 20}, left | ctrl | shift, {0, 0, 20, 20}, 1);
        row("lock, right edge", Before::KeepAspect, r, right | ctrl | shift, {100, 98, 110, 55}, 1);
        row("lock, bottom edge", Before::KeepAspect, r, down | ctrl | shift, {90, 100, 120, 60}, 1);
        row("host pixels", Before::TwoLogicPixels, {200, 200, 200, 100}, right | ctrl,
            {220, 200, 200, 100}, 1);
        row("alt", set, r, up | Qt::AltModifier, r, 0);
        row("zone hidden", Before::ZoneHidden, r, right, r, 0);
        row("no logic video", Before::NoLogicVideo, QRect(), right, QRect(), 0);
    }

    void cropKeys()
    {
        QFETCH(Before, before);
        QFETCH(QRect, from);
        QFETCH(int, keys);
        QFETCH(QRect, to);
        Viewer v(QSize(400, 400), QSize(400, 400), false, false, QRect());
        const int scale = before == Before::TwoLogicPixels ? 2 : 1;
        if (before != Before::NoLogicVideo)
            v.widget.setLogicVideo(QSize(400, 400) * scale, 0, 0, from, QSize(20, 20) * scale);
        v.widget.setFocusZoneKeepAspectRatioByLogic(before == Before::KeepAspect, 2, 1, true);
        v.widget.setShowFocusZone(before != Before::ZoneHidden);
        QSignalSpy volume(&v.widget, SIGNAL(volumChange(int)));
        const int key = keys & ~Qt::KeyboardModifierMask;
        QTest::keyClick(&v.widget, Qt::Key(key),
                        Qt::KeyboardModifiers(keys & Qt::KeyboardModifierMask));
        QCOMPARE(v.widget.focusRect(), to);
        QTEST(int(v.changed.count()), "reports");
        for (const QList<QVariant> &report : qAsConst(v.changed))
            QCOMPARE(report.at(0).toRect(), to);
        QCOMPARE(volume.count(), int(key == Qt::Key_Up || key == Qt::Key_Down));
    }

    void stereoscopicViews_data()
    {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QSize>("input");
        QTest::addColumn<bool>("topBottom");
        QTest::addColumn<QList<QPoint>>("points"); // the first on a border, not once flat
        QTest::addColumn<QString>("marks");
        // 1001 pixels wide: views 0-499 and 500-1000; 101 rows high: views 0-49 and 50-100.
        QTest::newRow("side by side, odd width")
            << QSize(1001, 500) << QSize(1001, 1000) << false
            << QList<QPoint>{{499, 250}, {500, 250}, {1000, 250}, {498, 250}, {501, 250}}
            << "yyy..";
        QTest::newRow("top and bottom, odd height")
            << QSize(200, 101) << QSize(400, 101) << true
            << QList<QPoint>{{100, 49}, {100, 50}, {100, 100}, {100, 48}, {100, 51}} << "yyy..";
    }

    void stereoscopicViews()
    {
        QFETCH(QSize, widget);
        QFETCH(QSize, input);
        QFETCH(bool, topBottom);
        QFETCH(QList<QPoint>, points);
        QFETCH(QString, marks);
        Viewer v(widget, input, true, topBottom, QRect(0, 0, 100, 100));
        QCOMPARE(v.yellow(points), marks);
        v.widget.update3DInput(false, topBottom, false); // one editor over the whole picture
        QCOMPARE(v.yellow({points.first()}), QString("."));
    }

    // Side by side at 1000 x 500: views 0-499 and 500-999, 5 screen pixels a logic one.
    void editsInOneViewShowInTheOther()
    {
        Viewer v(QSize(1000, 500), QSize(1000, 1000), true, false, QRect(10, 10, 40, 40));
        v.drag({{650, 150}, {700, 150}, {750, 200}}); // grabbed inside the second view's 550-749
        QCOMPARE(v.changed.count(), 2);               // one a step, in logic pixels
        QCOMPARE(v.changed.last().at(0).toRect(), QRect(30, 20, 40, 40));
        QCOMPARE(v.widget.focusRect(), QRect(30, 20, 40, 40));
        QCOMPARE(v.yellow({{150, 200}, {650, 200}, {50, 200}, {550, 200}}), QString("yy.."));
        // Host edits reach both views without being reported back.
        v.widget.onFocusRectChanged(QRect(20, 40, 40, 40));
        QCOMPARE(v.yellow({{100, 250}, {600, 250}}), QString("yy"));
        QCOMPARE(v.changed.count(), 2);
        // The first view keeps its drag over the second, stopping the rectangle at its edge.
        v.drag({{200, 300}, {520, 300}, {350, 300}});
        QCOMPARE(v.changed.last().at(0).toRect(), QRect(30, 40, 40, 40));
        QCOMPARE(v.yellow({{150, 250}, {650, 250}, {100, 250}, {600, 250}}), QString("yy.."));
        // A crop key is such a step too: ten screen pixels are two logic ones here.
        QTest::keyClick(&v.widget, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(v.changed.last().at(0).toRect(), QRect(32, 40, 40, 40));
        QCOMPARE(v.yellow({{160, 250}, {660, 250}, {150, 250}, {650, 250}}), QString("yy.."));
    }
};

QTEST_MAIN(TestVideoOperationViewer)
#include "tst_uxvideooperationviewer.moc"
