#include <UxVideoViewer.h>

#include "support/SendInput.h"
#include "support/TestArtwork.h"

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <memory>

namespace {

const QColor kMargin(255, 0, 0), kPadding(0, 0, 255);

// An input video's size and its layout: flat, or two views side by side or one
// above the other, which the viewer stretches back to the whole picture unless
// told not to.
struct Input
{
    QSize size;
    bool is3D = false, topBottom = false, unstretched = false;

    static Input flat(const QSize &size) { return {size}; }
    static Input sideBySide(const QSize &size) { return {size, true}; }
    static Input topAndBottom(const QSize &size) { return {size, true, true}; }
    Input notStretched() const
    {
        Input kept = *this;
        kept.unstretched = true;
        return kept;
    }
};

// What the viewer shows before the checks of painting(): the picture's parts
// that differ.
enum class Content {
    Nothing,           // no frame yet: the padding colour where the picture goes
    Frame,             // a green frame
    NullAfterFrame,    // a frame, then a null one: no picture
    PaddingImage,      // a frame, with a tiled image in place of margin and padding
                       // colours
    TranslucentMargin, // a frame, with a half-transparent margin colour
};

// How a full-screen viewer goes after its pointer has rested, or leaves full screen.
enum class Goes {
    Destroyed,
    Hidden,
    Closed,
    HiddenBeforeTheRest,
    Toggled,
    MovedThenToggled,
    ToggledBackAndMoved
};

QImage solid(const QSize &size, const QColor &colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// The widget as the user sees it, sampled in logical coordinates at any pixel
// ratio.
QColor shownAt(QWidget &widget, int x, int y)
{
    const QImage image = widget.grab().toImage();
    const qreal r = image.devicePixelRatio();
    return image.pixelColor(int(x * r + r / 2), int(y * r + r / 2));
}

// Counts key presses reaching the viewer's parent, leaving them ignored.
class KeyWitness : public QWidget
{
public:
    int received = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        ++received;
        event->ignore();
    }
};

} // namespace

Q_DECLARE_METATYPE(Input)
Q_DECLARE_METATYPE(Content)
Q_DECLARE_METATYPE(Goes)

class TestVideoViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void geometry_data()
    {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QString>("ratio"); // set by name, as a style sheet does
        QTest::addColumn<Input>("input");
        QTest::addColumn<QRect>("viewer");
        QTest::addColumn<QRect>("video");
        const QSize w(800, 450);
        const Input hd = Input::flat({1920, 1080});
        const QRect all(0, 0, 800, 450), empty(QPoint(399, 224), QSize(0, 0));
        QTest::newRow("automatic") << w << "AspectRatio_Auto" << hd << all << all;
        QTest::newRow("4:3 box") << w << "AspectRatio_4_3" << hd << QRect(100, 0, 600, 450)
                                 << QRect(100, 56, 600, 337);
        QTest::newRow("16:9 box in a tall widget")
            << QSize(800, 600) << "AspectRatio_16_9" << hd << QRect(0, 75, 800, 450)
            << QRect(0, 75, 800, 450);
        QTest::newRow("odd size truncates") << QSize(801, 451) << "AspectRatio_16_9" << hd
                                            << QRect(0, 1, 801, 450) << QRect(1, 1, 800, 450);
        QTest::newRow("unknown value acts as 4:3")
            << w << "7" << hd << QRect(100, 0, 600, 450) << QRect(100, 56, 600, 337);
        QTest::newRow("side by side is stretched")
            << w << "AspectRatio_Auto" << Input::sideBySide({960, 1080}) << all << all;
        QTest::newRow("top and bottom is stretched")
            << w << "AspectRatio_Auto" << Input::topAndBottom({960, 1080}) << all
            << QRect(300, 0, 200, 450);
        QTest::newRow("unstretched stays")
            << w << "AspectRatio_Auto" << Input::sideBySide({960, 1080}).notStretched() << all
            << QRect(200, 0, 400, 450);
        QTest::newRow("zero width: empty at the centre")
            << w << "AspectRatio_Auto" << Input::flat({0, 1080}) << all << empty;
        QTest::newRow("zero height, 3D")
            << w << "AspectRatio_Auto" << Input::topAndBottom({1920, 0}) << all << empty;
        // Inputs at the integer limits saturate, never wrap: the picture is a non-empty
        // rectangle within the viewer, centred in it.
        const QSize huge(INT_MAX, INT_MAX);
        for (const Input &input :
             {Input::flat(huge), Input::sideBySide(huge), Input::topAndBottom(huge),
              Input::sideBySide(huge).notStretched()})
            QTest::addRow("INT_MAX, %s%s%s", input.is3D ? "3D" : "flat",
                          input.topBottom ? ", top and bottom" : "",
                          input.unstretched ? ", not stretched" : "")
                << w << "AspectRatio_Auto" << input << all << QRect();
    }

    void geometry()
    {
        QFETCH(QSize, widget);
        QFETCH(QString, ratio);
        QFETCH(Input, input);
        QFETCH(QRect, viewer);
        QFETCH(QRect, video);
        UxVideoViewer v;
        showAt(v, widget);
        if (ratio.startsWith("Aspect"))
            QVERIFY(v.setProperty("aspectRatio", ratio));
        else
            v.setAspectRatio(UxVideoViewer::AspectRatio(ratio.toInt()));
        QSignalSpy changed(&v, SIGNAL(videoRectChanged(QRect)));
        v.setInputVideo(input.size, input.is3D, input.topBottom, input.unstretched);
        QCOMPARE(v.viewerRect(), viewer);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toRect(), v.videoRect());
        if (video == QRect()) { // saturated
            QVERIFY(!v.videoRect().isEmpty() && viewer.contains(v.videoRect()));
            QVERIFY(qAbs(v.videoRect().center().x() - viewer.center().x()) <= 1);
            QVERIFY(qAbs(v.videoRect().center().y() - viewer.center().y()) <= 1);
            return;
        }
        QCOMPARE(v.videoRect(), video);
        if (input.is3D) { // the same layout announced again through update3DInput
            v.update3DInput(false, false, false);
            v.update3DInput(input.is3D, input.topBottom, input.unstretched);
            QCOMPARE(v.videoRect(), video);
        }
    }

    void videoRectSignalsOnlyChanges()
    {
        UxVideoViewer viewer;
        QSignalSpy changed(&viewer, SIGNAL(videoRectChanged(QRect)));
        showAt(viewer, QSize(640, 360));
        QCOMPARE(changed.count(), 0); // no video announced yet
        viewer.setInputVideo(QSize(1920, 1080), false, false, false);
        // The same shape, and the same size again: the same rectangle.
        viewer.setInputVideo(QSize(1280, 720), false, false, false);
        QResizeEvent sameSize(viewer.size(), viewer.size());
        QApplication::sendEvent(&viewer, &sameSize);
        QCOMPARE(changed.count(), 1);
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(viewer.videoRect(), QRect(80, 45, 480, 270));
    }

    void painting_data()
    {
        QTest::addColumn<Content>("content");
        // 800 x 450 at 4:3 with 16:9 video: margins of 100 columns left and right,
        // padding of 56 rows above and below the picture (100, 56) 600 x 337.
        QTest::newRow("no frame: padding colour") << Content::Nothing;
        QTest::newRow("frame") << Content::Frame;
        QTest::newRow("null frame after a frame: no picture") << Content::NullAfterFrame;
        QTest::newRow("padding image instead of both colours") << Content::PaddingImage;
        QTest::newRow("translucent margin over the background") << Content::TranslucentMargin;
    }

    void painting()
    {
        QFETCH(Content, content);
        ArtworkFolder art;
        const QString tile =
            art.save("tile.png", TestArtwork::checker(QSize(2, 2), Qt::yellow, Qt::cyan));

        UxVideoViewer viewer;
        viewer.resize(800, 450);
        viewer.setMarginColor(kMargin);
        viewer.setPaddingColor(kPadding);
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3);
        viewer.setInputVideo(QSize(1920, 1080), false, false, false);
        if (content != Content::Nothing)
            viewer.onUpdateVideo(solid(QSize(160, 90), Qt::green));
        if (content == Content::NullAfterFrame)
            viewer.onUpdateVideo(QImage());
        if (content == Content::PaddingImage)
            viewer.setPaddingBrush(tile);
        const QColor halfRed(255, 0, 0, 128);
        QImage blended = solid(QSize(1, 1), viewer.palette().window().color());
        QPainter(&blended).fillRect(0, 0, 1, 1, halfRed); // the window shows through
        if (content == Content::TranslucentMargin)
            viewer.setMarginColor(halfRed);
        QCOMPARE(viewer.paddingBrush(), QString()); // the path is not kept
        const bool noPicture = content == Content::Nothing || content == Content::NullAfterFrame;
        const QColor picture = noPicture ? kPadding : QColor(Qt::green);
        const auto tiled = [](int x, int y) { return QColor((x + y) % 2 ? Qt::cyan : Qt::yellow); };
        const QPoint margin(50, 225), padding(400, 20);
        const bool isTiled = content == Content::PaddingImage;
        QCOMPARE(shownAt(viewer, margin.x(), margin.y()), isTiled ? tiled(50, 225)
                                                          : content == Content::TranslucentMargin
                                                              ? blended.pixelColor(0, 0)
                                                              : kMargin);
        QCOMPARE(shownAt(viewer, padding.x(), padding.y()), isTiled ? tiled(400, 20) : kPadding);
        for (const QPoint &p :
             {QPoint(100, 56), QPoint(699, 392), QPoint(400, 225)}) // corners, middle
            QCOMPARE(shownAt(viewer, p.x(), p.y()), picture);
        QVERIFY(shownAt(viewer, 99, 56) != picture);
    }

    void scaledFrameMatchesQPainter_data()
    {
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QSize>("viewerSize");
        QTest::addColumn<int>("translucentRow"); // of the second frame; -1: opaque
        const QImage::Format rgb32 = QImage::Format_RGB32, argb32 = QImage::Format_ARGB32;
        QTest::newRow("1080p letter-boxed") << QSize(1920, 1080) << rgb32 << QSize(853, 480) << -1;
        QTest::newRow("720p 1:1") << QSize(1280, 720) << argb32 << QSize(1280, 720) << -1;
        QTest::newRow("1080p") << QSize(1920, 1080) << rgb32 << QSize(1280, 720) << -1;
        QTest::newRow("1080p ARGB32") << QSize(1920, 1080) << argb32 << QSize(1280, 720) << -1;
        QTest::newRow("4K") << QSize(3840, 2160) << rgb32 << QSize(1280, 720) << -1;
        QTest::newRow("4K ARGB32") << QSize(3840, 2160) << argb32 << QSize(1280, 720) << -1;
        QTest::newRow("4K translucent") << QSize(3840, 2160) << argb32 << QSize(1280, 720) << 999;
        QTest::newRow("1080p translucent") << QSize(1920, 1080) << argb32 << QSize(1280, 720) << 0;
    }

    // The frame path draws what QPainter draws of the 24-bit buffer: first frame,
    // next frame (another path) and after a resize.
    void scaledFrameMatchesQPainter()
    {
        QFETCH(QSize, frameSize);
        QFETCH(QImage::Format, format);
        QFETCH(QSize, viewerSize);
        QFETCH(int, translucentRow);
        QRandomGenerator random(5);
        QImage frames[2] = {QImage(frameSize, format), QImage(frameSize, format)};
        for (QImage &frame : frames) {
            for (int y = 0; y < frame.height(); ++y) {
                auto *line = reinterpret_cast<quint32 *>(frame.scanLine(y));
                for (int x = 0; x < frame.width(); ++x)
                    line[x] = random.generate() | 0xff000000u;
            }
        }
        if (translucentRow >= 0) // a band the first frame shows through
            for (int y = translucentRow; y < translucentRow + 40; ++y)
                for (int x = 0; x < frameSize.width(); x += 3)
                    frames[1].setPixel(x, y, 0x40ff0000u);
        UxVideoViewer viewer;
        viewer.resize(viewerSize);
        viewer.setInputVideo(frameSize, false, false, false);
        QImage buffer(frameSize, QImage::Format_RGB888);
        for (int step = 0; step < 3; ++step) { // two frames, then a resize
            if (step < 2) {
                viewer.onUpdateVideo(frames[step]);
                QPainter(&buffer).drawImage(0, 0, frames[step]);
            } else {
                viewer.resize(viewerSize / 2);
            }
            const QImage shown = viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QImage expected(shown.size(), QImage::Format_RGB32);
            expected.setDevicePixelRatio(shown.devicePixelRatio());
            expected.fill(Qt::black);
            QPainter painter(&expected);
            painter.setClipRect(viewer.videoRect());
            painter.drawImage(viewer.videoRect(), buffer);
            painter.end();
            QVERIFY(shown == expected);
        }
    }

    void frameBufferAndStillPictures()
    {
        UxVideoViewer viewer;
        viewer.resize(160, 90);
        viewer.setPaddingColor(kPadding);
        // A frame with transparency shows the previous buffer through it.
        viewer.onUpdateVideo(solid(QSize(16, 9), Qt::green));
        QImage overlay = solid(QSize(16, 9), Qt::transparent, QImage::Format_ARGB32);
        overlay.setPixelColor(12, 4, Qt::red);
        viewer.onUpdateVideo(overlay);
        QCOMPARE(shownAt(viewer, 20, 20), QColor(Qt::green));
        QCOMPARE(shownAt(viewer, 125, 45), QColor(Qt::red));
        // A frame of another size starts from the padding colour.
        viewer.onUpdateVideo(solid(QSize(32, 18), Qt::transparent, QImage::Format_ARGB32));
        QCOMPARE(shownAt(viewer, 80, 45), kPadding);

        viewer.setShowStaticPicture(true, solid(QSize(32, 18), Qt::magenta));
        viewer.onUpdateVideo(solid(QSize(16, 9), Qt::green)); // ignored while the picture shows
        QCOMPARE(shownAt(viewer, 80, 45), QColor(Qt::magenta));
        viewer.setShowStaticPicture(false, solid(QSize(32, 18), Qt::yellow)); // shown until a frame
        QCOMPARE(shownAt(viewer, 80, 45), QColor(Qt::yellow));
        viewer.onUpdateVideo(solid(QSize(16, 9), Qt::green));
        QCOMPARE(shownAt(viewer, 80, 45), QColor(Qt::green));

        ArtworkFolder art;
        const QString path = art.save("still.png", solid(QSize(8, 8), Qt::cyan));
        viewer.setShowStaticPicture(true, QStringLiteral("/nonexistent/still.png")); // no picture
        QCOMPARE(shownAt(viewer, 80, 45), kPadding);
        viewer.setShowStaticPicture(false, path); // the flag off stores nothing
        QCOMPARE(shownAt(viewer, 80, 45), kPadding);
        viewer.setShowStaticPicture(true, path);
        QCOMPARE(shownAt(viewer, 80, 45), QColor(Qt::cyan));
        viewer.clearVideo();
        QCOMPARE(shownAt(viewer, 80, 45), kPadding);
        QVERIFY(viewer.isShowStaticPicture()); // clearing keeps the flag
    }

    void videoHint_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QSize>("video");
        QTest::addColumn<int>("num");
        QTest::addColumn<int>("den");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("16:9 at 642") << 642 << QSize(1920, 1080) << 16 << 9 << QSize(640, 360);
        QTest::newRow("4:3 video as 16:9")
            << 642 << QSize(1440, 1080) << 16 << 9 << QSize(640, 360);
        QTest::newRow("no aspect: the video's")
            << 500 << QSize(720, 576) << 0 << 1 << QSize(496, 400);
        QTest::newRow("empty video") << 642 << QSize(0, 1080) << 0 << 0 << QSize(0, 0);
    }

    void videoHint()
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
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_16_9);
        QCOMPARE(viewer.sizeHint().height(), (width & ~15) * 9 / 16);
    }

    void clicksAndWheel()
    {
        UxVideoViewer viewer;
        viewer.resize(200, 100);
        QSignalSpy playPause(&viewer, SIGNAL(actPlayOrPause()));
        QSignalSpy screen(&viewer, SIGNAL(changeScreen()));
        QSignalSpy volume(&viewer, SIGNAL(volumChange(int)));
        QTest::mouseClick(&viewer, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QCOMPARE(playPause.count(), 0); // not before the 300 ms are up
        QTRY_COMPARE_WITH_TIMEOUT(playPause.count(), 1, 1000);

        doubleClick(viewer, QPoint(50, 50));
        QCOMPARE(screen.count(), 1);
        QTest::mouseClick(&viewer, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
        // Longer than a click waits to be told from a double click: the double click
        // cancelled its press, and the right button does nothing.
        QTest::qWait(450);
        QCOMPARE(playPause.count(), 1);

        // The wheel's dominant axis, divided by 5 and truncated.
        const int kMin = std::numeric_limits<int>::min();
        for (const QPoint &angle :
             {QPoint(0, 120), QPoint(0, -240), QPoint(0, 4), QPoint(-120, 10), QPoint(kMin, kMin)})
            sendWheel(viewer, QPoint(10, 10), angle);
        const QList<int> expected = {24, -48, 0, -24, kMin / 5};
        QCOMPARE(volume.count(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(volume.at(i).at(0).toInt(), expected[i]);
    }

    void keys_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("signal"); // empty: none
        QTest::addColumn<bool>("passedOn");
        const int none = Qt::NoModifier, alt = Qt::AltModifier, ctrl = Qt::ControlModifier,
                  shift = Qt::ShiftModifier;
        QTest::newRow("Escape windowed") << false << int(Qt::Key_Escape) << none << "" << true;
        QTest::newRow("Escape") << true << int(Qt::Key_Escape) << none << "outFullscreen" << false;
        QTest::newRow("Alt+Return")
            << true << int(Qt::Key_Return) << alt << "outFullscreen" << false;
        QTest::newRow("Alt+Shift+Return")
            << true << int(Qt::Key_Return) << (alt | shift) << "" << true;
        QTest::newRow("Alt+Enter is not Return") << true << int(Qt::Key_Enter) << alt << "" << true;
        QTest::newRow("Ctrl+S") << true << int(Qt::Key_S) << ctrl << "stop" << false;
        QTest::newRow("Ctrl+Shift+S") << true << int(Qt::Key_S) << (ctrl | shift) << "" << true;
        QTest::newRow("Ctrl+S windowed") << false << int(Qt::Key_S) << ctrl << "" << true;
        QTest::newRow("Space") << false << int(Qt::Key_Space) << none << "actPlayOrPause" << true;
        QTest::newRow("Up") << false << int(Qt::Key_Up) << none << "volumChange 10" << true;
        QTest::newRow("Down") << true << int(Qt::Key_Down) << ctrl << "volumChange -10" << true;
    }

    void keys()
    {
        QFETCH(bool, fullScreen);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, signal);
        QFETCH(bool, passedOn);
        KeyWitness parent;
        UxVideoViewer *viewer = new UxVideoViewer(&parent);
        parent.show();
        if (fullScreen)
            viewer->toggleFullscreen();
        QStringList emitted;
        connect(viewer, &UxVideoViewer::outFullscreen, [&] { emitted << "outFullscreen"; });
        connect(viewer, &UxVideoViewer::stop, [&] { emitted << "stop"; });
        connect(viewer, &UxVideoViewer::actPlayOrPause, [&] { emitted << "actPlayOrPause"; });
        connect(viewer, &UxVideoViewer::volumChange,
                [&](int v) { emitted << QStringLiteral("volumChange %1").arg(v); });
        const bool accepted = sendKey(*viewer, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(emitted, signal.isEmpty() ? QStringList() : QStringList{signal});
        QCOMPARE(accepted, !passedOn);
        // A full-screen viewer is a window of its own: nothing propagates past it.
        QCOMPARE(parent.received, passedOn && !fullScreen ? 1 : 0);
        QCOMPARE(viewer->isFullScreen(), fullScreen); // the viewer only asks to leave
    }

    void fullScreenWindowFlags_data()
    {
        QTest::addColumn<int>("initialFlags");
        QTest::addColumn<int>("fullScreenType");
        QTest::newRow("sub-window") << int(Qt::SubWindow) << int(Qt::Window);
        QTest::newRow("embedded, hints kept") << int(Qt::Widget | Qt::WindowStaysOnTopHint) << 0x13;
    }

    void fullScreenWindowFlags()
    {
        QFETCH(int, initialFlags);
        QFETCH(int, fullScreenType);
        QWidget parent;
        UxVideoViewer *viewer = new UxVideoViewer(&parent);
        const Qt::WindowFlags initial(initialFlags);
        const Qt::WindowFlags hints = initial & ~Qt::WindowType_Mask;
        viewer->setWindowFlags(initial);
        parent.show();
        viewer->toggleFullscreen();
        QVERIFY(viewer->isFullScreen());
        QCOMPARE(int(viewer->windowType()), fullScreenType);
        QCOMPARE(viewer->windowFlags() & hints, hints);
        viewer->toggleFullscreen(); // the second call leaves
        QVERIFY(!viewer->isFullScreen());
        QCOMPARE(viewer->windowType(), initial & Qt::WindowType_Mask);
        QCOMPARE(viewer->parentWidget(), &parent); // back in its parent's layout
    }

    // The blank cursor goes with the viewer, over the host's own cursor or none. Leaving
    // through toggleFullscreen() pops the application's top override cursor, and the first
    // move after the pointer hid pops it too, whoever pushed it.
    void blankCursorGoesWithTheViewer_data()
    {
        QTest::addColumn<Goes>("goes");
        QTest::addColumn<bool>("hostCursor"); // the host's own override cursor underneath
        QTest::addColumn<int>("topAfter");    // the shape on top, -1 for none
        const int wait = Qt::WaitCursor;
        QTest::newRow("destroyed") << Goes::Destroyed << false << -1;
        QTest::newRow("hidden") << Goes::Hidden << false << -1;
        QTest::newRow("closed over the host's cursor") << Goes::Closed << true << wait;
        QTest::newRow("hidden before the pointer rests")
            << Goes::HiddenBeforeTheRest << false << -1;
        QTest::newRow("hidden over the host's cursor before the pointer rests")
            << Goes::HiddenBeforeTheRest << true << wait;
        QTest::newRow("left hidden: only the blank cursor goes") << Goes::Toggled << true << wait;
        QTest::newRow("left shown: the host's cursor goes too")
            << Goes::MovedThenToggled << true << -1;
        QTest::newRow("came back still counted hidden: the first move pops the host's")
            << Goes::ToggledBackAndMoved << true << -1;
    }

    void blankCursorGoesWithTheViewer()
    {
        QFETCH(Goes, goes);
        QFETCH(bool, hostCursor);
        QFETCH(int, topAfter);
        if (hostCursor)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        std::unique_ptr<UxVideoViewer> viewer(new UxVideoViewer);
        viewer->toggleFullscreen();
        if (goes == Goes::HiddenBeforeTheRest)
            viewer->hide();
        QVERIFY(QMetaObject::invokeMethod(viewer.get(), "hideMouse")); // the second of rest
        if (goes == Goes::MovedThenToggled)
            sendMouse(*viewer, QEvent::MouseMove, QPoint(20, 30));
        if (goes == Goes::Toggled || goes == Goes::MovedThenToggled ||
            goes == Goes::ToggledBackAndMoved)
            viewer->toggleFullscreen();
        if (goes == Goes::ToggledBackAndMoved) {
            viewer->toggleFullscreen();
            sendMouse(*viewer, QEvent::MouseMove, QPoint(20, 30));
        }
        if (goes == Goes::Destroyed)
            viewer.reset();
        else if (goes == Goes::Hidden)
            viewer->hide();
        else if (goes == Goes::Closed)
            viewer->close();
        const QCursor *top = QGuiApplication::overrideCursor();
        QCOMPARE(top ? int(top->shape()) : -1, topAfter);
        if (viewer && viewer->isFullScreen())
            viewer->toggleFullscreen();
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }

    void pointerHidesInFullScreen()
    {
        UxVideoViewer viewer;
        viewer.resize(320, 180);
        QSignalSpy hidden(&viewer, SIGNAL(mouseHide()));
        QSignalSpy shown(&viewer, SIGNAL(mouseShow(QPoint)));
        QTest::mouseMove(&viewer, QPoint(10, 10)); // windowed: nothing
        viewer.toggleFullscreen();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QTRY_COMPARE_WITH_TIMEOUT(hidden.count(), 1, 2000);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 30), QPointF(120, 130), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&viewer, &move);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toPoint(), QPoint(120, 130));
        QVERIFY(!QGuiApplication::overrideCursor());
        QTRY_COMPARE_WITH_TIMEOUT(hidden.count(), 2, 2000); // a second of rest hides it again
        viewer.toggleFullscreen();                          // leaving pops the blank cursor
        QVERIFY(!QGuiApplication::overrideCursor());

        viewer.setMouseHidable(false); // moves are reported, the pointer stays
        viewer.toggleFullscreen();
        QApplication::sendEvent(&viewer, &move);
        QTest::qWait(1300); // longer than the rest that hides the pointer; it must stay
        QCOMPARE(hidden.count(), 2);
        QCOMPARE(shown.count(), 2);
        QVERIFY(!QGuiApplication::overrideCursor());
        viewer.toggleFullscreen();

        // A host that puts the viewer in full screen itself gets the same resting
        // pointer, and its blank cursor goes when the host takes the viewer out
        // again.
        viewer.setMouseHidable(true);
        viewer.showFullScreen();
        QTRY_COMPARE_WITH_TIMEOUT(hidden.count(), 3, 2000);
        viewer.showNormal();
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestVideoViewer)
#include "tst_uxvideoviewer.moc"
