#include <UxVideoFullScreenViewer.h>

#include "support/CoarseTimers.h"

#include <QCursor>
#include <QPointer>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

// A host control bar; only its height matters here.
class ControlBar : public QWidget
{
public:
    QSize sizeHint() const override { return QSize(200, 40); }
};

using Steps = QList<QPair<QPoint, bool>>; // where the pointer goes, whether the bar then shows

// Delivers the viewer's pointer poll now, as its once-a-second timer does; false if the
// viewer has no such timer.
bool pollNow(QWidget &viewer)
{
    const QList<int> polls = coarseTimers(&viewer, 1000);
    for (int id : polls.mid(0, 1)) {
        QTimerEvent poll(id);
        QCoreApplication::sendEvent(&viewer, &poll);
    }
    return !polls.isEmpty();
}

} // namespace

class TestVideoFullScreenViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowAndControlBar()
    {
        std::unique_ptr<ControlBar> first(new ControlBar);
        QPointer<ControlBar> second = new ControlBar;
        {
            UxVideoFullScreenViewer viewer;
            QCOMPARE(viewer.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
            const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
            QVERIFY(viewer.sizeHint() == screen && viewer.minimumSizeHint() == screen);
            first->show();
            viewer.setControlBar(first.get());
            QCOMPARE(first->parentWidget(), &viewer);
            QVERIFY(first->isWindow() && first->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(first->isHidden()); // at once, although it was shown
            viewer.setControlBar(second);
            QCOMPARE(viewer.controlBar(), second.data());
            QCOMPARE(first->parentWidget(), nullptr); // the caller's again
            viewer.setControlBar(first.get());
            first.reset(); // the host deletes the bar while it is set
            QVERIFY(!viewer.controlBar());
            viewer.showControlBar();
            viewer.hideControlBar();
            QVERIFY(pollNow(viewer)); // and a poll goes by
            viewer.setControlBar(second);
        }
        QVERIFY(second.isNull()); // the current bar goes with the viewer
    }

    void barHandedBackAsItCame_data()
    {
        QTest::addColumn<int>("ownFlags");
        QTest::addColumn<bool>("ownShowsWithoutActivating");
        QTest::newRow("plain widget") << int(Qt::Widget) << false;
        QTest::newRow("shows without activating of its own") << int(Qt::Widget) << true;
        QTest::newRow("window staying on top")
            << int(Qt::Window | Qt::WindowStaysOnTopHint) << false;
    }

    // While set, the bar is a frameless tool window shown without taking the keyboard;
    // handed back, it is a plain window again (it has no parent) with its own hints.
    void barHandedBackAsItCame()
    {
        QFETCH(int, ownFlags);
        QFETCH(bool, ownShowsWithoutActivating);
        QWidget bar(nullptr, Qt::WindowFlags(ownFlags));
        bar.setAttribute(Qt::WA_ShowWithoutActivating, ownShowsWithoutActivating);
        UxVideoFullScreenViewer viewer;
        viewer.setControlBar(&bar);
        QCOMPARE(bar.windowType(), Qt::Tool);
        QVERIFY(bar.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(bar.testAttribute(Qt::WA_ShowWithoutActivating));
        viewer.setControlBar(nullptr);
        QCOMPARE(bar.windowType(), Qt::Window);
        QCOMPARE(int(bar.windowFlags() & ownFlags), ownFlags);
        QCOMPARE(bar.testAttribute(Qt::WA_ShowWithoutActivating), ownShowsWithoutActivating);
    }

    void pollFollowsThePointer_data()
    {
        QTest::addColumn<QPoint>("origin"); // where the viewer sits on the desktop
        QTest::addColumn<Steps>("steps");
        const Steps away{{{100, 359}, true}, {{100, 330}, true}, {{100, 100}, false}};
        QTest::newRow("bottom row") << QPoint() << Steps{{{100, 359}, true}};
        QTest::newRow("fifth row from the bottom") << QPoint() << Steps{{{100, 355}, true}};
        QTest::newRow("sixth row from the bottom") << QPoint() << Steps{{{100, 354}, false}};
        QTest::newRow("stays on the bar, goes off it, comes back at the edge")
            << QPoint() << (Steps(away) << qMakePair(QPoint(300, 358), true));
        QTest::newRow("viewer away from the origin") << QPoint(100, 50) << away;
    }

    // The pointer is polled once a second, whether it moves or not; a poll that finds it
    // where it was changes nothing.
    void pollFollowsThePointer()
    {
        QFETCH(QPoint, origin);
        QFETCH(Steps, steps);
        UxVideoFullScreenViewer viewer;
        viewer.setGeometry(QRect(origin, QSize(640, 360)));
        auto *bar = new ControlBar;
        viewer.setControlBar(bar);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        for (const auto &step : steps) {
            QCursor::setPos(viewer.mapToGlobal(step.first));
            QCOMPARE(viewer.mapFromGlobal(QCursor::pos()), step.first);
            QVERIFY(pollNow(viewer));
            QCOMPARE(bar->isVisible(), step.second);
            QVERIFY(pollNow(viewer));
            QCOMPARE(bar->isVisible(), step.second);
            if (step.second) // full width, flush with the bottom
                QCOMPARE(bar->geometry(), QRect(origin + QPoint(0, 320), QSize(640, 40)));
        }
    }

    void videoFillsTheWindowAfterResize()
    {
        UxVideoFullScreenViewer viewer;
        viewer.setGeometry(0, 0, 800, 450);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.setInputVideo(QSize(1920, 1080), false, false, false);
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3); // no effect once resized
        viewer.resize(800, 451);
        QTRY_COMPARE(viewer.viewerRect(), QRect(0, 0, 800, 451));
        QCOMPARE(viewer.videoRect(), QRect(0, 1, 800, 450));
    }
};

QTEST_MAIN(TestVideoFullScreenViewer)
#include "tst_uxvideofullscreenviewer.moc"
