#include <UxVideoOperationViewer.h>
#include <UxVideoViewer.h>

#include "support/EventCounter.h"
#include "support/SendInput.h"
#include "support/YuvTestPicture.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A user gesture on the video surface, tried with the zoom gestures on and off.
enum class Gesture {
    CtrlWheel,       // one notch up with Ctrl held
    PlainWheel,      // one notch up, no modifier
    MiddleDrag,      // a middle-button drag of 40 pixels to the right
    CtrlZero,        // Ctrl+0
    CtrlDoubleClick, // a left double click with Ctrl held
    SpaceHeld,       // Space pressed, repeated twice, released
    SpaceDrag,       // a left-button drag of 40 pixels to the right while Space is held
};

// How the frame reaches the viewer.
enum class Source { Image, Yuv };

bool near(const QPointF &a, const QPointF &b, double tolerance)
{
    return qAbs(a.x() - b.x()) <= tolerance && qAbs(a.y() - b.y()) <= tolerance;
}

// Whether the picture covers the viewer rectangle along each axis where it is at least
// as long, and is centred on it along an axis where it is shorter.
bool coversOrCentres(const QRect &picture, const QRect &viewer)
{
    const auto axis = [](int start, int length, int viewStart, int viewLength) {
        if (length >= viewLength)
            return start <= viewStart && start + length >= viewStart + viewLength;
        return qAbs(2 * (start - viewStart) + length - viewLength) <= 1;
    };
    return axis(picture.left(), picture.width(), viewer.left(), viewer.width()) &&
           axis(picture.top(), picture.height(), viewer.top(), viewer.height());
}

} // namespace

Q_DECLARE_METATYPE(Gesture)
Q_DECLARE_METATYPE(Source)

class TestVideoZoom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wheelKeepsThePixelUnderThePointer_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<int>("notches"); // each one a separate wheel event
        QTest::addColumn<int>("angle");   // of each notch
        QTest::newRow("centre in") << QPoint(320, 180) << 4 << 120;
        QTest::newRow("near a corner in") << QPoint(20, 340) << 6 << 120;
        QTest::newRow("off centre, big steps") << QPoint(500, 100) << 3 << 360;
        QTest::newRow("beyond the largest zoom") << QPoint(101, 77) << 15 << 120;
    }

    void wheelKeepsThePixelUnderThePointer()
    {
        QFETCH(QPoint, pointer);
        QFETCH(int, notches);
        QFETCH(int, angle);
        UxVideoViewer viewer; // the picture fills the viewer: no pan limit comes in
        showAt(viewer, QSize(640, 360));
        viewer.setInputVideo(QSize(1280, 720), false, false, false);
        viewer.setZoomGestures(true);
        QSignalSpy volume(&viewer, SIGNAL(volumChange(int)));
        QSignalSpy zoomed(&viewer, SIGNAL(zoomChanged(double)));
        const QPointF pixel = viewer.mapToVideo(pointer);
        double expected = 1.0;
        for (int i = 0; i < notches; ++i) {
            sendWheel(viewer, pointer, QPoint(0, angle), Qt::ControlModifier);
            expected = qMin(8.0, expected * std::pow(1.25, angle / 120.0));
            QCOMPARE(viewer.zoom(), expected);
            QVERIFY(near(viewer.mapFromVideo(pixel), pointer, 1.0));
            QVERIFY(coversOrCentres(viewer.videoRect(), viewer.viewerRect()));
        }
        QCOMPARE(volume.count(), 0);
        QVERIFY(zoomed.count() >= 1 && zoomed.count() <= notches);
        // And back out the same way: the picture returns to its letter-boxed place.
        for (int i = 0; i < 40; ++i)
            sendWheel(viewer, pointer, QPoint(0, -angle), Qt::ControlModifier);
        QCOMPARE(viewer.zoom(), 1.0);
        QCOMPARE(viewer.pan(), QPointF());
        QCOMPARE(viewer.videoRect(), viewer.viewerRect());
    }

    void gestures_data()
    {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<bool>("gesturesOn");
        QTest::addColumn<bool>("changesView"); // zoom or pan differ afterwards
        QTest::addColumn<int>("volumeSteps");
        QTest::addColumn<int>("screenChanges");
        QTest::addColumn<int>("keysToParent");
        QTest::addColumn<int>("playPauses"); // without waiting for a click's delay
        for (bool on : {false, true}) {
            const QByteArray state = on ? " on" : " off";
            QTest::newRow("Ctrl+wheel" + state)
                << Gesture::CtrlWheel << on << on << int(!on) << 0 << 0 << 0;
            QTest::newRow("wheel" + state)
                << Gesture::PlainWheel << on << false << 1 << 0 << 0 << 0;
            QTest::newRow("middle drag" + state)
                << Gesture::MiddleDrag << on << on << 0 << 0 << 0 << 0;
            QTest::newRow("Ctrl+0" + state)
                << Gesture::CtrlZero << on << on << 0 << 0 << int(!on) << 0;
            QTest::newRow("Ctrl+double click" + state)
                << Gesture::CtrlDoubleClick << on << on << 0 << int(!on) << 0 << 0;
            // Held, Space plays or pauses once, on release; off, at every press.
            QTest::newRow("Space held" + state)
                << Gesture::SpaceHeld << on << false << 0 << 0 << 3 << (on ? 1 : 3);
            QTest::newRow("Space drag" + state)
                << Gesture::SpaceDrag << on << on << 0 << 0 << 1 << int(!on);
        }
    }

    void gestures()
    {
        QFETCH(Gesture, gesture);
        QFETCH(bool, gesturesOn);
        QFETCH(bool, changesView);
        QFETCH(int, volumeSteps);
        QFETCH(int, screenChanges);
        QFETCH(int, keysToParent);
        QFETCH(int, playPauses);
        QWidget parent;
        EventCounter parentKeys(&parent, QEvent::KeyPress);
        UxVideoViewer viewer(&parent);
        viewer.resize(640, 360);
        showAt(parent, QSize(640, 360));
        viewer.setInputVideo(QSize(1280, 720), false, false, false);
        viewer.setZoom(3.0); // zoomed by the host, so that a reset or pan shows
        viewer.setPan(QPointF(50, 20));
        viewer.setZoomGestures(gesturesOn);
        const double zoomBefore = viewer.zoom();
        const QPointF panBefore = viewer.pan();
        QSignalSpy volume(&viewer, SIGNAL(volumChange(int)));
        QSignalSpy screen(&viewer, SIGNAL(changeScreen()));
        QSignalSpy playPause(&viewer, SIGNAL(actPlayOrPause()));
        const QPoint at(200, 150);
        switch (gesture) {
        case Gesture::CtrlWheel:
        case Gesture::PlainWheel:
            sendWheel(viewer, at, QPoint(0, 120),
                      gesture == Gesture::CtrlWheel ? Qt::ControlModifier : Qt::NoModifier);
            break;
        case Gesture::MiddleDrag:
            drag(viewer, at, at + QPoint(40, 0), Qt::MiddleButton);
            break;
        case Gesture::CtrlZero:
            sendKey(viewer, Qt::Key_0, Qt::ControlModifier);
            break;
        case Gesture::CtrlDoubleClick:
            doubleClick(viewer, at, Qt::ControlModifier);
            break;
        case Gesture::SpaceHeld:
            sendKey(viewer, Qt::Key_Space);
            for (int repeat = 0; repeat < 2; ++repeat)
                sendKey(viewer, Qt::Key_Space, Qt::NoModifier, QEvent::KeyPress, true);
            sendKey(viewer, Qt::Key_Space, Qt::NoModifier, QEvent::KeyRelease);
            break;
        case Gesture::SpaceDrag:
            sendKey(viewer, Qt::Key_Space);
            drag(viewer, at, at + QPoint(40, 0), Qt::LeftButton);
            sendKey(viewer, Qt::Key_Space, Qt::NoModifier, QEvent::KeyRelease);
            break;
        }
        const bool viewChanged = viewer.zoom() != zoomBefore || viewer.pan() != panBefore;
        QCOMPARE(viewChanged, changesView);
        QCOMPARE(volume.count(), volumeSteps);
        QCOMPARE(screen.count(), screenChanges);
        QCOMPARE(parentKeys.count, keysToParent);
        QCOMPARE(playPause.count(), playPauses);
        if ((gesture == Gesture::MiddleDrag || gesture == Gesture::SpaceDrag) && gesturesOn)
            QCOMPARE(viewer.pan(), panBefore + QPointF(40, 0));
        if ((gesture == Gesture::CtrlZero || gesture == Gesture::CtrlDoubleClick) && gesturesOn)
            QCOMPARE(viewer.videoRect(), viewer.viewerRect());
    }

    // A pan whose release never came ends at the first move without its button.
    void panEndsWithItsButton()
    {
        UxVideoViewer viewer;
        showAt(viewer, QSize(640, 360));
        viewer.setInputVideo(QSize(1280, 720), false, false, false);
        viewer.setZoom(4.0);
        viewer.setZoomGestures(true);
        sendMouse(viewer, QEvent::MouseButtonPress, QPoint(100, 100), Qt::MiddleButton);
        sendMouse(viewer, QEvent::MouseMove, QPoint(120, 100), Qt::MiddleButton);
        const QPointF panned = viewer.pan();
        sendMouse(viewer, QEvent::MouseMove, QPoint(200, 200)); // no button held
        QCOMPARE(viewer.pan(), panned);
        QCOMPARE(panned, QPointF(20, 0));
    }

    // A pan within the bounds is kept; any other, and any zoom however bad, leaves a finite
    // state in which the picture covers the viewer or is centred on it, also in a smaller
    // viewer, and that paints and resets.
    void panAndZoomStaySane_data()
    {
        QTest::addColumn<QSize>("input");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("zoomKept"); // after a zoom of 2
        QTest::addColumn<QPointF>("pan");
        QTest::addColumn<bool>("panKept"); // as asked
        const auto row = [](const char *tag, QSize input, double zoom, double zoomKept, QPointF pan,
                            bool panKept) {
            QTest::newRow(tag) << input << zoom << zoomKept << pan << panKept;
        };
        const QSize wide(1280, 720), tall(720, 1280);
        row("within", wide, 2.0, 2.0, QPointF(100, -50), true);
        row("past the left edge", wide, 2.0, 2.0, QPointF(700, 0), false);
        row("past the bottom edge", wide, 4.0, 4.0, QPointF(0, -5000), false);
        row("zoom 1 never pans", wide, 1.0, 1.0, QPointF(10, 10), false);
        row("narrow picture stays centred across", tall, 1.5, 1.5, QPointF(30, 0), false);
        row("narrow picture pans along", tall, 1.5, 1.5, QPointF(0, 60), true);
        row("huge", wide, 8.0, 8.0, QPointF(1e300, -1e300), false);
        row("NaN zoom ignored", wide, kNaN, 2.0, QPointF(kNaN, 0), false);
        row("infinite zoom", wide, kInf, 8.0, QPointF(kInf, -kInf), false);
        row("zoom 1e300", wide, 1e300, 8.0, QPointF(1e300, 1e300), false);
        row("negative", wide, -3.0, 1.0, QPointF(-1e300, 0), false);
        row("zero", wide, 0.0, 1.0, QPointF(0, kNaN), false);
        row("minus infinity", wide, -kInf, 1.0, QPointF(-1, -1), false);
    }

    void panAndZoomStaySane()
    {
        QFETCH(QSize, input);
        QFETCH(double, zoom);
        QFETCH(double, zoomKept);
        QFETCH(QPointF, pan);
        QFETCH(bool, panKept);
        UxVideoViewer viewer;
        showAt(viewer, QSize(640, 360));
        viewer.setInputVideo(input, false, false, false);
        const QRect fitted = viewer.videoRect();
        viewer.setZoom(2.0);
        viewer.setZoom(zoom);
        QCOMPARE(viewer.zoom(), zoomKept);
        viewer.setPan(pan);
        QCOMPARE(viewer.pan() == pan, panKept);
        QVERIFY(coversOrCentres(viewer.videoRect(), viewer.viewerRect()));
        showAt(viewer, QSize(300, 200)); // a smaller viewer keeps the pan within its bounds
        QVERIFY(coversOrCentres(viewer.videoRect(), viewer.viewerRect()));
        viewer.setZoomAt(zoom, QPointF(1e300, kNaN));
        viewer.setZoomAt(zoom * 2, QPointF(1e300, -1e300));
        const QPointF kept = viewer.pan();
        QVERIFY(qIsFinite(kept.x()) && qIsFinite(kept.y()));
        QVERIFY(viewer.zoom() >= 1.0 && viewer.zoom() <= 8.0);
        QVERIFY(coversOrCentres(viewer.videoRect(), viewer.viewerRect()));
        viewer.grab(); // paints without trouble
        viewer.resetZoom();
        showAt(viewer, QSize(640, 360));
        QCOMPARE(viewer.videoRect(), fitted);
    }

    void zoomedPaintingShowsMappedPixels_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPointF>("pan");
        QTest::addColumn<Source>("source");
        QTest::addColumn<int>("rotation");       // of a YUV frame
        QTest::addColumn<QSize>("sampleAspect"); // of a YUV frame
        const QSize square(1, 1);
        QTest::newRow("image, zoom 1") << 1.0 << QPointF() << Source::Image << 0 << square;
        QTest::newRow("image, zoom 3 panned")
            << 3.0 << QPointF(-150, 40) << Source::Image << 0 << square;
        QTest::newRow("image, zoom 8 at a corner")
            << 8.0 << QPointF(1e6, 1e6) << Source::Image << 0 << square;
        QTest::newRow("YUV, zoom 1") << 1.0 << QPointF() << Source::Yuv << 0 << square;
        QTest::newRow("YUV turned 90, zoomed")
            << 2.5 << QPointF(30, -20) << Source::Yuv << 90 << square;
        QTest::newRow("YUV, wide samples, zoom 8")
            << 8.0 << QPointF(-500, 200) << Source::Yuv << 0 << QSize(16, 11);
        QTest::newRow("YUV turned 180, wide samples, zoomed")
            << 4.0 << QPointF(-1e6, 0) << Source::Yuv << 180 << QSize(16, 11);
        QTest::newRow("YUV turned 270, wide samples, zoomed")
            << 3.0 << QPointF(0, 50) << Source::Yuv << 270 << QSize(3, 2);
    }

    // Each widget pixel shows the stored pixel mapToVideo() names for it; the mapping goes
    // both ways, and the picture's top-left corner is the stored corner the turn brings there.
    void zoomedPaintingShowsMappedPixels()
    {
        QFETCH(double, zoom);
        QFETCH(QPointF, pan);
        QFETCH(Source, source);
        QFETCH(int, rotation);
        QFETCH(QSize, sampleAspect);
        // A frame of 8 by 8 blocks, each its own colour (or grey), in a 4:3 box with margins.
        const QSize size(64, 48);
        const auto block = [](int x, int y) { return x / 8 + 8 * (y / 8); };
        YuvTestPicture yuv(UxVideoFrame::Format_YUV420P, size);
        yuv.fill(0, 128, 128);
        QImage stored(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                stored.setPixelColor(x, y,
                                     QColor::fromRgb(40 + 25 * (x / 8), 60 + 30 * (y / 8), 128));
                yuv.setY(x, y, 16 + 4 * block(x, y));
            }
        }
        UxVideoViewer viewer;
        viewer.setMarginColor(Qt::red);
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3);
        showAt(viewer, QSize(400, 240));
        viewer.setInputVideo(size, false, false, false);
        if (source == Source::Image) {
            viewer.onUpdateVideo(stored);
        } else {
            UxVideoFrame frame = yuv.frame();
            stored = frame.toImage(); // as stored: not turned yet
            frame.setRotation(rotation);
            frame.setSampleAspectRatio(sampleAspect.width(), sampleAspect.height());
            viewer.onUpdateVideoFrame(frame);
        }
        viewer.setZoom(zoom);
        viewer.setPan(pan);
        const QImage shot = viewer.grab().toImage();
        const QRect viewerRect = viewer.viewerRect();
        for (int y = 0; y < shot.height(); y += 5) {
            for (int x = 0; x < shot.width(); x += 5) {
                const QColor seen = shot.pixelColor(x, y);
                if (!viewerRect.contains(x, y)) {
                    QCOMPARE(seen, QColor(Qt::red)); // the picture never reaches the margin
                    continue;
                }
                const QPointF at = viewer.mapToVideo(QPointF(x + 0.5, y + 0.5));
                const int sx = int(at.x()), sy = int(at.y());
                // Away from block borders, where sampling may pick either side.
                if (sx % 8 == 0 || sx % 8 == 7 || sy % 8 == 0 || sy % 8 == 7)
                    continue;
                QCOMPARE(seen, stored.pixelColor(sx, sy));
            }
        }
        const QRect shown = viewer.videoRect();
        const bool right = rotation == 180 || rotation == 270,
                   bottom = rotation == 90 || rotation == 180;
        const QPointF corner(right ? size.width() : 0, bottom ? size.height() : 0);
        QVERIFY(near(viewer.mapToVideo(shown.topLeft()), corner, 1e-9));
        for (int y = -20; y < 260; y += 13) {
            for (int x = -20; x < 420; x += 17)
                QVERIFY(near(viewer.mapFromVideo(viewer.mapToVideo(QPointF(x, y))), QPointF(x, y),
                             1e-6));
        }
        for (int y = 0; y < size.height(); y += 5) {
            for (int x = 0; x < size.width(); x += 5) {
                const QPointF centre(x + 0.5, y + 0.5);
                const QPointF onScreen = viewer.mapFromVideo(centre);
                QVERIFY(shown.contains(onScreen.toPoint()));
                QVERIFY(near(viewer.mapToVideo(onScreen), centre, 1e-6));
            }
        }
    }

    void cropStaysOnItsVideoPixels_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPointF>("pan");
        QTest::newRow("zoom 1") << 1.0 << QPointF();
        QTest::newRow("zoom 2") << 2.0 << QPointF();
        QTest::newRow("zoom 2 panned") << 2.0 << QPointF(120, 60);
        QTest::newRow("zoom 2.5 panned the other way") << 2.5 << QPointF(100, 80);
    }

    void cropStaysOnItsVideoPixels()
    {
        QFETCH(double, zoom);
        QFETCH(QPointF, pan);
        UxVideoOperationViewer viewer;
        showAt(viewer, QSize(640, 360));
        viewer.setInputVideo(QSize(640, 360), false, false, false);
        // Logic pixels are twice the stored ones.
        const QRect crop(400, 200, 401, 241);
        viewer.setLogicVideo(QSize(1280, 720), 16, 9, crop, QSize(16, 16));
        QSignalSpy edits(&viewer, SIGNAL(focusRectChanged(QRect)));
        viewer.setZoom(zoom);
        viewer.setPan(pan);
        QCOMPARE(viewer.focusRect(), crop);
        QCOMPARE(edits.count(), 0);
        // The corner handle lies on the crop's corner pixel, wherever that is shown.
        const QPoint corner = viewer.mapFromVideo(QPointF(200.25, 100.25)).toPoint();
        QVERIFY(viewer.viewerRect().contains(corner));
        sendMouse(viewer, QEvent::MouseMove, corner);
        QCOMPARE(viewer.cursor().shape(), Qt::SizeFDiagCursor);
        // Dragging it 10 screen pixels left and up moves only that corner, by as many
        // logic pixels as 10 screen pixels cover now, within a screen pixel of grab and
        // truncation in each mapping.
        drag(viewer, corner, corner - QPoint(10, 10), Qt::LeftButton);
        const QRect moved = viewer.focusRect();
        QCOMPARE(moved.bottomRight(), crop.bottomRight());
        const double logicPerScreen = 2 / (viewer.videoRect().width() / 640.0);
        const double tolerance = 2 * logicPerScreen + 1;
        QVERIFY(qAbs(crop.left() - moved.left() - 10 * logicPerScreen) <= tolerance);
        QVERIFY(qAbs(crop.top() - moved.top() - 10 * logicPerScreen) <= tolerance);
    }

    void cropLargerThanTheViewIsResizable()
    {
        UxVideoOperationViewer viewer;
        viewer.setAspectRatio(UxVideoViewer::AspectRatio_4_3); // margins left and right
        showAt(viewer, QSize(400, 240));
        viewer.setInputVideo(QSize(320, 240), false, false, false);
        const QRect crop(20, 20, 280, 200);
        viewer.setLogicVideo(QSize(320, 240), 0, 0, crop, QSize(8, 8));
        viewer.setZoomGestures(true);
        viewer.setZoom(6.0); // the crop covers everything that shows
        const QRect shown = viewer.viewerRect();
        QVERIFY(viewer.mapFromVideo(crop.topLeft()).x() < shown.left());
        // Its left edge is grabbed where the view ends, and dragging it shrinks the crop.
        const QPoint edge(shown.left() + 1, shown.center().y());
        sendMouse(viewer, QEvent::MouseMove, edge);
        QCOMPARE(viewer.cursor().shape(), Qt::SizeHorCursor);
        drag(viewer, edge, edge + QPoint(30, 0), Qt::LeftButton);
        const QRect resized = viewer.focusRect();
        QVERIFY(resized.left() > crop.left());
        QCOMPARE(resized.right(), crop.right());
        QCOMPARE(resized.top(), crop.top());
        // A press in the margin, where the zoomed picture does not show, edits nothing.
        drag(viewer, QPoint(10, 120), QPoint(60, 120), Qt::LeftButton);
        QCOMPARE(viewer.focusRect(), resized);
        // The middle button pans over the crop rather than editing it.
        const QPointF panBefore = viewer.pan();
        drag(viewer, shown.center(), shown.center() + QPoint(25, 0), Qt::MiddleButton);
        QCOMPARE(viewer.pan(), panBefore + QPointF(25, 0));
        QCOMPARE(viewer.focusRect(), resized);
        // So does the left button while Space is held.
        sendKey(viewer, Qt::Key_Space);
        drag(viewer, shown.center(), shown.center() - QPoint(0, 15), Qt::LeftButton);
        sendKey(viewer, Qt::Key_Space, Qt::NoModifier, QEvent::KeyRelease);
        QCOMPARE(viewer.pan(), panBefore + QPointF(25, -15));
        QCOMPARE(viewer.focusRect(), resized);
    }
};

QTEST_MAIN(TestVideoZoom)
#include "tst_uxvideozoom.moc"
