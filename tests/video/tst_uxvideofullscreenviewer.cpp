#include <UxVideoFullScreenViewer.h>

#include <QCursor>
#include <QScreen>
#include <QtTest>

namespace {

// A host control bar: play, pause, a position slider; only its height matters here.
class ControlBar : public QWidget
{
public:
    QSize sizeHint() const override { return QSize(200, 40); }
};

// A 640 x 360 viewer at the screen's origin with a fresh bar attached.
ControlBar *attachBar(UxVideoFullScreenViewer &viewer, bool show)
{
    viewer.setGeometry(0, 0, 640, 360);
    ControlBar *bar = new ControlBar;
    viewer.setControlBar(bar);
    if (show) {
        viewer.show();
        if (!QTest::qWaitForWindowExposed(&viewer))
            qFatal("viewer not exposed");
    }
    return bar;
}

} // namespace

class TestVideoFullScreenViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameless()
    {
        UxVideoFullScreenViewer viewer;
        QCOMPARE(viewer.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(viewer.sizeHint(), screen);
        QCOMPARE(viewer.minimumSizeHint(), screen);
    }

    void setControlBar()
    {
        UxVideoFullScreenViewer viewer;
        ControlBar *first = new ControlBar;
        first->show();
        viewer.setControlBar(first);
        QCOMPARE(viewer.controlBar(), first);
        QCOMPARE(first->parentWidget(), &viewer);
        QVERIFY(first->isHidden()); // hidden at once, although it was shown
        QCOMPARE(first->windowFlags() & (Qt::Window | Qt::FramelessWindowHint),
                 Qt::Window | Qt::FramelessWindowHint);

        ControlBar *second = new ControlBar;
        viewer.setControlBar(second);
        QCOMPARE(first->parentWidget(), nullptr); // handed back to the caller
        delete first;
        viewer.setControlBar(nullptr);
        QCOMPARE(viewer.controlBar(), nullptr);
        delete second;
        viewer.showControlBar(); // without a bar, nothing happens
        viewer.hideControlBar();
    }

    void showAndHideSlots()
    {
        UxVideoFullScreenViewer viewer;
        ControlBar *bar = attachBar(viewer, false);
        viewer.showControlBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->geometry(), QRect(0, 320, 640, 40)); // full width, flush with the bottom
        viewer.hideControlBar();
        QVERIFY(bar->isHidden());
    }

    void pollShowsBarAtBottomRows_data()
    {
        QTest::addColumn<int>("rowsAboveBottom");
        QTest::addColumn<bool>("shows");
        QTest::newRow("bottom row") << 0 << true;
        QTest::newRow("fifth row from the bottom") << 4 << true;
        QTest::newRow("sixth row from the bottom") << 5 << false;
    }

    void pollShowsBarAtBottomRows()
    {
        QFETCH(int, rowsAboveBottom);
        QFETCH(bool, shows);
        UxVideoFullScreenViewer viewer;
        ControlBar *bar = attachBar(viewer, true);
        const QPoint local(100, viewer.rect().bottom() - rowsAboveBottom);
        QCursor::setPos(viewer.mapToGlobal(local));
        QCOMPARE(viewer.mapFromGlobal(QCursor::pos()), local);
        if (shows) {
            QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 1500);
        } else {
            QTest::qWait(1300);
            QVERIFY(bar->isHidden());
        }
    }

    void pollHidesBarWhenPointerLeaves()
    {
        UxVideoFullScreenViewer viewer;
        ControlBar *bar = attachBar(viewer, true);
        QCursor::setPos(viewer.mapToGlobal(QPoint(100, 359)));
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 1500);
        QCursor::setPos(viewer.mapToGlobal(QPoint(100, 330))); // on the bar: it stays
        QTest::qWait(1200);
        QVERIFY(bar->isVisible());
        QCursor::setPos(viewer.mapToGlobal(QPoint(100, 100))); // off the bar
        QTRY_VERIFY_WITH_TIMEOUT(bar->isHidden(), 1500);
        QCursor::setPos(viewer.mapToGlobal(QPoint(300, 358))); // and back to the edge
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 1500);
    }

    void videoFillsWindowAfterResize()
    {
        UxVideoFullScreenViewer viewer;
        viewer.setGeometry(0, 0, 800, 450);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.setInputVideo(QSize(1920, 1080), false, false, false);
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3);
        QCOMPARE(viewer.viewerRect(), QRect(100, 0, 600, 450)); // letter-boxed for now
        viewer.resize(800, 450 + 1);
        QTRY_COMPARE(viewer.viewerRect(), QRect(0, 0, 800, 451));
        QCOMPARE(viewer.videoRect(), QRect(0, 1, 800, 450));
    }
};

QTEST_MAIN(TestVideoFullScreenViewer)
#include "tst_uxvideofullscreenviewer.moc"
