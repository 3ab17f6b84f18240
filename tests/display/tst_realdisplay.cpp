// What only a real X server shows: full screen, the pointer the server draws, windows
// stacked by a window manager (or by none) and the keyboard focus moving between
// applications. Input goes through the server (XTEST) and the checks read the server's
// pixels and pointer image; run.sh starts the server and, when asked, a window manager.

#include <UxTrimSeekingBar.h>
#include <UxVideoFullScreenViewer.h>
#include <UxVideoOperationViewer.h>

#include "support/XServerInput.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QColor kClipMiddle(255, 140, 0);
const QColor kClipOutside(30, 60, 200);
const QColor kControlBar(200, 0, 200);
const int kShortWait = 3000; // a second of rest or a once-a-second poll, with room to spare

// A clip frame: its middle third one colour, the rest another, so the screen's middle
// tells the picture from the black around it.
QImage clipFrame()
{
    QImage frame(320, 180, QImage::Format_RGB32);
    frame.fill(kClipOutside);
    QPainter(&frame).fillRect(QRect(107, 60, 106, 60), kClipMiddle);
    return frame;
}

bool sameColour(const QColor &a, const QColor &b)
{
    const int tolerance = 24;
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

// The server counts device pixels; Qt gives logical ones.
QPoint toDevice(const QPoint &logical)
{
    return logical * qApp->devicePixelRatio();
}

QRect toDevice(const QRect &logical)
{
    return QRect(toDevice(logical.topLeft()), logical.size() * qApp->devicePixelRatio());
}

QRect screenRect()
{
    return toDevice(QGuiApplication::primaryScreen()->geometry());
}

QPoint centreOnScreen(const QWidget &widget)
{
    return toDevice(widget.mapToGlobal(widget.rect().center()));
}

// What the application's override cursor stack holds on top, as a comparable value.
int overrideCursorShape()
{
    const QCursor *top = QGuiApplication::overrideCursor();
    return top ? int(top->shape()) : -1;
}

// The host of an embedded viewer: a window with the viewer between two labels, full
// screen and back on a double click or on the viewer's request to leave.
struct EmbeddingHost
{
    QWidget window;
    QLabel *above = new QLabel(QStringLiteral("Above the video"));
    UxVideoViewer *viewer = new UxVideoViewer;
    QSignalSpy playOrPause{viewer, SIGNAL(actPlayOrPause())};
    QSignalSpy volume{viewer, SIGNAL(volumChange(int))};

    EmbeddingHost()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(above);
        layout->addWidget(viewer, 1);
        layout->addWidget(new QLabel(QStringLiteral("Below the video")));
        viewer->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(viewer, SIGNAL(changeScreen()), viewer, SLOT(toggleFullscreen()));
        QObject::connect(viewer, SIGNAL(outFullscreen()), viewer, SLOT(toggleFullscreen()));
        window.setGeometry(QRect(QPoint(60, 60), QSize(320, 240)));
    }
};

// A host control bar in one colour, so the screen shows whether it is up.
class ControlBar : public QWidget
{
public:
    ControlBar()
    {
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, kControlBar);
        setPalette(colours);
    }
    QSize sizeHint() const override { return QSize(200, 40); }
};

// A window for the keyboard: a label to click on, a trim bar and a crop viewer.
struct EditingHost
{
    QWidget window;
    QLabel *label = new QLabel(QStringLiteral("Click here"));
    UxTrimSeekingBar *trim = new UxTrimSeekingBar;
    UxVideoOperationViewer *crop = new UxVideoOperationViewer;

    EditingHost()
    {
        auto *layout = new QVBoxLayout(&window);
        label->setMinimumHeight(40);
        layout->addWidget(label);
        layout->addWidget(trim);
        layout->addWidget(crop, 1);
        trim->setRange(0, 1000);
        trim->setTrimStartEnd(100, 900, 0);
        crop->setMinimumSize(200, 200);
        crop->setMaximumSize(200, 200);
        crop->setFocusPolicy(Qt::StrongFocus);
        crop->setInputVideo(QSize(200, 200), false, false, false);
        window.setGeometry(QRect(QPoint(60, 60), QSize(260, 340)));
    }

    QToolButton *startHandle() const
    {
        return trim->findChild<QToolButton *>(QStringLiteral("btnTrimLeft"));
    }
};

} // namespace

class TestRealDisplay : public QObject
{
    Q_OBJECT

    XServerInput m_x;

    void showAndActivate(QWidget &window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // Waits for the server to show the colour at the point.
    bool screenShows(const QPoint &at, const QColor &colour)
    {
        return QTest::qWaitFor([&] { return sameColour(m_x.pixelAt(at), colour); }, kShortWait);
    }

    bool pointerBecomes(bool visible)
    {
        return QTest::qWaitFor([&] { return m_x.pointerVisible() == visible; }, kShortWait);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_x.problem().isEmpty(), qPrintable(m_x.problem()));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        // run.sh says whether it started a window manager; the server must agree.
        const QByteArray expected = qgetenv("COMMONCTRLS_EXPECT_WINDOW_MANAGER");
        QVERIFY2(!expected.isEmpty(), "run the suite through tests/display/run.sh");
        QCOMPARE(m_x.hasWindowManager(), expected == "1");
    }

    void embeddedViewerFillsTheScreenAndReturns_data()
    {
        QTest::addColumn<QByteArray>("leaveKey"); // empty: leave with a second double click
        QTest::addColumn<QByteArrayList>("leaveModifiers");
        QTest::newRow("Escape") << QByteArray("Escape") << QByteArrayList();
        QTest::newRow("Alt+Return") << QByteArray("Return") << QByteArrayList{"Alt_L"};
        QTest::newRow("second double click") << QByteArray() << QByteArrayList();
    }

    void embeddedViewerFillsTheScreenAndReturns()
    {
        QFETCH(QByteArray, leaveKey);
        QFETCH(QByteArrayList, leaveModifiers);
        EmbeddingHost host;
        showAndActivate(host.window);
        host.viewer->onUpdateVideo(clipFrame());
        host.viewer->setFocus();
        const QRect placeInLayout = host.viewer->geometry();
        const QPoint placeOnScreen = centreOnScreen(*host.viewer);
        QVERIFY(screenShows(placeOnScreen, kClipMiddle));

        m_x.click(placeOnScreen, 2);
        QVERIFY(QTest::qWaitFor([&] { return host.viewer->isFullScreen(); }, kShortWait));
        QTRY_COMPARE_WITH_TIMEOUT(m_x.windowRect(host.viewer->winId()), screenRect(), kShortWait);
        QVERIFY(screenShows(screenRect().center(), kClipMiddle));
        QVERIFY(pointerBecomes(false));        // at rest for a second
        QCOMPARE(host.playOrPause.count(), 0); // the double click took back its first press

        if (leaveKey.isEmpty())
            m_x.click(screenRect().center(), 2);
        else
            m_x.pressKey(leaveKey, leaveModifiers);
        QVERIFY(QTest::qWaitFor([&] { return !host.viewer->isWindow(); }, kShortWait));
        QTRY_COMPARE_WITH_TIMEOUT(host.viewer->geometry(), placeInLayout, kShortWait);
        QTRY_COMPARE_WITH_TIMEOUT(centreOnScreen(*host.viewer), placeOnScreen, kShortWait);
        QVERIFY(screenShows(placeOnScreen, kClipMiddle));
        QCOMPARE(overrideCursorShape(), -1);
        m_x.movePointer(placeOnScreen);
        QVERIFY(pointerBecomes(true));

        // The keyboard still reaches the viewer in its window.
        m_x.pressKey("Up");
        QTRY_COMPARE_WITH_TIMEOUT(host.volume.count(), 1, kShortWait);
    }

    void fullScreenViewerBarAndPointer_data()
    {
        QTest::addColumn<int>("hostCursor"); // a shape the host pushed before, or -1
        QTest::addColumn<bool>("pointerShownAtLeaving");
        QTest::newRow("no host cursor, left with the pointer hidden") << -1 << false;
        QTest::newRow("host's wait cursor, left with the pointer shown")
            << int(Qt::WaitCursor) << true;
    }

    void fullScreenViewerBarAndPointer()
    {
        QFETCH(int, hostCursor);
        QFETCH(bool, pointerShownAtLeaving);
        if (hostCursor >= 0)
            QGuiApplication::setOverrideCursor(QCursor(Qt::CursorShape(hostCursor)));
        UxVideoFullScreenViewer viewer;
        auto *bar = new ControlBar;
        viewer.setControlBar(bar);
        viewer.setFocusPolicy(Qt::StrongFocus);
        connect(&viewer, SIGNAL(outFullscreen()), &viewer, SLOT(close()));
        viewer.setGeometry(QGuiApplication::primaryScreen()->geometry());
        viewer.showFullScreen();
        viewer.onUpdateVideo(clipFrame());
        showAndActivate(viewer);
        const QPoint middle = screenRect().center();
        QVERIFY(screenShows(middle, kClipMiddle));

        m_x.movePointer(middle);
        QVERIFY(pointerBecomes(false));
        m_x.movePointer(middle + QPoint(5, 5));
        QVERIFY(pointerBecomes(true));

        const QPoint barSpot(middle.x(), screenRect().bottom() - 2);
        QSignalSpy keyboardMoves(qApp, SIGNAL(focusWindowChanged(QWindow *)));
        m_x.movePointer(QPoint(middle.x(), screenRect().bottom()));
        QVERIFY(QTest::qWaitFor([&] { return bar->isVisible(); }, kShortWait));
        QVERIFY(screenShows(barSpot, kControlBar)); // above the full-screen window
        m_x.movePointer(middle);
        QVERIFY(QTest::qWaitFor([&] { return bar->isHidden(); }, kShortWait));
        QVERIFY(QTest::qWaitFor([&] { return !sameColour(m_x.pixelAt(barSpot), kControlBar); },
                                kShortWait));
        QCOMPARE(keyboardMoves.count(), 0); // the bar came and went; the keys stayed here

        QVERIFY(pointerBecomes(false));
        if (pointerShownAtLeaving) {
            m_x.movePointer(middle + QPoint(-5, -5));
            QVERIFY(pointerBecomes(true));
        }
        m_x.pressKey("Escape");
        QVERIFY(QTest::qWaitFor([&] { return !viewer.isVisible(); }, kShortWait));
        QCOMPARE(overrideCursorShape(), hostCursor);
        if (hostCursor >= 0)
            QGuiApplication::restoreOverrideCursor();
    }

    void keysAfterTheFocusReturns_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArrayList>("modifiers");
        QTest::addColumn<int>("expectedMove"); // trim start in values, crop left in pixels
        QTest::newRow("trim start handle, Right") << "trim start handle" << QByteArrayList() << 1;
        QTest::newRow("trim start handle, Shift+Right")
            << "trim start handle" << QByteArrayList{"Shift_L"} << 10;
        QTest::newRow("crop rectangle, Right") << "crop rectangle" << QByteArrayList() << 1;
        QTest::newRow("crop rectangle, Ctrl+Right")
            << "crop rectangle" << QByteArrayList{"Control_L"} << 10;
    }

    void keysAfterTheFocusReturns()
    {
        QFETCH(QString, target);
        QFETCH(QByteArrayList, modifiers);
        QFETCH(int, expectedMove);
        EditingHost host;
        showAndActivate(host.window);
        host.crop->setLogicVideo(QSize(200, 200), 0, 0, QRect(50, 50, 80, 60), QSize(20, 20));
        const bool trim = target == "trim start handle";
        if (trim) {
            host.trim->findChild<QWidget *>(QStringLiteral("playSeekingBar"))->setFocus();
            m_x.pressKey("Tab"); // from the seek bar to the start handle
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(),
                                      static_cast<QWidget *>(host.startHandle()), kShortWait);
        } else {
            host.crop->setFocus();
        }

        m_x.focusForeignWindow();
        QVERIFY(QTest::qWaitFor([&] { return !host.window.isActiveWindow(); }, kShortWait));
        m_x.click(centreOnScreen(*host.label));
        QVERIFY(QTest::qWaitFor([&] { return host.window.isActiveWindow(); }, kShortWait));

        const int before = trim ? host.trim->trimStart() : host.crop->focusRect().left();
        m_x.pressKey("Right", modifiers);
        const auto moved = [&] {
            return (trim ? host.trim->trimStart() : host.crop->focusRect().left()) - before;
        };
        QTRY_COMPARE_WITH_TIMEOUT(moved(), expectedMove, kShortWait);
    }
};

QTEST_MAIN(TestRealDisplay)
#include "tst_realdisplay.moc"
