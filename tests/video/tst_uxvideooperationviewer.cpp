#include <UxVideoOperationViewer.h>

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
        const auto send = [&](QEvent::Type type, const QPoint &at, Qt::MouseButtons held) {
            QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, {});
            QApplication::sendEvent(&widget, &event);
        };
        send(QEvent::MouseButtonPress, path.first(), button);
        for (const QPoint &at : path.mid(1))
            send(QEvent::MouseMove, at, button);
        send(QEvent::MouseButtonRelease, path.last(), Qt::NoButton);
    }
};

} // namespace

class TestVideoOperationViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressesGoToTheEditorOrPlayAndPause_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("edits");
        // The rectangle, 25-74 logic, spans 100-299 on screen.
        QTest::newRow("off the rectangle") << "set" << QPoint(20, 20) << 1 << 0;
        QTest::newRow("on the rectangle") << "set" << QPoint(200, 200) << 0 << 1;
        QTest::newRow("right button") << "right" << QPoint(200, 200) << 0 << 0;
        QTest::newRow("no logic video yet") << "none" << QPoint(100, 100) << 1 << 0;
        QTest::newRow("after reset") << "reset" << QPoint(100, 100) << 1 << 0;
        QTest::newRow("focus zone hidden") << "hidden" << QPoint(200, 200) << 1 << 0;
    }

    void pressesGoToTheEditorOrPlayAndPause()
    {
        QFETCH(QString, state);
        QFETCH(QPoint, at);
        QFETCH(int, clicks);
        QFETCH(int, edits);
        Viewer v(QSize(400, 400), QSize(400, 400), false, false,
                 state == "none" ? QRect() : QRect(25, 25, 50, 50));
        if (state == "reset")
            v.widget.reset();
        v.widget.setShowFocusZone(state != "hidden");
        v.drag({at, at + QPoint(20, 0)}, state == "right" ? Qt::RightButton : Qt::LeftButton);
        QTest::qWait(400); // longer than the viewer waits to tell a click from a double click
        QCOMPARE(v.playPause.count(), clicks);
        QCOMPARE(v.changed.count(), edits);
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
    }
};

QTEST_MAIN(TestVideoOperationViewer)
#include "tst_uxvideooperationviewer.moc"
