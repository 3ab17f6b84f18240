#include <UxVideoViewer.h>

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using Ratio = UxVideoViewer::AspectRatio;

namespace {

const QColor kMargin(255, 0, 0);
const QColor kPadding(0, 0, 255);

struct Input
{
    QSize size;
    bool is3D, topBottom, unstretched;
};

QImage solid(const QSize &size, const QColor &colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// The viewer as the user sees it, sampled in logical coordinates at any pixel ratio.
class Rendering
{
public:
    explicit Rendering(QWidget &widget)
        : m_image(widget.grab().toImage())
    {
    }
    QColor at(int x, int y) const
    {
        const qreal r = m_image.devicePixelRatio();
        return m_image.pixelColor(int(x * r + r / 2), int(y * r + r / 2));
    }
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};

// Widgets get their resize events when they are shown, as in a host's window.
void showAt(QWidget &widget, const QSize &size)
{
    widget.resize(size);
    widget.show();
}

// Sends the mouse events that a real double click produces.
void doubleClick(QWidget &widget, const QPoint &at)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }
}

// Records the key presses that reach the viewer's parent.
class KeyWitness : public QWidget
{
public:
    int received = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        ++received;
        event->ignore(); // so that the event's acceptance tells what the viewer did
    }
};

} // namespace

Q_DECLARE_METATYPE(Input)

class TestVideoViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void viewerRect_data();
    void viewerRect();
    void videoRect_data();
    void videoRect();
    void videoRectSignalsOnlyChanges();
    void stereoLayoutKeepsInputSize();
    void painting_data();
    void painting();
    void scaledFrameMatchesQPainter();
    void translucentFrameShowsPreviousBuffer();
    void stillPictures();
    void videoHint_data();
    void videoHint();
    void sizeHints_data();
    void sizeHints();
    void styleSheetProperties();
    void singleAndDoubleClicks();
    void wheel_data();
    void wheel();
    void keys_data();
    void keys();
    void fullScreenWindowFlags_data();
    void fullScreenWindowFlags();
    void pointerHidesInFullScreen();
};

void TestVideoViewer::viewerRect_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("automatic is the whole widget") << QSize(800, 450) << 0 << QRect(0, 0, 800, 450);
    QTest::newRow("4:3 in a wide widget") << QSize(800, 450) << 1 << QRect(100, 0, 600, 450);
    QTest::newRow("16:9 in a tall widget") << QSize(800, 600) << 2 << QRect(0, 75, 800, 450);
    QTest::newRow("16:9, odd size") << QSize(801, 451) << 2 << QRect(0, 1, 801, 450);
    QTest::newRow("unknown value acts as 4:3") << QSize(800, 450) << 7 << QRect(100, 0, 600, 450);
    QTest::newRow("empty widget") << QSize(0, 0) << 2 << QRect(0, 0, 0, 0);
}

void TestVideoViewer::viewerRect()
{
    QFETCH(QSize, widget);
    QFETCH(int, ratio);
    QFETCH(QRect, expected);
    UxVideoViewer viewer;
    showAt(viewer, widget);
    viewer.setAspectRatio(Ratio(ratio));
    QCOMPARE(viewer.viewerRect(), expected);
}

void TestVideoViewer::videoRect_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<Input>("input");
    QTest::addColumn<QRect>("expected");
    const QSize w(800, 450);
    QTest::newRow("2D fills") << w << 0 << Input{{1920, 1080}, false, false, false}
                              << QRect(0, 0, 800, 450);
    QTest::newRow("side by side is stretched")
        << w << 0 << Input{{960, 1080}, true, false, false} << QRect(0, 0, 800, 450);
    QTest::newRow("top and bottom is stretched")
        << w << 0 << Input{{960, 1080}, true, true, false} << QRect(300, 0, 200, 450);
    QTest::newRow("unstretched 3D stays")
        << w << 0 << Input{{960, 1080}, true, false, true} << QRect(200, 0, 400, 450);
    QTest::newRow("2D ignores the layout flag")
        << w << 0 << Input{{960, 1080}, false, true, false} << QRect(200, 0, 400, 450);
    QTest::newRow("16:9 video in a 4:3 box")
        << w << 1 << Input{{1920, 1080}, false, false, false} << QRect(100, 56, 600, 337);
    QTest::newRow("odd sizes truncate")
        << QSize(333, 250) << 0 << Input{{1280, 720}, false, false, false}
        << QRect(0, 31, 333, 187);
    QTest::newRow("zero width is an empty rectangle")
        << w << 0 << Input{{0, 1080}, false, false, false} << QRect(QPoint(399, 224), QSize(0, 0));
    QTest::newRow("zero height likewise")
        << w << 0 << Input{{1920, 0}, true, true, false} << QRect(QPoint(399, 224), QSize(0, 0));
    QTest::newRow("huge input saturates, no overflow")
        << w << 0 << Input{{2147483647, 2147483647}, true, false, false} << QRect(175, 0, 450, 450);
}

void TestVideoViewer::videoRect()
{
    QFETCH(QSize, widget);
    QFETCH(int, ratio);
    QFETCH(Input, input);
    QFETCH(QRect, expected);
    UxVideoViewer viewer;
    showAt(viewer, widget);
    viewer.setAspectRatio(Ratio(ratio));
    QSignalSpy changed(&viewer, SIGNAL(videoRectChanged(QRect)));
    viewer.setInputVideo(input.size, input.is3D, input.topBottom, input.unstretched);
    QCOMPARE(viewer.videoRect(), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toRect(), expected);
}

void TestVideoViewer::videoRectSignalsOnlyChanges()
{
    UxVideoViewer viewer;
    QSignalSpy changed(&viewer, SIGNAL(videoRectChanged(QRect)));
    showAt(viewer, QSize(640, 360));
    QCOMPARE(changed.count(), 0); // no video announced yet
    viewer.setInputVideo(QSize(1920, 1080), false, false, false);
    viewer.setInputVideo(QSize(1280, 720), false, false, false); // same shape, same rectangle
    QResizeEvent sameSize(viewer.size(), viewer.size());         // recomputes, nothing changes
    QApplication::sendEvent(&viewer, &sameSize);
    QCOMPARE(changed.count(), 1);
    viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(viewer.videoRect(), QRect(80, 45, 480, 270));
}

void TestVideoViewer::stereoLayoutKeepsInputSize()
{
    UxVideoViewer viewer;
    showAt(viewer, QSize(800, 450));
    viewer.setInputVideo(QSize(960, 1080), true, false, false);
    QCOMPARE(viewer.videoRect(), QRect(0, 0, 800, 450));
    viewer.update3DInput(true, false, true);
    QCOMPARE(viewer.videoRect(), QRect(200, 0, 400, 450));
    viewer.update3DInput(true, true, false);
    QCOMPARE(viewer.videoRect(), QRect(300, 0, 200, 450));
}

void TestVideoViewer::painting_data()
{
    QTest::addColumn<QString>("content"); // "none", "frame", "pattern"
    QTest::addColumn<QPoint>("inMargin");
    QTest::addColumn<QPoint>("inPadding");
    QTest::addColumn<QPoint>("inPicture");
    // An 800 x 450 viewer at 4:3 with 16:9 video: margins 100 pixels left and right,
    // padding 56 rows above and below the picture (100, 56) 600 x 337.
    QTest::newRow("no frame: padding colour")
        << "none" << QPoint(50, 225) << QPoint(400, 20) << QPoint(400, 225);
    QTest::newRow("frame") << "frame" << QPoint(750, 225) << QPoint(400, 440) << QPoint(400, 225);
    QTest::newRow("padding image instead of both colours")
        << "pattern" << QPoint(50, 225) << QPoint(400, 20) << QPoint(400, 225);
}

void TestVideoViewer::painting()
{
    QFETCH(QString, content);
    QFETCH(QPoint, inMargin);
    QFETCH(QPoint, inPadding);
    QFETCH(QPoint, inPicture);
    QTemporaryDir dir;
    const QString tile = dir.filePath("tile.png");
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.fill(Qt::yellow);
    checker.setPixelColor(1, 0, Qt::cyan);
    checker.setPixelColor(0, 1, Qt::cyan);
    QVERIFY(checker.save(tile));

    UxVideoViewer viewer;
    viewer.resize(800, 450);
    viewer.setMarginColor(kMargin);
    viewer.setPaddingColor(kPadding);
    viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3);
    viewer.setInputVideo(QSize(1920, 1080), false, false, false);
    const QColor picture = content == "none" ? kPadding : QColor(Qt::green);
    if (content != "none")
        viewer.onUpdateVideo(solid(QSize(160, 90), Qt::green));
    if (content == "pattern")
        viewer.setPaddingBrush(tile);
    const Rendering r(viewer);

    if (content == "pattern") {
        // Tiled from the widget's origin, over margin and padding alike.
        for (const QPoint &p : {inMargin, inPadding}) {
            const bool even = (p.x() + p.y()) % 2 == 0;
            QCOMPARE(r.at(p.x(), p.y()), QColor(even ? Qt::yellow : Qt::cyan));
        }
    } else {
        QCOMPARE(r.at(inMargin.x(), inMargin.y()), kMargin);
        QCOMPARE(r.at(inPadding.x(), inPadding.y()), kPadding);
    }
    QCOMPARE(r.at(inPicture.x(), inPicture.y()), picture);
    QCOMPARE(r.at(100, 56), picture); // the picture's corners
    QCOMPARE(r.at(699, 392), picture);
    QCOMPARE(r.at(99, 56) == picture, false);
    QCOMPARE(r.at(100, 55) == picture, content == "none");
}

// The widget's frame path draws what QPainter draws of its 24-bit buffer, at any ratio.
void TestVideoViewer::scaledFrameMatchesQPainter()
{
    QImage frame(QSize(1920, 1080), QImage::Format_RGB32);
    QRandomGenerator random(5);
    for (int y = 0; y < frame.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            line[x] = random.generate() | 0xff000000u;
    }
    UxVideoViewer viewer;
    viewer.resize(853, 480);
    viewer.setInputVideo(frame.size(), false, false, false);
    viewer.onUpdateVideo(frame);
    const QImage shown = viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QImage expected(shown.size(), QImage::Format_RGB32);
    expected.setDevicePixelRatio(shown.devicePixelRatio());
    expected.fill(Qt::black);
    QPainter painter(&expected);
    const QRect picture = viewer.videoRect();
    painter.setClipRect(picture);
    painter.drawImage(picture, frame.convertToFormat(QImage::Format_RGB888));
    painter.end();
    QCOMPARE(shown, expected);
}

void TestVideoViewer::translucentFrameShowsPreviousBuffer()
{
    UxVideoViewer viewer;
    viewer.resize(200, 100);
    viewer.onUpdateVideo(solid(QSize(20, 10), Qt::green));
    QImage overlay = solid(QSize(20, 10), Qt::transparent, QImage::Format_ARGB32);
    overlay.setPixelColor(15, 5, Qt::red);
    viewer.onUpdateVideo(overlay);
    const Rendering r(viewer);
    QCOMPARE(r.at(25, 25), QColor(Qt::green));
    QCOMPARE(r.at(155, 55), QColor(Qt::red));

    // A frame of another size starts from a buffer of the padding colour.
    viewer.setPaddingColor(kPadding);
    viewer.onUpdateVideo(solid(QSize(40, 20), Qt::transparent, QImage::Format_ARGB32));
    QCOMPARE(Rendering(viewer).at(100, 50), kPadding);
    viewer.onUpdateVideo(QImage()); // a null frame changes nothing
    QCOMPARE(Rendering(viewer).at(100, 50), kPadding);
}

void TestVideoViewer::stillPictures()
{
    UxVideoViewer viewer;
    viewer.resize(160, 90);
    viewer.setPaddingColor(kPadding);
    viewer.onUpdateVideo(solid(QSize(16, 9), Qt::green));

    viewer.setShowStaticPicture(true, solid(QSize(32, 18), Qt::magenta));
    QVERIFY(viewer.isShowStaticPicture());
    viewer.onUpdateVideo(solid(QSize(16, 9), Qt::green)); // ignored while the picture shows
    QCOMPARE(Rendering(viewer).at(80, 45), QColor(Qt::magenta));

    // With the flag off the picture still shows, until the next frame replaces it.
    viewer.setShowStaticPicture(false, solid(QSize(32, 18), Qt::yellow));
    QCOMPARE(Rendering(viewer).at(80, 45), QColor(Qt::yellow));
    viewer.onUpdateVideo(solid(QSize(16, 9), Qt::green));
    QCOMPARE(Rendering(viewer).at(80, 45), QColor(Qt::green));

    // A path that does not load, or the flag off, stores no picture: padding shows.
    viewer.setShowStaticPicture(true, QStringLiteral("/nonexistent/still.png"));
    QCOMPARE(Rendering(viewer).at(80, 45), kPadding);
    QTemporaryDir dir;
    const QString path = dir.filePath("still.png");
    QVERIFY(solid(QSize(8, 8), Qt::cyan).save(path));
    viewer.setShowStaticPicture(false, path);
    QCOMPARE(Rendering(viewer).at(80, 45), kPadding);
    viewer.setShowStaticPicture(true, path);
    QCOMPARE(Rendering(viewer).at(80, 45), QColor(Qt::cyan));

    viewer.clearVideo();
    QCOMPARE(Rendering(viewer).at(80, 45), kPadding);
    QVERIFY(viewer.isShowStaticPicture()); // clearing keeps the flag
}

void TestVideoViewer::videoHint_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QSize>("video");
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("den");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("16:9 at 642") << 642 << QSize(1920, 1080) << 16 << 9 << QSize(640, 360);
    QTest::newRow("4:3 video as 16:9") << 642 << QSize(1440, 1080) << 16 << 9 << QSize(640, 360);
    QTest::newRow("no display aspect: the video's")
        << 500 << QSize(720, 576) << 0 << 1 << QSize(496, 400);
    QTest::newRow("empty video") << 642 << QSize(0, 0) << 16 << 9 << QSize(0, 0);
    QTest::newRow("empty video, no aspect") << 642 << QSize(0, 1080) << 0 << 0 << QSize(0, 0);
}

void TestVideoViewer::videoHint()
{
    QFETCH(int, width);
    QFETCH(QSize, video);
    QFETCH(int, num);
    QFETCH(int, den);
    QFETCH(QSize, expected);
    UxVideoViewer viewer;
    QCOMPARE(viewer.calcVideoHint(width, video, num, den), expected);
    showAt(viewer, QSize(width, 300)); // the short form takes the viewer rectangle's width
    QCOMPARE(viewer.calcVideoHint(video, num, den), expected);
}

void TestVideoViewer::sizeHints_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QSize>("hint");
    QTest::addColumn<QSize>("minimum");
    const QFrame plain;
    QTest::newRow("16:9") << 2 << QSize(640, 360) << QSize(320, 180);
    QTest::newRow("4:3") << 1 << QSize(640, 480) << QSize(320, 240);
    QTest::newRow("automatic") << 0 << plain.sizeHint() << plain.minimumSizeHint();
}

void TestVideoViewer::sizeHints()
{
    QFETCH(int, ratio);
    QFETCH(QSize, hint);
    QFETCH(QSize, minimum);
    UxVideoViewer viewer;
    viewer.resize(650, 100);
    viewer.setAspectRatio(Ratio(ratio));
    QCOMPARE(viewer.sizeHint(), hint);
    QCOMPARE(viewer.minimumSizeHint(), minimum);
}

void TestVideoViewer::styleSheetProperties()
{
    QWidget host;
    UxVideoViewer *viewer = new UxVideoViewer(&host);
    host.setStyleSheet("UxVideoViewer { qproperty-aspectRatio: AspectRatio_16_9; "
                       "qproperty-clrMargin: #102030; qproperty-clrPadding: #405060; }");
    viewer->ensurePolished();
    QCOMPARE(viewer->aspectRatio(), UxVideoViewer::AspectRatio_16_9);
    QCOMPARE(viewer->marginColor(), QColor("#102030"));
    QCOMPARE(viewer->paddingColor(), QColor("#405060"));
    viewer->setPaddingBrush(QStringLiteral(":/some/image.png"));
    QCOMPARE(viewer->paddingBrush(), QString());
    QCOMPARE(viewer->setProperty("aspectRatio", "AspectRatio_4_3"), true);
    QCOMPARE(viewer->aspectRatio(), UxVideoViewer::AspectRatio_4_3);
}

void TestVideoViewer::singleAndDoubleClicks()
{
    UxVideoViewer viewer;
    viewer.resize(200, 100);
    QSignalSpy playPause(&viewer, SIGNAL(actPlayOrPause()));
    QSignalSpy screen(&viewer, SIGNAL(changeScreen()));

    QTest::mouseClick(&viewer, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QCOMPARE(playPause.count(), 0); // not before the 300 ms are up
    QTRY_COMPARE_WITH_TIMEOUT(playPause.count(), 1, 1000);

    doubleClick(viewer, QPoint(50, 50));
    QCOMPARE(screen.count(), 1);
    QTest::qWait(450);
    QCOMPARE(playPause.count(), 1); // the double click cancelled its first press

    QTest::mouseClick(&viewer, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
    QTest::qWait(400);
    QCOMPARE(playPause.count(), 1);
}

void TestVideoViewer::wheel_data()
{
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<int>("volume");
    QTest::newRow("one notch") << QPoint(0, 120) << 24;
    QTest::newRow("two notches back") << QPoint(0, -240) << -48;
    QTest::newRow("a fine step truncates") << QPoint(0, 4) << 0;
    QTest::newRow("horizontal wheel") << QPoint(-120, 10) << -24;
}

void TestVideoViewer::wheel()
{
    QFETCH(QPoint, angle);
    QFETCH(int, volume);
    UxVideoViewer viewer;
    QSignalSpy changed(&viewer, SIGNAL(volumChange(int)));
    QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&viewer, &event);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), volume);
}

void TestVideoViewer::keys_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("signal"); // empty: none
    QTest::addColumn<bool>("reachesParent");
    const int none = Qt::NoModifier, alt = Qt::AltModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("Escape windowed") << false << int(Qt::Key_Escape) << none << "" << true;
    QTest::newRow("Escape full screen")
        << true << int(Qt::Key_Escape) << none << "outFullscreen" << false;
    QTest::newRow("Alt+Return full screen")
        << true << int(Qt::Key_Return) << alt << "outFullscreen" << false;
    QTest::newRow("Alt+Shift+Return")
        << true << int(Qt::Key_Return) << int(alt | Qt::ShiftModifier) << "" << true;
    QTest::newRow("Alt+Enter is not Return") << true << int(Qt::Key_Enter) << alt << "" << true;
    QTest::newRow("Ctrl+S full screen") << true << int(Qt::Key_S) << ctrl << "stop" << false;
    QTest::newRow("Ctrl+Shift+S") << true << int(Qt::Key_S) << int(ctrl | Qt::ShiftModifier) << ""
                                  << true;
    QTest::newRow("Ctrl+S windowed") << false << int(Qt::Key_S) << ctrl << "" << true;
    QTest::newRow("Space") << false << int(Qt::Key_Space) << none << "actPlayOrPause" << true;
    QTest::newRow("Up") << false << int(Qt::Key_Up) << none << "volumChange+10" << true;
    QTest::newRow("Down in full screen")
        << true << int(Qt::Key_Down) << ctrl << "volumChange-10" << true;
}

void TestVideoViewer::keys()
{
    QFETCH(bool, fullScreen);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, signal);
    QFETCH(bool, reachesParent);
    KeyWitness parent;
    UxVideoViewer *viewer = new UxVideoViewer(&parent);
    parent.show();
    if (fullScreen)
        viewer->toggleFullscreen();
    QCOMPARE(viewer->isFullScreen(), fullScreen);
    QSignalSpy out(viewer, SIGNAL(outFullscreen()));
    QSignalSpy stop(viewer, SIGNAL(stop()));
    QSignalSpy play(viewer, SIGNAL(actPlayOrPause()));
    QSignalSpy volume(viewer, SIGNAL(volumChange(int)));

    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(viewer, &press);

    QCOMPARE(out.count(), signal == "outFullscreen" ? 1 : 0);
    QCOMPARE(stop.count(), signal == "stop" ? 1 : 0);
    QCOMPARE(play.count(), signal == "actPlayOrPause" ? 1 : 0);
    QCOMPARE(volume.count(), signal.startsWith("volumChange") ? 1 : 0);
    if (!volume.isEmpty())
        QCOMPARE(volume.at(0).at(0).toInt(), signal.endsWith("+10") ? 10 : -10);
    // A full-screen viewer is a window of its own: nothing propagates past it.
    QCOMPARE(parent.received, reachesParent && !fullScreen ? 1 : 0);
    QCOMPARE(press.isAccepted(), !reachesParent);
    QCOMPARE(viewer->isFullScreen(), fullScreen); // the viewer only asks; the host leaves
}

void TestVideoViewer::fullScreenWindowFlags_data()
{
    QTest::addColumn<int>("initialFlags");
    QTest::addColumn<int>("fullScreenType");
    QTest::newRow("embedded") << int(Qt::Widget) << 0x13;
    QTest::newRow("sub-window") << int(Qt::SubWindow) << int(Qt::Window);
    QTest::newRow("hints are kept") << int(Qt::Widget | Qt::WindowStaysOnTopHint) << 0x13;
}

void TestVideoViewer::fullScreenWindowFlags()
{
    QFETCH(int, initialFlags);
    QFETCH(int, fullScreenType);
    QWidget parent;
    UxVideoViewer *viewer = new UxVideoViewer(&parent);
    viewer->setWindowFlags(Qt::WindowFlags(initialFlags));
    parent.show();
    const Qt::WindowFlags initial(initialFlags);
    const Qt::WindowFlags hints = initial & ~Qt::WindowType_Mask;

    viewer->toggleFullscreen();
    QVERIFY(viewer->isFullScreen());
    QCOMPARE(int(viewer->windowType()), fullScreenType);
    QCOMPARE(viewer->windowFlags() & hints, hints);
    QCOMPARE(viewer->parentWidget(), &parent);

    viewer->toggleFullscreen(); // the second call leaves
    QVERIFY(!viewer->isFullScreen());
    QCOMPARE(viewer->windowType(), initial & Qt::WindowType_Mask);
    QCOMPARE(viewer->windowFlags() & hints, hints);
    QCOMPARE(viewer->parentWidget(), &parent);
}

void TestVideoViewer::pointerHidesInFullScreen()
{
    UxVideoViewer viewer;
    viewer.resize(320, 180);
    QSignalSpy hidden(&viewer, SIGNAL(mouseHide()));
    QSignalSpy shown(&viewer, SIGNAL(mouseShow(QPoint)));
    QTest::mouseMove(&viewer, QPoint(10, 10)); // windowed: nothing
    QCOMPARE(shown.count(), 0);

    viewer.toggleFullscreen();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTRY_COMPARE_WITH_TIMEOUT(hidden.count(), 1, 2000);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);

    QMouseEvent move(QEvent::MouseMove, QPointF(20, 30), QPointF(120, 130), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &move);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toPoint(), QPoint(120, 130));
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_COMPARE_WITH_TIMEOUT(hidden.count(), 2, 2000); // a second of rest hides it again

    viewer.toggleFullscreen(); // leaving pops the blank cursor
    QVERIFY(!QGuiApplication::overrideCursor());

    // Not hidable: moves are still reported, the pointer stays.
    viewer.setMouseHidable(false);
    viewer.toggleFullscreen();
    QApplication::sendEvent(&viewer, &move); // clears the hidden state left from before
    QTest::qWait(1300);
    QCOMPARE(hidden.count(), 2);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(shown.count(), 2);
    viewer.toggleFullscreen();
}

QTEST_MAIN(TestVideoViewer)
#include "tst_uxvideoviewer.moc"
