#include "VideoFileDecoder.h"

#include "FfmpegPicture.h"
#include "FfmpegText.h"

#include <QTimer>
#include <QtMath>

#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libswscale/swscale.h>
}

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr int kMaxSide = 16384;
// A file whose first pictures all fail to decode is refused after this many.
constexpr int kMaxBadPicturesAtOpen = 32;
// Longer than any stream: a day in frame intervals, and times within 2^52 units, where
// doubles still count whole numbers.
constexpr double kMaxFrames = 24 * 3600 * 1000;
constexpr double kMaxTime = 4503599627370496.0;

// Rounds a time or timestamp that a damaged file may have made absurd, without overflow.
qint64 roundedTime(double value)
{
    return qint64(std::round(qBound(-kMaxTime, qIsFinite(value) ? value : 0.0, kMaxTime)));
}

UxVideoFrame::PixelFormat uxFormatOf(int format)
{
    switch (format) {
    case AV_PIX_FMT_YUV420P:
    case AV_PIX_FMT_YUVJ420P:
        return UxVideoFrame::Format_YUV420P;
    case AV_PIX_FMT_NV12:
        return UxVideoFrame::Format_NV12;
    case AV_PIX_FMT_YUV420P10LE:
        return UxVideoFrame::Format_YUV420P10;
    case AV_PIX_FMT_P010LE:
        return UxVideoFrame::Format_P010;
    default:
        return UxVideoFrame::Format_Invalid;
    }
}

// FFmpeg's display matrix turns anticlockwise; ours clockwise, to the nearest quarter.
int rotationOf(const AVStream *stream)
{
    const auto *matrix = reinterpret_cast<const int32_t *>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    const double angle = matrix ? av_display_rotation_get(matrix) : 0.0;
    if (!qIsFinite(angle))
        return 0;
    const int quarters = qRound(-angle / 90.0) % 4;
    return (quarters + 4) % 4 * 90;
}

void freePicture(const void *picture)
{
    AVFrame *frame = static_cast<AVFrame *>(const_cast<void *>(picture));
    av_frame_free(&frame);
}

bool holdsPicture(const AVFrame *frame)
{
    return frame->buf[0] != nullptr;
}

} // namespace

VideoFileDecoder::VideoFileDecoder()
    : m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &VideoFileDecoder::step);
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
    av_frame_free(&m_ahead);
    av_frame_free(&m_candidate);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
}

void VideoFileDecoder::open(const QString &path)
{
    m_path = path;
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
    m_stream = openVideoDecoder(path, 0, &m_format, &m_codec);
    if (m_stream == AVERROR_STREAM_NOT_FOUND)
        return tr("it holds no video");
    if (m_stream == AVERROR_DECODER_NOT_FOUND)
        return tr("no decoder for its video");
    if (m_stream < 0)
        return ffmpegErrorText(m_stream);
    const AVStream *stream = m_format->streams[m_stream];
    m_decoded = av_frame_alloc();
    m_ahead = av_frame_alloc();
    m_candidate = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_decoded || !m_ahead || !m_candidate || !m_packet)
        return ffmpegErrorText(AVERROR(ENOMEM));

    if (stream->time_base.num <= 0 || stream->time_base.den <= 0)
        return tr("its timestamps have no unit");
    const int width = stream->codecpar->width, height = stream->codecpar->height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return tr("its pictures are %1 x %2 pixels").arg(width).arg(height);
    readStreamInfo();

    Decoded first = Decoded::BadPicture;
    for (int i = 0; i < kMaxBadPicturesAtOpen && first == Decoded::BadPicture; ++i)
        first = decodeNext();
    if (first != Decoded::Picture)
        return m_failure.isEmpty() ? tr("no picture could be decoded") : m_failure;
    if (!wrap(m_decoded).isValid())
        return tr("its pictures cannot be converted");
    av_frame_unref(m_decoded);
    return QString();
}

void VideoFileDecoder::readStreamInfo()
{
    AVStream *stream = m_format->streams[m_stream];
    m_timeBase = av_q2d(stream->time_base);
    const bool startKnown =
        stream->start_time != AV_NOPTS_VALUE && qAbs(double(stream->start_time)) <= kMaxTime;
    m_startTimestamp = startKnown ? stream->start_time : 0;
    const AVRational rate = av_guess_frame_rate(m_format, stream, nullptr);
    m_info.framesPerSecond = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 25.0;
    // The length in time, not in pictures: a variable-rate stream has fewer pictures
    // than frame intervals.
    const double seconds = stream->duration != AV_NOPTS_VALUE ? stream->duration * m_timeBase
                           : m_format->duration > 0 ? m_format->duration / double(AV_TIME_BASE)
                                                    : 0.0;
    const double frames =
        seconds > 0 ? seconds * m_info.framesPerSecond : double(stream->nb_frames);
    m_info.frameCount = int(qBound(1.0, std::round(frames), kMaxFrames));
    m_info.frameSize = QSize(stream->codecpar->width, stream->codecpar->height);
    const AVRational shape = av_guess_sample_aspect_ratio(m_format, stream, nullptr);
    m_info.sampleAspect =
        shape.num > 0 && shape.den > 0 ? QSize(shape.num, shape.den) : QSize(1, 1);
    m_info.rotation = rotationOf(stream);
    readChapters();
}

// The file's chapters, their start times counted from the stream's first picture.
void VideoFileDecoder::readChapters()
{
    for (unsigned i = 0; i < m_format->nb_chapters; ++i) {
        const AVChapter *chapter = m_format->chapters[i];
        if (chapter->time_base.num <= 0 || chapter->time_base.den <= 0)
            continue;
        const double seconds =
            double(chapter->start) * av_q2d(chapter->time_base) - m_startTimestamp * m_timeBase;
        m_info.chapters << int(qBound(0.0, std::round(seconds * m_info.framesPerSecond),
                                      double(m_info.frameCount - 1)));
        const AVDictionaryEntry *title = av_dict_get(chapter->metadata, "title", nullptr, 0);
        m_info.chapterTitles << (title ? QString::fromUtf8(title->value) : QString());
    }
}

// Decodes the next picture of the stream into m_decoded.
VideoFileDecoder::Decoded VideoFileDecoder::decodeNext()
{
    for (;;) {
        int result = avcodec_receive_frame(m_codec, m_decoded);
        if (result == 0) {
            // A picture without a time is taken as the one after the last.
            if (m_decoded->best_effort_timestamp == AV_NOPTS_VALUE)
                m_decoded->best_effort_timestamp =
                    m_startTimestamp +
                    roundedTime((m_decodedTime + 1000.0 / m_info.framesPerSecond) / 1000.0 /
                                m_timeBase);
            m_decodedTime = timeOf(m_decoded);
            if (!m_skippable.empty() && m_decoded->pts != AV_NOPTS_VALUE)
                countSkipped(m_decoded->pts);
            return Decoded::Picture;
        }
        if (result == AVERROR_EOF)
            return Decoded::End;
        if (result != AVERROR(EAGAIN))
            return failWith(result, Decoded::BadPicture);
        result = av_read_frame(m_format, m_packet);
        if (result == AVERROR_EOF) {
            avcodec_send_packet(m_codec, nullptr); // flush what the decoder holds back
            continue;
        }
        if (result < 0)
            return failWith(result, Decoded::Unreadable);
        if (m_packet->stream_index == m_stream) {
            m_codec->skip_frame = mayBeSkipped(m_packet) ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
            result = avcodec_send_packet(m_codec, m_packet);
        }
        av_packet_unref(m_packet);
        if (result < 0 && result != AVERROR(EAGAIN))
            return failWith(result, Decoded::BadPicture);
    }
}

// Pictures that no other picture refers to may be skipped: while seeking those that end
// before the target's interval begins, which are never on show, and while playback is
// late, to catch up (counted as dropped when a later picture comes out).
bool VideoFileDecoder::mayBeSkipped(const AVPacket *packet)
{
    if (packet->pts == AV_NOPTS_VALUE)
        return false;
    if (m_catchingUp && m_playing && !m_seeking) {
        m_skippable.insert(packet->pts);
        return true;
    }
    if (!m_seeking || packet->duration <= 0)
        return false;
    const double end = (double(packet->pts) - double(m_startTimestamp) + double(packet->duration)) *
                       m_timeBase * m_info.framesPerSecond;
    return end <= m_seekTarget - 0.5;
}

VideoFileDecoder::Decoded VideoFileDecoder::failWith(int code, Decoded kind)
{
    m_failure = ffmpegErrorText(code);
    return kind;
}

qint64 VideoFileDecoder::timeOf(const AVFrame *picture) const
{
    return roundedTime((double(picture->best_effort_timestamp) - double(m_startTimestamp)) *
                       m_timeBase * 1000.0);
}

int VideoFileDecoder::indexOf(qint64 time) const
{
    const double index = std::round(time * m_info.framesPerSecond / 1000.0);
    return int(qBound(0.0, index, double(m_info.frameCount - 1)));
}

// The picture as the viewers take it, holding a reference to its buffers (or to a YUV420P
// copy for other formats) that is freed with the last copy of the frame.
UxVideoFrame VideoFileDecoder::wrap(const AVFrame *picture)
{
    AVFrame *ref = uxFormatOf(picture->format) != UxVideoFrame::Format_Invalid
                       ? av_frame_clone(picture)
                       : yuvCopyOf(picture);
    if (!ref)
        return UxVideoFrame();
    std::shared_ptr<const void> owner(ref, freePicture);
    UxVideoFrame frame(uxFormatOf(ref->format), QSize(ref->width, ref->height));
    for (int i = 0; i < frame.planeCount(); ++i)
        frame.setPlane(i, ref->data[i], ref->linesize[i]);
    frame.setColorMatrix(matrixOf(ref));
    frame.setColorRange(isFullRange(ref) ? UxVideoFrame::Range_Full : UxVideoFrame::Range_Limited);
    const AVRational shape =
        av_guess_sample_aspect_ratio(m_format, m_format->streams[m_stream], ref);
    frame.setSampleAspectRatio(shape.num, shape.den);
    frame.setRotation(m_info.rotation);
    frame.setOwner(std::move(owner));
    return frame;
}

// A picture of a format the viewers do not take, converted once to YUV420P at its own
// size with the matrix it is meant to be seen with, in limited range.
AVFrame *VideoFileDecoder::yuvCopyOf(const AVFrame *picture)
{
    const int width = picture->width, height = picture->height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    m_scaler =
        sws_getCachedContext(m_scaler, width, height, AVPixelFormat(picture->format), width, height,
                             AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    AVFrame *copy = m_scaler ? av_frame_alloc() : nullptr;
    if (!copy)
        return nullptr;
    copy->format = AV_PIX_FMT_YUV420P;
    copy->width = width;
    copy->height = height;
    if (av_frame_get_buffer(copy, 0) < 0 || av_frame_copy_props(copy, picture) < 0) {
        av_frame_free(&copy);
        return nullptr;
    }
    const bool hd = matrixOf(picture) == UxVideoFrame::Matrix_BT709;
    const int *table = sws_getCoefficients(hd ? SWS_CS_ITU709 : SWS_CS_ITU601);
    sws_setColorspaceDetails(m_scaler, table, isFullRange(picture) ? 1 : 0, table, 0, 0, 1 << 16,
                             1 << 16);
    sws_scale(m_scaler, picture->data, picture->linesize, 0, height, copy->data, copy->linesize);
    copy->colorspace = hd ? AVCOL_SPC_BT709 : AVCOL_SPC_SMPTE170M;
    copy->color_range = AVCOL_RANGE_MPEG;
    return copy;
}

void VideoFileDecoder::deliver(AVFrame *picture, int index, qint64 time)
{
    const UxVideoFrame frame = wrap(picture);
    av_frame_unref(picture);
    m_shownTime = time;
    m_reported = false;
    if (!frame.isValid()) {
        m_failure = tr("a picture cannot be converted");
        report();
        return;
    }
    m_inFlight.fetch_add(1);
    Q_EMIT frameDecoded(frame, index, m_generation);
}

void VideoFileDecoder::step()
{
    if (m_seeking)
        seekStep();
    else if (m_playing)
        playStep();
}

void VideoFileDecoder::play(int outPoint, quint64 generation)
{
    m_generation = generation;
    if (!m_codec)
        return;
    m_outPoint = outPoint;
    m_playing = true;
    if (m_seeking)
        return; // the seek starts playback when it lands
    startClock();
    m_timer->start(0);
}

void VideoFileDecoder::startClock()
{
    m_originTime = m_shownTime; // the clock's zero stands for the picture on show
    m_clock.start();
}

void VideoFileDecoder::pause(quint64 generation)
{
    m_generation = generation;
    m_playing = false;
    if (!m_seeking)
        m_timer->stop();
    Q_EMIT stopped(false, m_generation);
}

void VideoFileDecoder::seek(int frame, quint64 generation)
{
    m_generation = generation;
    if (!m_codec)
        return;
    m_seekTarget = qBound(0, frame, m_info.frameCount - 1);
    // The key frame at or before the target's interval.
    const qint64 stamp =
        m_startTimestamp + roundedTime((m_seekTarget + 0.5) / m_info.framesPerSecond / m_timeBase);
    if (av_seek_frame(m_format, m_stream, stamp, AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(m_format, m_stream, m_startTimestamp, AVSEEK_FLAG_BACKWARD);
    avcodec_flush_buffers(m_codec);
    av_frame_unref(m_ahead);
    av_frame_unref(m_candidate);
    m_skippable.clear();
    m_catchingUp = false;
    m_dropRun = 0;
    m_seeking = true;
    m_timer->start(0);
}

// Decodes one picture towards the seek target. The picture on show at the target's time
// is the last one that starts at or before it; the one after it is kept to play next.
void VideoFileDecoder::seekStep()
{
    const Decoded got = decodeNext();
    if (got == Decoded::BadPicture) {
        report();
        m_timer->start(0);
        return;
    }
    if (got == Decoded::Picture) {
        const bool before = indexOf(timeOf(m_decoded)) <= m_seekTarget;
        if (before || !holdsPicture(m_candidate)) {
            av_frame_unref(m_candidate);
            av_frame_move_ref(m_candidate, m_decoded);
        } else {
            av_frame_move_ref(m_ahead, m_decoded);
        }
        if (before) {
            m_timer->start(0);
            return;
        }
    } else if (got == Decoded::Unreadable) {
        report();
    }
    finishSeek(); // past the target, or nothing follows: the last picture stays on show
}

void VideoFileDecoder::finishSeek()
{
    m_seeking = false;
    if (holdsPicture(m_candidate)) {
        const qint64 time = timeOf(m_candidate);
        const int index = qMax(m_seekTarget, indexOf(time));
        const qint64 targetTime = roundedTime(m_seekTarget * 1000.0 / m_info.framesPerSecond);
        deliver(m_candidate, index, qMax(time, targetTime));
    }
    if (m_playing) {
        startClock();
        m_timer->start(0);
    }
}

// One picture of playback: decodes it, waits for its time, and shows or drops it.
void VideoFileDecoder::playStep()
{
    if (!holdsPicture(m_ahead)) {
        switch (decodeNext()) {
        case Decoded::Picture:
            av_frame_move_ref(m_ahead, m_decoded);
            break;
        case Decoded::End:
            if (!m_skippable.empty())
                drop(int(m_skippable.size())); // skipped at the end
            m_skippable.clear();
            return stop(true);
        case Decoded::BadPicture: // reported, and playback goes on past it
            report();
            drop();
            m_timer->start(0);
            return;
        case Decoded::Unreadable:
            report();
            return stop(false);
        }
    }
    const qint64 time = timeOf(m_ahead);
    const int index = indexOf(time); // pictures past the stream's stated length take its end
    if (index > m_outPoint)
        return stop(true); // kept: it plays next if the out point moves on
    const double interval = 1000.0 / m_info.framesPerSecond;
    const qint64 late = m_clock.elapsed() - (time - m_originTime);
    if (late < 0) {
        m_timer->start(int(qMin(-late, qint64(10000))));
        return;
    }
    const bool timely = late <= interval;
    m_catchingUp = !timely;
    const bool receiverFull = m_inFlight.load() >= kMaxInFlight;
    if (receiverFull && timely) {
        m_timer->start(1); // the receiver is behind: wait while the picture is still timely
        return;
    }
    if (receiverFull || (!timely && m_dropRun < kMaxDropRun)) {
        av_frame_unref(m_ahead);
        drop();
        ++m_dropRun;
    } else { // on time, or late after a run of drops: better late than a frozen picture
        deliver(m_ahead, index, time);
        m_dropRun = 0;
    }
    m_timer->start(0);
}

void VideoFileDecoder::drop(int count)
{
    m_dropped += count;
    Q_EMIT droppedFramesChanged(m_dropped);
}

// Pictures come out in time order: those sent to be skipped that are earlier than the
// one that came out were skipped.
void VideoFileDecoder::countSkipped(qint64 timestamp)
{
    const auto next = m_skippable.upper_bound(timestamp);
    int skipped = int(std::distance(m_skippable.begin(), next));
    if (skipped > 0 && *std::prev(next) == timestamp)
        --skipped; // this one came out
    m_skippable.erase(m_skippable.begin(), next);
    if (skipped > 0)
        drop(skipped);
}

// Says once what went wrong until a picture decodes again.
void VideoFileDecoder::report()
{
    if (m_reported)
        return;
    m_reported = true;
    const double seconds = m_decodedTime < 0 ? 0.0 : m_decodedTime / 1000.0;
    Q_EMIT failed(
        tr("Cannot decode %1 after %2 s: %3").arg(m_path).arg(seconds, 0, 'f', 3).arg(m_failure));
}

void VideoFileDecoder::stop(bool atEnd)
{
    m_playing = false;
    m_timer->stop();
    Q_EMIT stopped(atEnd, m_generation);
}
