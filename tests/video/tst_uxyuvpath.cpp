#include <UxVideoFrame.h>
#include <UxVideoOperationViewer.h>
#include <UxVideoViewer.h>

#include "support/SendInput.h"
#include "support/YuvTestPicture.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(UxVideoFrame::PixelFormat)

namespace {

const QColor kPadding(255, 0, 255);

// 75 % colour bars in studio-range BT.601 Y, Cb, Cr: white, yellow, cyan, green, magenta,
// red, blue, black.
const int kBars[8][3] = {{180, 128, 128}, {162, 44, 142}, {131, 156, 44}, {112, 72, 58},
                         {84, 184, 198},  {65, 100, 212}, {35, 212, 114}, {16, 128, 128}};

// Eight vertical bars, each barWidth pixels wide (even, so chroma does not straddle two).
YuvTestPicture barsPicture(UxVideoFrame::PixelFormat format, int barWidth, int height)
{
    YuvTestPicture picture(format, QSize(8 * barWidth, height), 4);
    const int scale = picture.isTenBit() ? 4 : 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 8 * barWidth; ++x)
            picture.setY(x, y, kBars[x / barWidth][0] * scale);
    for (int y = 0; y < picture.chromaSize().height(); ++y) {
        for (int x = 0; x < picture.chromaSize().width(); ++x) {
            picture.setU(x, y, kBars[2 * x / barWidth][1] * scale);
            picture.setV(x, y, kBars[2 * x / barWidth][2] * scale);
        }
    }
    return picture;
}

QColor barColour(int bar)
{
    return yuvReference(kBars[bar][0], kBars[bar][1], kBars[bar][2], 8, UxVideoFrame::Matrix_BT601,
                        UxVideoFrame::Range_Limited);
}

// One colour all over: luma y, neutral chroma.
std::unique_ptr<YuvTestPicture>
greyPicture(const QSize &size, int y,
            UxVideoFrame::PixelFormat format = UxVideoFrame::Format_YUV420P)
{
    auto picture = std::make_unique<YuvTestPicture>(format, size, 8);
    const int scale = picture->isTenBit() ? 4 : 1;
    picture->fill(y * scale, 128 * scale, 128 * scale);
    return picture;
}

QColor greyOf(int y)
{
    return yuvReference(y, 128, 128, 8, UxVideoFrame::Matrix_BT601, UxVideoFrame::Range_Limited);
}

// The widget as the user sees it, in logical coordinates at any pixel ratio.
QColor shownAt(const QImage &grabbed, const QPointF &at)
{
    const qreal r = grabbed.devicePixelRatio();
    return grabbed.pixelColor(int(at.x() * r), int(at.y() * r));
}

void showViewer(UxVideoViewer &viewer, const QSize &size)
{
    viewer.setPaddingColor(kPadding);
    viewer.resize(size);
    viewer.show();
}

} // namespace

class TestYuvPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Bars keep their colours whether the picture is reduced (averaged) or enlarged.
    void colourBars_data()
    {
        QTest::addColumn<UxVideoFrame::PixelFormat>("format");
        QTest::addColumn<int>("barWidth");
        QTest::addColumn<QSize>("viewer");
        QTest::newRow("I420 reduced 3:1") << UxVideoFrame::Format_YUV420P << 24 << QSize(64, 16);
        QTest::newRow("I420 enlarged 1:3") << UxVideoFrame::Format_YUV420P << 2 << QSize(48, 6);
        QTest::newRow("NV12 reduced 3:1") << UxVideoFrame::Format_NV12 << 24 << QSize(64, 16);
        QTest::newRow("P010 reduced 4:1") << UxVideoFrame::Format_P010 << 32 << QSize(64, 16);
        QTest::newRow("P10 enlarged 1:3") << UxVideoFrame::Format_YUV420P10 << 2 << QSize(48, 6);
        QTest::newRow("I420 reduced 1.5:1") << UxVideoFrame::Format_YUV420P << 12 << QSize(64, 16);
        QTest::newRow("I420 reduced 40:1") << UxVideoFrame::Format_YUV420P << 320 << QSize(64, 16);
    }
    void colourBars()
    {
        QFETCH(UxVideoFrame::PixelFormat, format);
        QFETCH(int, barWidth);
        QFETCH(QSize, viewer);
        const int height = viewer.height() * 8 * barWidth / viewer.width(); // the viewer's shape
        const YuvTestPicture bars = barsPicture(format, barWidth, height);
        UxVideoViewer v;
        showViewer(v, viewer);
        v.setInputVideo(bars.frame().size(), false, false, false);
        v.grab(); // a first paint: later frames go straight to the screen's pixels
        v.onUpdateVideoFrame(bars.frame());
        QCOMPARE(v.videoRect(), v.rect());
        const QImage shown = v.grab().toImage();
        const qreal barShown = viewer.width() / 8.0;
        for (int bar = 0; bar < 8; ++bar) {
            const QPointF centre((bar + 0.5) * barShown, viewer.height() / 2.0);
            QVERIFY2(colourDistance(shownAt(shown, centre), barColour(bar)) <= 2,
                     qPrintable(QStringLiteral("bar %1").arg(bar)));
        }
    }

    // Reduced more than 2:1, a pixel shows the average of what it covers: a one-pixel
    // checkerboard of black and white turns grey instead of shimmering black or white.
    void fineDetailIsAveraged_data()
    {
        QTest::addColumn<UxVideoFrame::PixelFormat>("format");
        QTest::addColumn<double>("reduction");
        QTest::newRow("I420 3:1") << UxVideoFrame::Format_YUV420P << 3.0;
        QTest::newRow("NV12 4:1") << UxVideoFrame::Format_NV12 << 4.0;
        QTest::newRow("P010 5:1") << UxVideoFrame::Format_P010 << 5.0;
        QTest::newRow("I420 2.5:1") << UxVideoFrame::Format_YUV420P << 2.5;
        QTest::newRow("I420 7.3:1") << UxVideoFrame::Format_YUV420P << 7.3;
        QTest::newRow("I420 20:1, over spread samples") << UxVideoFrame::Format_YUV420P << 20.0;
    }
    void fineDetailIsAveraged()
    {
        QFETCH(UxVideoFrame::PixelFormat, format);
        QFETCH(double, reduction);
        // Reduced by that much on the screen's pixels, whatever the pixel ratio.
        const QSize shown(40, 30);
        UxVideoViewer viewer;
        const QSize stored = shown * viewer.devicePixelRatioF() * reduction;
        YuvTestPicture picture(format, stored);
        const int scale = picture.isTenBit() ? 4 : 1;
        picture.fill(0, 128 * scale, 128 * scale);
        for (int y = 0; y < stored.height(); ++y)
            for (int x = 0; x < stored.width(); ++x)
                picture.setY(x, y, ((x + y) % 2 ? 16 : 235) * scale);
        showViewer(viewer, shown);
        viewer.setInputVideo(stored, false, false, false);
        viewer.grab();
        viewer.onUpdateVideoFrame(picture.frame());
        const QImage image = viewer.grab().toImage();
        const qreal r = image.devicePixelRatio(); // the picture's pixels, its edges left out
        const QRect shownArea =
            QRectF(QRectF(viewer.videoRect()).topLeft() * r, QRectF(viewer.videoRect()).size() * r)
                .toAlignedRect()
                .adjusted(1, 1, -1, -1);
        for (int y = shownArea.top(); y <= shownArea.bottom(); ++y) {
            for (int x = shownArea.left(); x <= shownArea.right(); ++x) {
                const int level = image.pixelColor(x, y).green();
                QVERIFY2(level > 64 && level < 192,
                         qPrintable(QStringLiteral("%1 at (%2, %3)").arg(level).arg(x).arg(y)));
            }
        }
    }

    // The decoder may reuse or free its buffers as soon as the call returns; a frame that
    // carries an owner is kept through it instead, and let go with the picture.
    void frameOutlivesTheDecodersBuffers_data()
    {
        QTest::addColumn<UxVideoFrame::PixelFormat>("format");
        QTest::addColumn<bool>("paintedBefore"); // the screen's geometry known at ingest
        QTest::addColumn<bool>("shared");
        QTest::newRow("I420 first frame") << UxVideoFrame::Format_YUV420P << false << false;
        QTest::newRow("I420 while playing") << UxVideoFrame::Format_YUV420P << true << false;
        QTest::newRow("NV12 while playing") << UxVideoFrame::Format_NV12 << true << false;
        QTest::newRow("P010 first frame") << UxVideoFrame::Format_P010 << false << false;
        QTest::newRow("I420 shared") << UxVideoFrame::Format_YUV420P << true << true;
        QTest::newRow("P010 shared, first frame") << UxVideoFrame::Format_P010 << false << true;
    }
    void frameOutlivesTheDecodersBuffers()
    {
        QFETCH(UxVideoFrame::PixelFormat, format);
        QFETCH(bool, paintedBefore);
        QFETCH(bool, shared);
        const QSize size(321, 181);
        UxVideoViewer viewer;
        showViewer(viewer, QSize(200, 120));
        if (paintedBefore) {
            viewer.onUpdateVideoFrame(greyPicture(size, 50, format)->frame());
            viewer.grab();
        }
        std::shared_ptr<YuvTestPicture> picture = greyPicture(size, 180, format);
        UxVideoFrame frame = picture->frame();
        std::weak_ptr<YuvTestPicture> held = picture;
        if (shared)
            frame.setOwner(picture);
        viewer.onUpdateVideoFrame(frame);
        frame = UxVideoFrame();
        if (!shared)
            picture->scribble(); // the decoder writes its next picture there, then frees it
        picture.reset();
        QCOMPARE(held.expired(), !shared); // only the viewer holds a shared one now
        const QPointF centre = QRectF(viewer.rect()).center();
        QVERIFY(colourDistance(shownAt(viewer.grab().toImage(), centre), greyOf(180)) <= 2);
        viewer.resize(150, 150); // converted again from what the viewer kept
        QVERIFY(colourDistance(shownAt(viewer.grab().toImage(), QPointF(75, 75)), greyOf(180)) <=
                2);
        viewer.clearVideo();
        QVERIFY(held.expired());
        QCOMPARE(shownAt(viewer.grab().toImage(), QPointF(75, 75)), kPadding);
    }

    // The frame's sample aspect and rotation shape the video rectangle and the picture.
    void rectanglesTakeTheFramesShape_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("sampleAspect");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<double>("shownAspect"); // width over height as seen
        QTest::newRow("square samples") << QSize(720, 576) << QSize(1, 1) << 0 << 1.25;
        QTest::newRow("anamorphic PAL is 16:9")
            << QSize(720, 576) << QSize(64, 45) << 0 << 16.0 / 9;
        QTest::newRow("phone clip stands upright")
            << QSize(640, 360) << QSize(1, 1) << 90 << 9.0 / 16;
        QTest::newRow("stretched, then turned") << QSize(200, 200) << QSize(2, 1) << 270 << 0.5;
        QTest::newRow("upside down keeps its shape")
            << QSize(320, 180) << QSize(1, 1) << 180 << 16.0 / 9;
    }
    void rectanglesTakeTheFramesShape()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, sampleAspect);
        QFETCH(int, rotation);
        QFETCH(double, shownAspect);
        UxVideoViewer viewer;
        showViewer(viewer, QSize(400, 300));
        viewer.setInputVideo(size, false, false, false);
        QSignalSpy changed(&viewer, SIGNAL(videoRectChanged(QRect)));
        auto picture = greyPicture(size, 120);
        UxVideoFrame frame = picture->frame();
        frame.setSampleAspectRatio(sampleAspect.width(), sampleAspect.height());
        frame.setRotation(rotation);
        viewer.onUpdateVideoFrame(frame);

        const QRect video = viewer.videoRect();
        QCOMPARE(changed.count(), frame.displaySize() == size ? 0 : 1);
        QVERIFY2(qAbs(video.width() - shownAspect * video.height()) <= shownAspect + 1,
                 qPrintable(QStringLiteral("%1 x %2").arg(video.width()).arg(video.height())));
        QVERIFY(video.width() == 400 || video.height() == 300); // letter-boxed, not cut
        // The picture fills the video rectangle and nothing more.
        const QImage shown = viewer.grab().toImage();
        for (const QPointF &inside : {QPointF(video.topLeft()) + QPointF(1, 1),
                                      QPointF(video.bottomRight()) - QPointF(1, 1)})
            QVERIFY(colourDistance(shownAt(shown, inside), greyOf(120)) <= 2);
        if (video.left() > 1)
            QCOMPARE(shownAt(shown, QPointF(video.left() - 1.5, video.center().y())), kPadding);
        if (video.top() > 1)
            QCOMPARE(shownAt(shown, QPointF(video.center().x(), video.top() - 1.5)), kPadding);

        // A QImage frame has no shape of its own: the announced size's comes back.
        viewer.onUpdateVideo(QImage(size, QImage::Format_RGB32));
        QVERIFY(qAbs(viewer.videoRect().width() * size.height() -
                     viewer.videoRect().height() * size.width()) <= size.width() + size.height());
    }

    // A frame with transparency after a YUV picture of its size blends over that picture;
    // an invalid frame drops the picture; a still picture is not replaced by frames.
    void framesAfterAYuvPicture()
    {
        UxVideoViewer viewer;
        showViewer(viewer, QSize(64, 36));
        const auto picture = greyPicture(QSize(64, 36), 180);
        viewer.onUpdateVideoFrame(picture->frame());
        QImage clear(64, 36, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        viewer.onUpdateVideo(clear);
        QVERIFY(colourDistance(shownAt(viewer.grab().toImage(), QPointF(32, 18)), greyOf(180)) <=
                2);
        viewer.onUpdateVideoFrame(picture->frame());
        UxVideoFrame broken = picture->frame();
        broken.setPlane(1, nullptr, 32);
        viewer.onUpdateVideoFrame(broken);
        QCOMPARE(shownAt(viewer.grab().toImage(), QPointF(32, 18)), kPadding);

        QImage still(64, 36, QImage::Format_RGB32);
        still.fill(Qt::green);
        viewer.setShowStaticPicture(true, still);
        viewer.onUpdateVideoFrame(picture->frame());
        QCOMPARE(shownAt(viewer.grab().toImage(), QPointF(32, 18)), QColor(Qt::green));
    }

    // Turned, the stored picture's top-left quarter shows in the corner the turn takes it
    // to. The crop rectangle stays in the stored picture's pixels: set and read back
    // unchanged, and a drag to the right on the screen moves it along the stored axis that
    // is shown horizontally.
    void turnedPicture_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("corner"); // 0 top left, 1 top right, 2 bottom right, 3 bottom left
        QTest::addColumn<QPoint>("storedDirection");
        QTest::newRow("upright") << 0 << 0 << QPoint(1, 0);
        QTest::newRow("turned clockwise") << 90 << 1 << QPoint(0, -1);
        QTest::newRow("upside down") << 180 << 2 << QPoint(-1, 0);
        QTest::newRow("turned anticlockwise") << 270 << 3 << QPoint(0, 1);
    }
    void turnedPicture()
    {
        QFETCH(int, rotation);
        QFETCH(int, corner);
        QFETCH(QPoint, storedDirection);
        const QSize stored(160, 90);
        const QRect crop(20, 10, 120, 70); // holds the picture's centre however it is turned
        auto picture = greyPicture(stored, 16);
        for (int y = 0; y < stored.height() / 2; ++y)
            for (int x = 0; x < stored.width() / 2; ++x)
                picture->setY(x, y, 235);
        UxVideoFrame frame = picture->frame();
        frame.setRotation(rotation);
        UxVideoOperationViewer viewer;
        showViewer(viewer, QSize(300, 300));
        viewer.setInputVideo(stored, false, false, false);
        viewer.onUpdateVideoFrame(frame);
        const QRectF video = QRectF(viewer.videoRect()).adjusted(4, 4, -4, -4);
        const QImage shown = viewer.grab().toImage();
        const QPointF corners[] = {video.topLeft(), video.topRight(), video.bottomRight(),
                                   video.bottomLeft()};
        for (int c = 0; c < 4; ++c)
            QVERIFY2((shownAt(shown, corners[c]).green() > 128) == (c == corner),
                     qPrintable(QStringLiteral("corner %1").arg(c)));

        viewer.setLogicVideo(stored, 16, 9, crop, QSize(8, 8));
        QCOMPARE(viewer.focusRect(), crop);
        viewer.onFocusRectChanged(crop.translated(2, 4)); // a host edit, in stored pixels
        QCOMPARE(viewer.focusRect(), crop.translated(2, 4));
        viewer.onFocusLeftChanged(crop.left());
        viewer.onFocusTopChanged(crop.top());
        QCOMPARE(viewer.focusRect(), crop);

        QSignalSpy edited(&viewer, SIGNAL(focusRectChanged(QRect)));
        const QPoint from = viewer.videoRect().center();
        drag(viewer, from, from + QPoint(12, 0), Qt::LeftButton);
        QVERIFY(!edited.isEmpty());
        const QRect moved = edited.last().at(0).toRect();
        QCOMPARE(moved, viewer.focusRect());
        QCOMPARE(moved.size(), crop.size());
        const QPoint shift = moved.topLeft() - crop.topLeft();
        // Along that axis; across it at most the one pixel that rounding to logic pixels takes.
        const int along = shift.x() * storedDirection.x() + shift.y() * storedDirection.y();
        const int across = shift.x() * storedDirection.y() + shift.y() * storedDirection.x();
        QVERIFY2(along > 0 && qAbs(across) <= 1,
                 qPrintable(QStringLiteral("moved by %1, %2").arg(shift.x()).arg(shift.y())));
    }

    // Zoomed in beyond what a display copy of the whole picture may hold, the viewer makes
    // its copy only of the part that shows; that part shows exactly the pixels the whole
    // copy shows there. The reference viewer sits in a window large enough for the whole
    // copy; the other is a window of its own, which the screen's size bounds.
    void zoomedPartShowsTheWholesPixels_data()
    {
        QTest::addColumn<UxVideoFrame::PixelFormat>("format");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPointF>("pan");
        const auto I420 = UxVideoFrame::Format_YUV420P;
        QTest::newRow("I420 enlarged, centred") << I420 << QSize(320, 180) << 0 << 8.0 << QPointF();
        QTest::newRow("I420 enlarged, odd pan")
            << I420 << QSize(320, 180) << 0 << 7.3 << QPointF(-301.5, 97.25);
        QTest::newRow("NV12 one to one, top left corner")
            << UxVideoFrame::Format_NV12 << QSize(1280, 720) << 0 << 4.0 << QPointF(480, 270);
        QTest::newRow("P010 reduced, bottom right corner")
            << UxVideoFrame::Format_P010 << QSize(2560, 1440) << 0 << 3.125 << QPointF(-1e6, -1e6);
        QTest::newRow("I420 turned 90, odd pan")
            << I420 << QSize(181, 321) << 90 << 6.0 << QPointF(-77, 33);
        QTest::newRow("I420 turned 180")
            << I420 << QSize(1281, 721) << 180 << 4.0 << QPointF(3, -5);
        QTest::newRow("NV12 turned 270, odd pan")
            << UxVideoFrame::Format_NV12 << QSize(180, 320) << 270 << 8.0 << QPointF(101, -57);
    }
    void zoomedPartShowsTheWholesPixels()
    {
        QFETCH(UxVideoFrame::PixelFormat, format);
        QFETCH(QSize, stored);
        QFETCH(int, rotation);
        QFETCH(double, zoom);
        QFETCH(QPointF, pan);
        YuvTestPicture picture(format, stored, 2);
        const int top = picture.maxSample();
        // Every sample different from its neighbours, so that a sample taken from the wrong
        // place shows.
        for (int y = 0; y < stored.height(); ++y)
            for (int x = 0; x < stored.width(); ++x)
                picture.setY(x, y, (x * 37 + y * 101) % (top + 1));
        for (int y = 0; y < picture.chromaSize().height(); ++y) {
            for (int x = 0; x < picture.chromaSize().width(); ++x) {
                picture.setU(x, y, (x * 53 + y * 29) % (top + 1));
                picture.setV(x, y, (x * 17 + y * 71) % (top + 1));
            }
        }
        UxVideoFrame frame = picture.frame();
        frame.setRotation(rotation);
        const QSize viewerSize(320, 180);
        const auto shown = [&](UxVideoViewer &viewer) {
            viewer.setInputVideo(stored, false, false, false);
            viewer.setZoom(zoom);
            viewer.setPan(pan);
            viewer.onUpdateVideoFrame(frame);
            return viewer.grab().toImage();
        };
        QWidget window; // room for the whole copy
        window.resize(4000, 4000);
        UxVideoViewer reference(&window);
        reference.setGeometry(QRect(QPoint(0, 0), viewerSize));
        window.show();
        UxVideoViewer alone;
        showViewer(alone, viewerSize);
        const QImage expected = shown(reference);
        const QImage actual = shown(alone);
        QCOMPARE(alone.videoRect(), reference.videoRect());
        QCOMPARE(actual, expected);
    }
};

QTEST_MAIN(TestYuvPath)
#include "tst_uxyuvpath.moc"
