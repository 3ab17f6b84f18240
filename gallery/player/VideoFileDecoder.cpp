#include "VideoFileDecoder.h"

#include "FfmpegText.h"

#include <QFile>
#include <QTimer>
#include <QtMath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr int kMaxSide = 16384;

} // namespace

VideoFileDecoder::VideoFileDecoder()
    : m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &VideoFileDecoder::showPending);
}

VideoFileDecoder::~VideoFileDecoder()
{
    close();
}

void VideoFileDecoder::close()
{
    sws_freeContext(m_scaler);
    m_scaler = nullptr;
    av_frame_free(&m_decoded);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
}

void VideoFileDecoder::open(const QString &path)
{
    const QString problem = openStream(path);
    if (!problem.isEmpty()) {
        close();
        Q_EMIT failed(tr("Cannot play %1: %2").arg(path, problem));
        return;
    }
    Q_EMIT opened(m_info);
}

// Opens the file's best video stream and decodes its first picture, so that a file
// whose pictures cannot be decoded is refused here. Returns what went wrong, if anything.
QString VideoFileDecoder::openStream(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int result = avformat_open_input(&m_format, name.constData(), nullptr, nullptr);
    if (result < 0)
        return ffmpegErrorText(result);
    result = avformat_find_stream_info(m_format, nullptr);
    if (result < 0)
        return ffmpegErrorText(result);
    const AVCodec *decoder = nullptr;
    m_stream = av_find_best_stream(m_format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (m_stream < 0 || !decoder)
        return m_stream == AVERROR_DECODER_NOT_FOUND ? tr("no decoder for its video")
                                                     : tr("it holds no video");
    const AVStream *stream = m_format->streams[m_stream];
    m_codec = avcodec_alloc_context3(decoder);
    m_decoded = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_codec || !m_decoded || !m_packet)
        return ffmpegErrorText(AVERROR(ENOMEM));
    result = avcodec_parameters_to_context(m_codec, stream->codecpar);
    if (result >= 0)
        result = avcodec_open2(m_codec, decoder, nullptr);
    if (result < 0)
        return ffmpegErrorText(result);

    const int width = stream->codecpar->width, height = stream->codecpar->height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return tr("its pictures are %1 x %2 pixels").arg(width).arg(height);
    m_timeBase = av_q2d(stream->time_base);
    m_startTimestamp = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    AVRational rate = av_guess_frame_rate(m_format, const_cast<AVStream *>(stream), nullptr);
    m_info.framesPerSecond = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 25.0;
    const double seconds = stream->duration != AV_NOPTS_VALUE ? stream->duration * m_timeBase
                           : m_format->duration > 0 ? m_format->duration / double(AV_TIME_BASE)
                                                    : 0.0;
    const qint64 frames =
        stream->nb_frames > 0 ? stream->nb_frames : qRound64(seconds * m_info.framesPerSecond);
    m_info.frameCount = int(qBound(qint64(1), frames, qint64(24 * 3600 * 1000)));
    m_info.frameSize = QSize(width, height);
    const AVRational shape =
        av_guess_sample_aspect_ratio(m_format, const_cast<AVStream *>(stream), nullptr);
    const double stretch = shape.num > 0 && shape.den > 0 ? av_q2d(shape) : 1.0;
    m_info.displaySize = QSize(qBound(1, qRound(width * stretch), kMaxSide), height);

    if (!decodeNext())
        return tr("no picture could be decoded");
    const QImage first = convertDecoded();
    if (first.isNull())
        return tr("its pictures cannot be converted");
    emitDecoded(first);
    return QString();
}

// Decodes the next picture of the stream into m_decoded. False at the end of the stream;
// packets that do not decode are skipped.
bool VideoFileDecoder::decodeNext()
{
    for (;;) {
        const int received = avcodec_receive_frame(m_codec, m_decoded);
        if (received == 0)
            return true;
        if (received != AVERROR(EAGAIN) || m_draining)
            return false;
        if (av_read_frame(m_format, m_packet) < 0) {
            avcodec_send_packet(m_codec, nullptr); // flush what the decoder holds back
            m_draining = true;
            continue;
        }
        if (m_packet->stream_index == m_stream)
            avcodec_send_packet(m_codec, m_packet);
        av_packet_unref(m_packet);
    }
}

qint64 VideoFileDecoder::timeOfDecoded() const
{
    const qint64 stamp = m_decoded->best_effort_timestamp;
    if (stamp == AV_NOPTS_VALUE) // no time: take it as the frame after the last one
        return qRound64((m_index + 1) * 1000.0 / m_info.framesPerSecond);
    return qRound64((stamp - m_startTimestamp) * m_timeBase * 1000.0);
}

int VideoFileDecoder::indexOfDecoded() const
{
    const qint64 index = qRound64(timeOfDecoded() * m_info.framesPerSecond / 1000.0);
    return int(qBound(qint64(0), index, qint64(m_info.frameCount - 1)));
}

QImage VideoFileDecoder::convertDecoded()
{
    const int width = m_decoded->width, height = m_decoded->height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return QImage();
    m_scaler =
        sws_getCachedContext(m_scaler, width, height, AVPixelFormat(m_decoded->format), width,
                             height, AV_PIX_FMT_RGB32, SWS_BICUBIC, nullptr, nullptr, nullptr);
    QImage image(width, height, QImage::Format_RGB32);
    if (!m_scaler || image.isNull())
        return QImage();
    uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(m_scaler, m_decoded->data, m_decoded->linesize, 0, height, planes, strides);
    return image;
}

void VideoFileDecoder::play(int outPoint, quint64 generation)
{
    m_generation = generation;
    if (!m_codec)
        return;
    m_outPoint = outPoint;
    m_playing = true;
    // The clock's zero stands for the picture on show, or the one waiting for its time.
    m_originTime = m_pending.isNull() ? m_shownTime : m_pendingTime;
    m_clock.start();
    if (m_pending.isNull())
        scheduleNext();
    else
        m_timer->start(0);
}

void VideoFileDecoder::pause(quint64 generation)
{
    m_generation = generation;
    m_playing = false;
    m_timer->stop();
    if (!m_pending.isNull())
        showPending(); // its frame is the position now; show it rather than skip it
    Q_EMIT stopped(m_generation);
}

void VideoFileDecoder::seek(int frame, quint64 generation)
{
    m_generation = generation;
    if (!m_codec)
        return;
    m_timer->stop();
    m_pending = QImage();
    const int target = qBound(0, frame, m_info.frameCount - 1);
    const qint64 stamp = m_startTimestamp + qRound64(target / m_info.framesPerSecond / m_timeBase);
    av_seek_frame(m_format, m_stream, stamp, AVSEEK_FLAG_BACKWARD); // the key frame before
    avcodec_flush_buffers(m_codec);
    m_draining = false;
    bool found = false;
    while (decodeNext()) { // forward to the exact frame
        found = true;
        if (indexOfDecoded() >= target)
            break;
    }
    if (found)
        emitDecoded(convertDecoded());
    if (m_playing)
        play(m_outPoint, generation);
    else
        Q_EMIT stopped(m_generation);
}

// Decodes until a picture is due no more than one frame interval ago, counting those it
// skips, and sets the timer for it. Stops on the out point and at the end of the file.
void VideoFileDecoder::scheduleNext()
{
    const double interval = 1000.0 / m_info.framesPerSecond;
    while (m_playing) {
        if (m_index >= m_outPoint || !decodeNext()) {
            stop();
            return;
        }
        const int index = indexOfDecoded();
        if (index > m_outPoint) {
            stop();
            return;
        }
        m_index = index;
        const qint64 due = timeOfDecoded() - m_originTime;
        const qint64 now = m_clock.elapsed();
        if (now - due > interval) {
            Q_EMIT droppedFramesChanged(++m_dropped);
            continue;
        }
        m_pending = convertDecoded();
        m_pendingTime = timeOfDecoded();
        m_timer->start(int(qBound(qint64(0), due - now, qint64(10000))));
        return;
    }
}

void VideoFileDecoder::emitDecoded(const QImage &frame)
{
    m_index = indexOfDecoded();
    m_shownTime = timeOfDecoded();
    Q_EMIT frameDecoded(frame, m_index, m_generation);
}

void VideoFileDecoder::showPending()
{
    const QImage frame = m_pending;
    m_pending = QImage();
    m_shownTime = m_pendingTime;
    Q_EMIT frameDecoded(frame, m_index, m_generation);
    if (m_playing)
        scheduleNext();
}

void VideoFileDecoder::stop()
{
    m_playing = false;
    m_timer->stop();
    Q_EMIT stopped(m_generation);
}
