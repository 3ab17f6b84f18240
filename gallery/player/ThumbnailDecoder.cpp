#include "ThumbnailDecoder.h"

#include "FfmpegPicture.h"

#include <QTransform>

#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

// Enough for a few hundred thumbnails at a device-pixel ratio of 2.
constexpr int kCacheKiB = 32 * 1024;
// A seek lands on a key frame; a damaged index may land before one, so a few packets are
// read to find it, and no more.
constexpr int kMaxPacketsToKeyFrame = 64;

} // namespace

ThumbnailDecoder::ThumbnailDecoder(const QString &path, const QSize &displaySize, int rotation,
                                   double framesPerSecond)
    : ThumbnailMaker(displaySize)
    , m_path(path)
    , m_rotation(rotation)
    , m_framesPerSecond(qMax(1.0, framesPerSecond))
    , m_cache(kCacheKiB)
{
}

ThumbnailDecoder::~ThumbnailDecoder()
{
    sws_freeContext(m_scaler);
    av_frame_free(&m_picture);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
}

// The file's best video stream with a decoder on one thread that decodes key frames only.
bool ThumbnailDecoder::open()
{
    m_stream = openVideoDecoder(m_path, 1, &m_format, &m_codec);
    if (m_stream < 0)
        return false;
    const AVStream *stream = m_format->streams[m_stream];
    m_timeBase = av_q2d(stream->time_base);
    m_startTimestamp = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    m_picture = av_frame_alloc();
    m_packet = av_packet_alloc();
    m_codec->skip_frame = AVDISCARD_NONKEY;
    return m_picture && m_packet && m_timeBase > 0;
}

QImage ThumbnailDecoder::make(int frame, const QSize &size)
{
    if (!m_tried) {
        m_tried = true;
        if (!open())
            avformat_close_input(&m_format);
    }
    if (!m_format || !m_codec)
        return QImage();
    if (size != m_cachedSize) {
        m_cache.clear();
        m_cachedSize = size;
    }
    const int key = readKeyFrame(frame);
    if (key < 0)
        return QImage();
    if (const QImage *cached = m_cache.object(key)) {
        av_packet_unref(m_packet);
        return *cached;
    }
    const QImage picture = decodeKeyFrame(size);
    if (!picture.isNull())
        m_cache.insert(key, new QImage(picture),
                       int(qMax(qint64(1), picture.sizeInBytes() / 1024)));
    return picture;
}

// Seeks to the key frame at or before frame's interval and reads its packet.
int ThumbnailDecoder::readKeyFrame(int frame)
{
    const qint64 stamp =
        m_startTimestamp + qRound64((frame + 0.5) / m_framesPerSecond / m_timeBase);
    if (av_seek_frame(m_format, m_stream, stamp, AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(m_format, m_stream, m_startTimestamp, AVSEEK_FLAG_BACKWARD);
    for (int i = 0; i < kMaxPacketsToKeyFrame && av_read_frame(m_format, m_packet) >= 0; ++i) {
        if (m_packet->stream_index == m_stream && m_packet->flags & AV_PKT_FLAG_KEY) {
            const qint64 time = m_packet->pts != AV_NOPTS_VALUE ? m_packet->pts : m_packet->dts;
            return int(qMax(
                0.0, std::round(double(time - m_startTimestamp) * m_timeBase * m_framesPerSecond)));
        }
        av_packet_unref(m_packet);
    }
    return -1;
}

// Decodes the key frame's packet alone, draining the decoder for its picture, and scales it
// to size upright: stretched by the sample aspect to the stored orientation's shape, then
// turned.
QImage ThumbnailDecoder::decodeKeyFrame(const QSize &size)
{
    avcodec_flush_buffers(m_codec);
    int result = avcodec_send_packet(m_codec, m_packet);
    av_packet_unref(m_packet);
    if (result >= 0)
        result = avcodec_send_packet(m_codec, nullptr);
    if (result < 0 || avcodec_receive_frame(m_codec, m_picture) < 0)
        return QImage();
    countDecode();
    const QSize stored = m_rotation % 180 ? size.transposed() : size;
    m_scaler = sws_getCachedContext(
        m_scaler, m_picture->width, m_picture->height, AVPixelFormat(m_picture->format),
        stored.width(), stored.height(), AV_PIX_FMT_RGB32, SWS_BICUBIC, nullptr, nullptr, nullptr);
    QImage picture(stored, QImage::Format_RGB32);
    if (m_scaler && !picture.isNull()) {
        const int *table = sws_getCoefficients(
            matrixOf(m_picture) == UxVideoFrame::Matrix_BT709 ? SWS_CS_ITU709 : SWS_CS_ITU601);
        sws_setColorspaceDetails(m_scaler, table, isFullRange(m_picture) ? 1 : 0, table, 1, 0,
                                 1 << 16, 1 << 16);
        uint8_t *const planes[] = {picture.bits()};
        const int strides[] = {int(picture.bytesPerLine())};
        sws_scale(m_scaler, m_picture->data, m_picture->linesize, 0, m_picture->height, planes,
                  strides);
    } else {
        picture = QImage();
    }
    av_frame_unref(m_picture);
    return m_rotation % 360 ? picture.transformed(QTransform().rotate(m_rotation)) : picture;
}
