#ifndef CLIPWRITER_H
#define CLIPWRITER_H

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

extern "C" {
#include <libavcodec/codec_id.h>
#include <libavutil/pixfmt.h>
}

// What a written clip holds besides its pictures. The defaults make a lossless,
// intra-only clip (FFV1) that every frame can be sought in exactly.
struct ClipRecipe
{
    QSize size = QSize(640, 360);
    int framesPerSecond = 30; // the time base: a timestamp counts 1 / framesPerSecond s
    int frameCount = 90;
    QList<int> timestamps; // when each frame starts, in that time base; empty: 0, 1, 2, ...
    int lastDuration = 1;  // how long the last frame lasts, in that time base
    AVCodecID codec = AV_CODEC_ID_FFV1; // AV_CODEC_ID_RAWVIDEO takes any pixel format
    // A key frame every so many frames; H.264 (written lossless) predicts the frames
    // between from others, with B-frames, so that seeks must decode forward.
    int keyInterval = 1;
    AVPixelFormat pixelFormat = AV_PIX_FMT_YUV420P;
    AVColorSpace colorSpace = AVCOL_SPC_UNSPECIFIED;
    AVColorRange colorRange = AVCOL_RANGE_UNSPECIFIED;
    int rotation = 0;                 // clockwise, written as the stream's display matrix
    QSize sampleAspect = QSize(1, 1); // num:den
    int damagedFrame = -1;            // this frame's packet is written cut to half its size
    QList<int> chapters;              // where each chapter starts, in that time base, ascending
    QStringList chapterTitles;
};

// Writes a video file of the given frames with libavcodec, in the container its name's
// suffix names (.mkv, .mov, .mp4). Each frame is converted from RGB to the recipe's pixel
// format. The gallery uses it to make a clip to open; the tests to make a known one.
// Returns what went wrong, or an empty text.
QString writeVideoFile(const QString &path, const ClipRecipe &recipe,
                       const std::function<QImage(int)> &frameAt);

#endif // CLIPWRITER_H
