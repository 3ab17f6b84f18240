#ifndef THUMBNAILDECODER_H
#define THUMBNAILDECODER_H

#include "ThumbnailSource.h"

#include <QCache>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

// The thumbnails of a video file, from a second FFmpeg decoder with its own file context
// and one thread, opened at the first request. A thumbnail is the key frame at or before
// the requested frame: the decoder seeks there, decodes that one picture and nothing after
// it, and scales it small. Pictures are kept by their key frame's index, so that requests
// within one key frame interval decode once.
class ThumbnailDecoder : public ThumbnailMaker
{
public:
    ThumbnailDecoder(const QString &path, const QSize &displaySize, int rotation,
                     double framesPerSecond);
    ~ThumbnailDecoder() override;

protected:
    QImage make(int frame, const QSize &size) override;

private:
    bool open();
    int readKeyFrame(int frame); // its index, the packet in m_packet; -1 for none
    QImage decodeKeyFrame(const QSize &size);

    QString m_path;
    int m_rotation;
    double m_framesPerSecond;
    bool m_tried = false; // to open the file
    AVFormatContext *m_format = nullptr;
    AVCodecContext *m_codec = nullptr;
    SwsContext *m_scaler = nullptr;
    AVFrame *m_picture = nullptr;
    AVPacket *m_packet = nullptr;
    int m_stream = -1;
    qint64 m_startTimestamp = 0;
    double m_timeBase = 0;       // seconds per timestamp unit
    QCache<int, QImage> m_cache; // by key frame index, at m_cachedSize, cost in KiB
    QSize m_cachedSize;
};

#endif // THUMBNAILDECODER_H
