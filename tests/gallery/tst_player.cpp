// The gallery's player on real files: clips of a known pattern written with libavcodec
// (FFV1 or raw video: intra-only, so seeks are exact) are opened, played, sought and cut
// by the out point, in each pixel format the viewers take, at variable frame rates,
// rotated and anamorphic; damaged files are refused or reported with a message.
#include "ClipWriter.h"
#include "ExportCommand.h"
#include "GalleryClip.h"
#include "ThumbnailSource.h"
#include "VideoFileDecoder.h"

#include <UxVideoViewer.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

namespace {

constexpr int kFrames = 12;
constexpr int kRate = 10;
const QSize kSize(64, 48);
// Through 4:2:0 YUV and back a pattern pixel moves by a few levels; pattern frames
// differ by 20 in red.
constexpr int kTolerance = 8;

QRgb patternPixel(int frame, int x, int y, const QSize &size)
{
    return qRgb(frame * 20, x * 255 / size.width(), y * 255 / size.height());
}

QImage pattern(int frame, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, patternPixel(frame, x, y, size));
    return image;
}

// The largest difference of one colour component between the image and the pattern.
int patternError(const QImage &image, int frame)
{
    const QSize size = image.size();
    int worst = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb got = image.pixel(x, y), want = patternPixel(frame, x, y, size);
            worst = std::max({worst, qAbs(qRed(got) - qRed(want)), qAbs(qGreen(got) - qGreen(want)),
                              qAbs(qBlue(got) - qBlue(want))});
        }
    }
    return worst;
}

// Which pattern frame an upright picture of a clip turned by rotation shows; -1 for none.
int shownPicture(const QImage &upright, int rotation = 0)
{
    const QImage stored =
        upright.transformed(QTransform().rotate(-rotation)).convertToFormat(QImage::Format_RGB32);
    for (int frame = 0; frame < kFrames && !stored.isNull(); ++frame) {
        if (patternError(stored, frame) <= kTolerance)
            return frame;
    }
    return -1;
}

ClipRecipe smallClip()
{
    ClipRecipe recipe;
    recipe.size = kSize;
    recipe.framesPerSecond = kRate;
    recipe.frameCount = kFrames;
    return recipe;
}

// The pattern clip written with codec, a key frame every keyInterval frames.
ClipRecipe codedClip(int codec, int keyInterval)
{
    ClipRecipe recipe = smallClip();
    recipe.codec = AVCodecID(codec);
    recipe.keyInterval = keyInterval;
    return recipe;
}

QList<int> variableRate()
{
    return {0, 1, 2, 4, 5, 8, 9, 10, 12, 13, 14, 15};
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_clipPath;

    bool openClip(GalleryClip &clip, const QString &path)
    {
        QSignalSpy changed(&clip, &GalleryClip::clipChanged);
        QSignalSpy frames(&clip, &GalleryClip::videoFrameReady);
        clip.open(path);
        return changed.wait(5000) && (frames.count() > 0 || frames.wait(5000));
    }

    // A file named after the test row; openNewClip writes a clip of the pattern there and
    // opens it in clip, false if it was not written or did not open in time.
    QString rowPath(const QString &suffix) const
    {
        return m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())
                                  .replace(QLatin1Char(' '), QLatin1Char('_')) +
                              QLatin1Char('.') + suffix);
    }

    bool openNewClip(GalleryClip &clip, const ClipRecipe &recipe, const QString &suffix = "mkv")
    {
        const QString path = rowPath(suffix);
        const auto frameAt = [&recipe](int frame) { return pattern(frame, recipe.size); };
        const QString problem = writeVideoFile(path, recipe, frameAt);
        if (!problem.isEmpty())
            qWarning("%s: %s", qPrintable(path), qPrintable(problem));
        return problem.isEmpty() && openClip(clip, path);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_clipPath = m_dir.filePath(QStringLiteral("pattern.mkv"));
        av_log_set_level(AV_LOG_QUIET); // the damaged files below make FFmpeg talk
        const auto frameAt = [](int frame) { return pattern(frame, kSize); };
        QCOMPARE(writeVideoFile(m_clipPath, smallClip(), frameAt), QString());
    }

    void passesEachPixelFormat_data()
    {
        QTest::addColumn<int>("pixelFormat");
        QTest::addColumn<int>("codec");
        QTest::addColumn<int>("colorSpace");
        QTest::addColumn<int>("colorRange");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("expectedFormat");
        QTest::addColumn<int>("expectedMatrix");
        QTest::addColumn<int>("expectedRange");
        const auto row = [](const char *name, AVPixelFormat format, AVCodecID codec,
                            AVColorSpace space, AVColorRange range, int height,
                            UxVideoFrame::PixelFormat expectedFormat,
                            UxVideoFrame::ColorMatrix expectedMatrix,
                            UxVideoFrame::ColorRange expectedRange) {
            QTest::newRow(name) << int(format) << int(codec) << int(space) << int(range) << height
                                << int(expectedFormat) << int(expectedMatrix) << int(expectedRange);
        };
        const auto unset = AVCOL_SPC_UNSPECIFIED;
        const auto limited = AVCOL_RANGE_UNSPECIFIED;
        row("yuv420p", AV_PIX_FMT_YUV420P, AV_CODEC_ID_FFV1, unset, limited, 48,
            UxVideoFrame::Format_YUV420P, UxVideoFrame::Matrix_BT601, UxVideoFrame::Range_Limited);
        row("yuv420p bt709 full", AV_PIX_FMT_YUV420P, AV_CODEC_ID_FFV1, AVCOL_SPC_BT709,
            AVCOL_RANGE_JPEG, 48, UxVideoFrame::Format_YUV420P, UxVideoFrame::Matrix_BT709,
            UxVideoFrame::Range_Full);
        row("taller than sd: bt709", AV_PIX_FMT_YUV420P, AV_CODEC_ID_FFV1, unset, limited, 578,
            UxVideoFrame::Format_YUV420P, UxVideoFrame::Matrix_BT709, UxVideoFrame::Range_Limited);
        row("nv12", AV_PIX_FMT_NV12, AV_CODEC_ID_RAWVIDEO, unset, limited, 48,
            UxVideoFrame::Format_NV12, UxVideoFrame::Matrix_BT601, UxVideoFrame::Range_Limited);
        row("yuv420p10", AV_PIX_FMT_YUV420P10LE, AV_CODEC_ID_FFV1, unset, limited, 48,
            UxVideoFrame::Format_YUV420P10, UxVideoFrame::Matrix_BT601,
            UxVideoFrame::Range_Limited);
        row("rgb, converted", AV_PIX_FMT_0RGB32, AV_CODEC_ID_FFV1, unset, limited, 48,
            UxVideoFrame::Format_YUV420P, UxVideoFrame::Matrix_BT601, UxVideoFrame::Range_Limited);
        row("yuv444p full, converted", AV_PIX_FMT_YUV444P, AV_CODEC_ID_FFV1, unset,
            AVCOL_RANGE_JPEG, 48, UxVideoFrame::Format_YUV420P, UxVideoFrame::Matrix_BT601,
            UxVideoFrame::Range_Limited);
    }

    // Each decoded picture reaches the viewers as the decoder made it, sharing its buffers,
    // or converted once to YUV420P; either way with the right colours.
    void passesEachPixelFormat()
    {
        QFETCH(int, pixelFormat);
        QFETCH(int, codec);
        QFETCH(int, colorSpace);
        QFETCH(int, colorRange);
        QFETCH(int, height);
        QFETCH(int, expectedFormat);
        QFETCH(int, expectedMatrix);
        QFETCH(int, expectedRange);
        ClipRecipe recipe = smallClip();
        recipe.size.setHeight(height);
        recipe.frameCount = 2;
        recipe.pixelFormat = AVPixelFormat(pixelFormat);
        recipe.codec = AVCodecID(codec);
        recipe.colorSpace = AVColorSpace(colorSpace);
        recipe.colorRange = AVColorRange(colorRange);
        GalleryClip clip;
        QSignalSpy frames(&clip, &GalleryClip::videoFrameReady);
        QVERIFY(openNewClip(clip, recipe));
        const UxVideoFrame frame = frames.last().first().value<UxVideoFrame>();
        QCOMPARE(int(frame.pixelFormat()), expectedFormat);
        QCOMPARE(int(frame.colorMatrix()), expectedMatrix);
        QCOMPARE(int(frame.colorRange()), expectedRange);
        QVERIFY(frame.owner()); // the viewers keep the decoder's picture instead of copying it
        QCOMPARE(frame.size(), recipe.size);
        QVERIFY2(patternError(clip.currentImage(), 0) <= kTolerance,
                 qPrintable(QString::number(patternError(clip.currentImage(), 0))));
    }

    void seeksToThePictureOnShow_data()
    {
        QTest::addColumn<int>("codec");
        QTest::addColumn<int>("keyInterval");
        QTest::addColumn<QList<int>>("timestamps"); // empty: one a frame interval
        QTest::addColumn<int>("lastDuration");
        QTest::addColumn<QList<int>>("targets");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("position");
        const auto row = [](const char *name, AVCodecID codec, int keyInterval,
                            const QList<int> &timestamps, int lastDuration,
                            const QList<int> &targets, int picture, int position) {
            QTest::newRow(name) << int(codec) << keyInterval << timestamps << lastDuration
                                << targets << picture << position;
        };
        const auto ffv1 = AV_CODEC_ID_FFV1, h264 = AV_CODEC_ID_H264;
        const QList<int> steady;
        const int last = kFrames - 1;
        row("forward", ffv1, 1, steady, 1, {5}, 5, 5);
        row("last", ffv1, 1, steady, 1, {last}, last, last);
        row("back after forward", ffv1, 1, steady, 1, {9, 3}, 3, 3);
        row("back to the start", ffv1, 1, steady, 1, {5, 0}, 0, 0);
        row("beyond the end", ffv1, 1, steady, 1, {kFrames + 40}, last, last);
        row("burst, last wins", ffv1, 1, steady, 1, {2, 7, 4, 8}, 8, 8);
        row("past the last picture", ffv1, 1, steady, 4, {14}, last, 14);
        row("variable rate, on a picture", ffv1, 1, variableRate(), 1, {8}, 5, 8);
        row("variable rate, in a gap", ffv1, 1, variableRate(), 1, {7}, 4, 7);
        row("variable rate, last", ffv1, 1, variableRate(), 1, {3, 15}, last, 15);
        // Between key frames, with B-frames that the decoder may skip on the way.
        row("h264, 1", h264, kFrames, steady, 1, {1}, 1, 1);
        row("h264, 3", h264, kFrames, steady, 1, {3}, 3, 3);
        row("h264, 5", h264, kFrames, steady, 1, {5}, 5, 5);
        row("h264, 7", h264, kFrames, steady, 1, {7}, 7, 7);
        row("h264, last", h264, kFrames, steady, 1, {last}, last, last);
        row("h264, back", h264, kFrames, steady, 1, {10, 6}, 6, 6);
        row("h264, variable rate, in a gap", h264, kFrames, variableRate(), 1, {11}, 7, 11);
    }

    // A seek shows the picture on show at the target's time: the last one that starts at or
    // before it.
    void seeksToThePictureOnShow()
    {
        QFETCH(int, codec);
        QFETCH(int, keyInterval);
        QFETCH(QList<int>, timestamps);
        QFETCH(int, lastDuration);
        QFETCH(QList<int>, targets);
        QFETCH(int, picture);
        QFETCH(int, position);
        if (!avcodec_find_encoder(AVCodecID(codec)))
            QSKIP("libavcodec has no encoder for this clip");
        ClipRecipe recipe = codedClip(codec, keyInterval);
        recipe.timestamps = timestamps;
        recipe.lastDuration = lastDuration;
        GalleryClip clip;
        QVERIFY(openNewClip(clip, recipe));
        QCOMPARE(clip.framesPerSecond(), double(kRate));
        QSignalSpy frames(&clip, &GalleryClip::videoFrameReady);
        for (int target : targets)
            clip.seek(target);
        QTRY_COMPARE_WITH_TIMEOUT(clip.position(), position, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(shownPicture(clip.currentImage()), picture, 5000);
        QVERIFY(frames.count() <= targets.size()); // nothing stale follows
    }

    void playsToTheEnd_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QList<int>>("timestamps");
        QTest::addColumn<int>("damagedFrame"); // -1: none
        QTest::addColumn<bool>("thumbnailing");
        QTest::newRow("steady, mkv") << "mkv" << QList<int>() << -1 << false;
        QTest::newRow("variable rate, mkv") << "mkv" << variableRate() << -1 << false;
        QTest::newRow("variable rate, mov") << "mov" << variableRate() << -1 << false;
        QTest::newRow("a picture does not decode") << "mkv" << QList<int>() << 6 << false;
        QTest::newRow("while thumbnailing") << "mkv" << QList<int>() << -1 << true;
    }

    // Positions are times: a variable-rate clip has fewer pictures than frame intervals. A
    // picture that does not decode is reported, and playback goes on past it. The thumbnail
    // decoder has a file and a thread of its own: playback goes on while thumbnails are made.
    void playsToTheEnd()
    {
        QFETCH(QString, container);
        QFETCH(QList<int>, timestamps);
        QFETCH(int, damagedFrame);
        QFETCH(bool, thumbnailing);
        ClipRecipe recipe = smallClip();
        recipe.timestamps = timestamps;
        if (damagedFrame >= 0) {
            recipe.codec = AV_CODEC_ID_RAWVIDEO;
            recipe.damagedFrame = damagedFrame;
        }
        GalleryClip clip;
        QSignalSpy failed(&clip, &GalleryClip::playbackFailed);
        QSignalSpy ready(clip.thumbnails(), &ThumbnailSource::thumbnailReady);
        QVERIFY(openNewClip(clip, recipe, container));
        const int last = timestamps.isEmpty() ? kFrames - 1 : timestamps.last();
        QCOMPARE(clip.frameCount(), last + 1);
        clip.play();
        QList<int> shownAtAnswers;
        for (int frame = 0; thumbnailing && clip.isPlaying(); ++frame) {
            clip.thumbnails()->request(frame % kFrames, 2);
            QVERIFY(ready.wait(5000));
            shownAtAnswers << clip.shownFrames();
        }
        if (thumbnailing)
            QVERIFY(shownAtAnswers.size() >= 2 && shownAtAnswers.last() > shownAtAnswers.first());
        QTRY_VERIFY_WITH_TIMEOUT(!clip.isPlaying(), 5000);
        QCOMPARE(failed.count(), damagedFrame >= 0 ? 1 : 0);
        for (const QList<QVariant> &message : failed)
            QVERIFY(message.first().toString().contains(QFileInfo(rowPath(container)).fileName()));
        QCOMPARE(clip.position(), last);
        QCOMPARE(shownPicture(clip.currentImage()), kFrames - 1);
        QCOMPARE(clip.shownFrames() + clip.droppedFrames(), kFrames); // each shown or dropped
    }

    void outPointStopsOrLoops_data()
    {
        QTest::addColumn<bool>("file");
        QTest::addColumn<bool>("looping");
        QTest::newRow("file, stops at the out point") << true << false;
        QTest::newRow("file, loops back to the in point") << true << true;
        QTest::newRow("synthetic, stops at the out point") << false << false;
        QTest::newRow("synthetic, loops back to the in point") << false << true;
    }

    void outPointStopsOrLoops()
    {
        QFETCH(bool, file);
        QFETCH(bool, looping);
        GalleryClip clip;
        QVERIFY(!file || openClip(clip, m_clipPath));
        clip.setPlayRange(2, 6);
        clip.setLooping(looping);
        QSignalSpy playing(&clip, &GalleryClip::playingChanged);
        QSignalSpy positions(&clip, &GalleryClip::positionChanged);
        const auto seen = [&positions] {
            QList<int> frames;
            for (const QList<QVariant> &position : positions)
                frames << position.first().toInt();
            return frames;
        };
        clip.play(); // from before the in point: starts at the in point
        if (looping) {
            // The out point, then the in point again, then on from there, never pausing.
            const auto playedOnAfterLooping = [&seen] {
                const QList<int> frames = seen();
                const int back = frames.indexOf(2, qMax(0, frames.indexOf(6)));
                return frames.indexOf(6) >= 0 && back >= 0 && frames.size() > back + 1;
            };
            QTRY_VERIFY_WITH_TIMEOUT(playedOnAfterLooping(), 5000);
            QVERIFY(clip.isPlaying());
            QCOMPARE(playing.count(), 1);
            clip.pause();
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!clip.isPlaying(), 5000);
            QCOMPARE(playing.first().first().toBool(), true);
            QCOMPARE(clip.position(), 6);
            if (file)
                QCOMPARE(shownPicture(clip.currentImage()), 6);
            QCOMPARE(positions.count() + clip.droppedFrames(), 5); // 2..6, each shown or dropped
        }
        for (int frame : seen())
            QVERIFY(frame >= 2 && frame <= 6);
    }

    // The player's step keys, and where the step lands: exactly on the neighbouring frame, or
    // a second's worth away, within the clip.
    void stepsToTheNeighbouringFrame_data()
    {
        QTest::addColumn<bool>("file");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("direction"); // 0: the key does not step
        QTest::addColumn<bool>("bySecond");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        QTest::newRow("synthetic, period")
            << false << 10 << int(Qt::Key_Period) << none << 1 << false;
        QTest::newRow("synthetic, comma")
            << false << 10 << int(Qt::Key_Comma) << none << -1 << false;
        QTest::newRow("synthetic, Shift+period")
            << false << 10 << int(Qt::Key_Period) << shift << 1 << true;
        QTest::newRow("synthetic, less-than, back past the start")
            << false << 3 << int(Qt::Key_Less) << shift << -1 << true;
        QTest::newRow("synthetic, keypad period")
            << false << 10 << int(Qt::Key_Period) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1
            << false;
        QTest::newRow("Ctrl+comma does not step")
            << false << 10 << int(Qt::Key_Comma) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0
            << false;
        QTest::newRow("another key does not step")
            << false << 10 << int(Qt::Key_Space) << none << 0 << false;
        QTest::newRow("file, period") << true << 5 << int(Qt::Key_Period) << none << 1 << false;
        QTest::newRow("file, comma") << true << 5 << int(Qt::Key_Comma) << none << -1 << false;
        QTest::newRow("file, greater-than, past the end")
            << true << kFrames - 2 << int(Qt::Key_Greater) << shift << 1 << true;
    }

    void stepsToTheNeighbouringFrame()
    {
        QFETCH(bool, file);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, direction);
        QFETCH(bool, bySecond);
        GalleryClip clip;
        if (file)
            QVERIFY(openClip(clip, m_clipPath));
        const int frames = direction * (bySecond ? qRound(clip.framesPerSecond()) : 1);
        QCOMPARE(GalleryClip::framesForStepKey(key, modifiers, clip.framesPerSecond()), frames);
        if (frames == 0)
            return;
        clip.seek(from);
        QTRY_COMPARE_WITH_TIMEOUT(clip.position(), from, 5000);
        QSignalSpy positions(&clip, &GalleryClip::positionChanged);
        clip.step(frames);
        const int target = qBound(0, from + frames, clip.frameCount() - 1);
        QTRY_COMPARE_WITH_TIMEOUT(positions.count(), 1, 5000);
        QCOMPARE(positions.first().first().toInt(), target);
        if (file)
            QCOMPARE(shownPicture(clip.currentImage()), target);
    }

    void readsChapters_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QList<int>>("starts");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("none") << "mkv" << QList<int>() << QStringList();
        QTest::newRow("three, mkv") << "mkv" << QList<int>{0, 4, 9}
                                    << QStringList{"Opening", "Middle", QString::fromUtf8("Fin à")};
        QTest::newRow("two, mov") << "mov" << QList<int>{0, 6} << QStringList{"One", "Two"};
    }

    // Chapter starts written in the stream's time base come back as the same frames.
    void readsChapters()
    {
        QFETCH(QString, container);
        QFETCH(QList<int>, starts);
        QFETCH(QStringList, titles);
        ClipRecipe recipe = smallClip();
        recipe.chapters = starts;
        recipe.chapterTitles = titles;
        GalleryClip clip;
        QSignalSpy chapters(&clip, &GalleryClip::chaptersChanged);
        QVERIFY(openNewClip(clip, recipe, container));
        QCOMPARE(clip.chapters(), starts);
        QCOMPARE(clip.chapterTitles(), titles);
        QCOMPARE(chapters.count(), 1);
        QCOMPARE(chapters.first().first().value<QList<int>>(), starts);
    }

    void boundsPicturesWaitingForTheWindow_data()
    {
        QTest::addColumn<int>("codec");
        QTest::addColumn<int>("keyInterval");
        QTest::addColumn<int>("frameCount");
        QTest::addColumn<int>("framesPerSecond");
        QTest::newRow("intra") << int(AV_CODEC_ID_FFV1) << 1 << kFrames << kRate;
        // Late early on, with most of the clip still to decode: B-frames are skipped.
        QTest::newRow("h264, skipping to catch up") << int(AV_CODEC_ID_H264) << 24 << 24 << 30;
    }

    // A window that falls behind is sent no more than a few pictures; the decoder drops the
    // rest instead of queueing them, and counts those it skipped to catch up.
    void boundsPicturesWaitingForTheWindow()
    {
        QFETCH(int, codec);
        QFETCH(int, keyInterval);
        QFETCH(int, frameCount);
        QFETCH(int, framesPerSecond);
        if (!avcodec_find_encoder(AVCodecID(codec)))
            QSKIP("libavcodec has no encoder for this clip");
        ClipRecipe recipe = codedClip(codec, keyInterval);
        recipe.frameCount = frameCount;
        recipe.framesPerSecond = framesPerSecond;
        GalleryClip clip;
        QVERIFY(openNewClip(clip, recipe));
        int received = 0;
        connect(&clip, &GalleryClip::videoFrameReady, this, [&] {
            if (++received == 1) // the window is busy for twice as long as the clip lasts
                QThread::msleep(2 * frameCount * 1000 / framesPerSecond);
        });
        clip.play();
        QTRY_VERIFY_WITH_TIMEOUT(!clip.isPlaying(), 10000);
        QVERIFY(received <= VideoFileDecoder::kMaxInFlight);
        QCOMPARE(clip.shownFrames() + clip.droppedFrames(), frameCount);
    }

    void showsUprightAtDisplayAspect_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QSize>("sampleAspect");
        QTest::addColumn<QSize>("displaySize");
        QTest::newRow("upright") << kSize << 0 << QSize(1, 1) << kSize;
        QTest::newRow("turned 90") << kSize << 90 << QSize(1, 1) << QSize(48, 64);
        QTest::newRow("turned 180") << kSize << 180 << QSize(1, 1) << kSize;
        QTest::newRow("turned 270") << kSize << 270 << QSize(1, 1) << QSize(48, 64);
        QTest::newRow("anamorphic 16:9")
            << QSize(180, 144) << 0 << QSize(64, 45) << QSize(256, 144);
        QTest::newRow("anamorphic, turned 90")
            << QSize(180, 144) << 90 << QSize(64, 45) << QSize(144, 256);
    }

    // Each clip is shown upright at its display shape, in the clip and in a viewer fed as the
    // pages feed it: told the stored size, sized to the display, it shows the whole picture.
    void showsUprightAtDisplayAspect()
    {
        QFETCH(QSize, size);
        QFETCH(int, rotation);
        QFETCH(QSize, sampleAspect);
        QFETCH(QSize, displaySize);
        ClipRecipe recipe = smallClip();
        recipe.size = size;
        recipe.rotation = rotation;
        recipe.sampleAspect = sampleAspect;
        GalleryClip clip;
        UxVideoViewer viewer;
        viewer.resize(displaySize);
        viewer.setMarginColor(Qt::red); // a margin shows as a wrong picture
        clip.attach(&viewer);
        QSignalSpy frames(&clip, &GalleryClip::videoFrameReady);
        QVERIFY(openNewClip(clip, recipe, "mov"));
        QCOMPARE(clip.name(), QFileInfo(rowPath("mov")).fileName());
        QCOMPARE(clip.frameSize(), size);
        QCOMPARE(clip.framesPerSecond(), double(kRate));
        QCOMPARE(clip.position(), 0);
        QCOMPARE(clip.rotation(), rotation);
        QCOMPARE(clip.displaySize(), displaySize);
        const UxVideoFrame frame = frames.last().first().value<UxVideoFrame>();
        QCOMPARE(frame.rotation(), rotation);
        QCOMPARE(frame.displaySize(), displaySize);
        QCOMPARE(shownPicture(clip.currentImage(), rotation), 0);

        viewer.setInputVideo(clip.frameSize(), false, false, false);
        clip.showCurrentFrame(&viewer);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(shownPicture(viewer.grab().toImage(), rotation), 0);
    }

    void refusesDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QFile good(m_clipPath);
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray clip = good.readAll();
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("noise") << QByteArray(4096, '\x5a');
        QTest::newRow("header cut short") << clip.left(64);
        QByteArray scrambled = clip;
        for (int i = clip.size() / 3; i < scrambled.size(); i += 7)
            scrambled[i] = char(scrambled[i] ^ 0xa5);
        QTest::newRow("pictures scrambled") << scrambled;
    }

    void refusesDamagedFiles()
    {
        QFETCH(QByteArray, content);
        const QString path = rowPath("mkv");
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        GalleryClip clip;
        const QString before = clip.name();
        QSignalSpy failed(&clip, &GalleryClip::openFailed);
        QSignalSpy changed(&clip, &GalleryClip::clipChanged);
        clip.open(path);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count() + changed.count(), 1, 5000);
        if (changed.count() == 1) { // a scrambled file may still open; it must play unharmed
            clip.play();
            QTRY_VERIFY_WITH_TIMEOUT(!clip.isPlaying(), 5000);
            return;
        }
        QVERIFY(failed.first().first().toString().contains(path));
        QCOMPARE(clip.name(), before); // the clip on show stays
        QCOMPARE(changed.count(), 0);
    }

    void exportCommandCrops_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QString>("expected");
        const QString plain = "ffmpeg -ss 0.200 -to 0.700 -i '/v/a.mkv' -vf crop=%1 -c:a copy "
                              "'/v/a-clip.mkv'";
        // The crop is 32 x 16 at (8, 4) of a 64 x 48 stored picture.
        QTest::newRow("plain") << "/v/a.mkv" << 0 << plain.arg("32:16:8:4");
        QTest::newRow("turned 90") << "/v/a.mkv" << 90 << plain.arg("16:32:28:8");
        QTest::newRow("turned 180") << "/v/a.mkv" << 180 << plain.arg("32:16:24:28");
        QTest::newRow("turned 270") << "/v/a.mkv" << 270 << plain.arg("16:32:4:24");
        QTest::newRow("quote and space") << "/v/it's one" << 0
                                         << "ffmpeg -ss 0.200 -to 0.700 -i '/v/it'\\''s one' -vf "
                                            "crop=32:16:8:4 -c:a copy '/v/it'\\''s one-clip'";
        QTest::newRow("no file")
            << "" << 0
            << "ffmpeg -ss 0.200 -to 0.700 -i INPUT -vf crop=32:16:8:4 -c:a copy "
               "OUTPUT";
    }

    void exportCommandCrops()
    {
        QFETCH(QString, input);
        QFETCH(int, rotation);
        QFETCH(QString, expected);
        const QRect stored(8, 4, 32, 16);
        QCOMPARE(exportCommand(input, kRate, 2, 6, stored, kSize, rotation), expected);
    }

    void thumbnailsShowKeyFrames_data()
    {
        QTest::addColumn<int>("codec");
        QTest::addColumn<int>("keyInterval");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QList<int>>("requests"); // one after the other
        QTest::addColumn<int>("picture");         // of the last request
        QTest::addColumn<int>("decodes");
        const auto row = [](const char *name, AVCodecID codec, int keyInterval, qreal ratio,
                            const QList<int> &requests, int picture, int decodes) {
            QTest::newRow(name) << int(codec) << keyInterval << ratio << requests << picture
                                << decodes;
        };
        const auto ffv1 = AV_CODEC_ID_FFV1, h264 = AV_CODEC_ID_H264;
        row("intra", ffv1, 1, 1, {7}, 7, 1);
        row("intra, neighbours decode each", ffv1, 1, 2, {3, 4}, 4, 2);
        // Without B-frames the encoder puts the first key frames exactly at 0, 3 and 6.
        row("h264, on a key frame", h264, 3, 1, {6}, 6, 1);
        row("h264, between key frames", h264, 3, 2, {5}, 3, 1);
        row("h264, same interval from the cache", h264, 3, 1, {4, 5}, 3, 1);
        row("h264, next interval", h264, 3, 1, {4, 7}, 6, 2);
        row("h264, back to a cached interval", h264, 3, 2, {4, 7, 5}, 3, 2);
    }

    // A thumbnail is the key frame at or before the frame asked for, at the display aspect and
    // the device-pixel ratio asked for; one key frame interval is decoded once.
    void thumbnailsShowKeyFrames()
    {
        QFETCH(int, codec);
        QFETCH(int, keyInterval);
        QFETCH(qreal, ratio);
        QFETCH(QList<int>, requests);
        QFETCH(int, picture);
        QFETCH(int, decodes);
        if (!avcodec_find_encoder(AVCodecID(codec)))
            QSKIP("libavcodec has no encoder for this clip");
        ClipRecipe recipe = codedClip(codec, keyInterval);
        GalleryClip clip;
        QVERIFY(openNewClip(clip, recipe));
        QSignalSpy ready(clip.thumbnails(), &ThumbnailSource::thumbnailReady);
        for (int frame : requests) {
            clip.thumbnails()->request(frame, ratio);
            QVERIFY(ready.wait(5000));
            QCOMPARE(ready.last().at(1).toInt(), frame);
        }
        const QImage thumbnail = ready.last().first().value<QImage>();
        QCOMPARE(
            shownPicture(thumbnail.scaled(kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
            picture);
        QCOMPARE(clip.thumbnails()->decodes(), decodes);
        QCOMPARE(thumbnail.devicePixelRatio(), ratio);
        QCOMPARE(thumbnail.width(), qRound(ThumbnailMaker::kLogicalSide * ratio));
        QCOMPARE(thumbnail.height() * kSize.width(), thumbnail.width() * kSize.height());
    }

    void thumbnailsAnswerTheNewestOnly_data()
    {
        QTest::addColumn<bool>("file");
        QTest::addColumn<int>("requests");
        QTest::addColumn<bool>("clipChanges"); // before the answers come
        QTest::addColumn<int>("maxDecodes");
        QTest::newRow("file, two") << true << 2 << false << 2;
        QTest::newRow("file, a burst") << true << 40 << false << 10;
        QTest::newRow("synthetic, a burst") << false << 40 << false << 10;
        QTest::newRow("file, clip changes") << true << 1 << true << 1;
        QTest::newRow("synthetic, clip changes") << false << 1 << true << 1;
    }

    // Requests replace those still waiting, and a clip change drops them all: one answer at the
    // most, for the newest request, and a burst never queues a picture for each request.
    void thumbnailsAnswerTheNewestOnly()
    {
        QFETCH(bool, file);
        QFETCH(int, requests);
        QFETCH(bool, clipChanges);
        QFETCH(int, maxDecodes);
        GalleryClip clip;
        QVERIFY(!file || openClip(clip, m_clipPath));
        ThumbnailSource *thumbnails = clip.thumbnails();
        QSignalSpy ready(thumbnails, &ThumbnailSource::thumbnailReady);
        for (int i = 1; i <= requests; ++i)
            thumbnails->request(i % kFrames, 1);
        if (clipChanges) // as the clip says when another file has opened
            Q_EMIT clip.clipChanged();
        thumbnails->finishWork();
        QCoreApplication::processEvents(); // whatever was answered arrives now
        QVERIFY(thumbnails->decodes() <= maxDecodes);
        QCOMPARE(ready.count(), clipChanges ? 0 : 1);
        if (!clipChanges) {
            QCOMPARE(ready.first().at(1).toInt(), requests % kFrames);
            QVERIFY(!ready.first().first().value<QImage>().isNull());
        }
    }
};

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
