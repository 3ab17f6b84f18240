#include "ClipWriter.h"

#include "FfmpegText.h"

#include <QFile>
#include <QMap>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libswscale/swscale.h>
}

namespace {

// The FFmpeg objects of one file being written, freed together.
struct Writer
{
    AVFormatContext *format = nullptr;
    AVCodecContext *encoder = nullptr;
    AVStream *stream = nullptr;
    SwsContext *converter = nullptr;
    AVFrame *frame = av_frame_alloc();
    AVPacket *packet = av_packet_alloc();
    QMap<qint64, int> durations; // by timestamp
    qint64 damagedTimestamp = AV_NOPTS_VALUE;

    ~Writer()
    {
        if (format && format->pb)
            avio_closep(&format->pb);
        sws_freeContext(converter);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        avformat_free_context(format);
    }

    // Writes out what the encoder has finished.
    int drain()
    {
        int result = 0;
        while (result >= 0 && avcodec_receive_packet(encoder, packet) == 0) {
            // The container's length counts the last frame's duration.
            packet->duration = durations.value(packet->pts, 1);
            if (packet->pts == damagedTimestamp)
                av_shrink_packet(packet, packet->size / 2);
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            result = av_interleaved_write_frame(format, packet);
        }
        return result;
    }

    // The RGB picture in the encoder's pixel format, matrix and range.
    int convert(const QImage &image, const ClipSpec &spec)
    {
        const int width = spec.size.width(), height = spec.size.height();
        converter = sws_getCachedContext(converter, width, height, AV_PIX_FMT_RGB32, width, height,
                                         spec.pixelFormat, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr,
                                         nullptr, nullptr);
        if (!converter)
            return AVERROR(EINVAL);
        // An unspecified matrix is BT.709 above standard definition, as players take it.
        const bool hd = spec.colorSpace == AVCOL_SPC_BT709 ||
                        (spec.colorSpace == AVCOL_SPC_UNSPECIFIED && height > 576);
        const int *table = sws_getCoefficients(hd ? SWS_CS_ITU709 : SWS_CS_ITU601);
        sws_setColorspaceDetails(converter, table, 1, table,
                                 spec.colorRange == AVCOL_RANGE_JPEG ? 1 : 0, 0, 1 << 16, 1 << 16);
        const int result = av_frame_make_writable(frame);
        if (result < 0)
            return result;
        const uint8_t *planes[4] = {image.constBits(), nullptr, nullptr, nullptr};
        const int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
        sws_scale(converter, planes, strides, 0, height, frame->data, frame->linesize);
        return 0;
    }
};

QList<int> timestampsOf(const ClipSpec &spec)
{
    if (!spec.timestamps.isEmpty())
        return spec.timestamps;
    QList<int> stamps;
    for (int i = 0; i < spec.frameCount; ++i)
        stamps.append(i);
    return stamps;
}

bool increasing(const QList<int> &stamps)
{
    for (int i = 1; i < stamps.size(); ++i) {
        if (stamps[i] <= stamps[i - 1])
            return false;
    }
    return !stamps.isEmpty() && stamps.first() >= 0;
}

int setUpStream(Writer &w, const ClipSpec &spec)
{
    w.encoder->width = spec.size.width();
    w.encoder->height = spec.size.height();
    w.encoder->pix_fmt = spec.pixelFormat;
    w.encoder->color_range = spec.colorRange;
    w.encoder->colorspace = spec.colorSpace;
    w.encoder->sample_aspect_ratio =
        AVRational{spec.sampleAspect.width(), spec.sampleAspect.height()};
    w.encoder->time_base = AVRational{1, spec.framesPerSecond};
    w.encoder->framerate = AVRational{spec.framesPerSecond, 1};
    w.encoder->gop_size = qMax(1, spec.keyInterval);
    w.encoder->max_b_frames = spec.keyInterval > 3 ? 3 : 0;
    w.stream->time_base = w.encoder->time_base;
    w.stream->sample_aspect_ratio = w.encoder->sample_aspect_ratio;
    if (spec.rotation % 360 != 0) {
        auto *matrix = reinterpret_cast<int32_t *>(
            av_stream_new_side_data(w.stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
        if (!matrix)
            return AVERROR(ENOMEM);
        av_display_rotation_set(matrix, spec.rotation); // this one turns clockwise
    }
    if (w.format->oformat->flags & AVFMT_GLOBALHEADER)
        w.encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER; // what the container keeps up front
    AVDictionary *options = nullptr;
    // Nearly lossless, for the encoders that take it (x264 makes no B-frames at 0).
    av_dict_set(&options, "qp", "1", 0);
    int result = avcodec_open2(w.encoder, w.encoder->codec, &options);
    av_dict_free(&options);
    if (result >= 0)
        result = avcodec_parameters_from_context(w.stream->codecpar, w.encoder);
    if (result < 0)
        return result;
    w.frame->format = spec.pixelFormat;
    w.frame->width = spec.size.width();
    w.frame->height = spec.size.height();
    return av_frame_get_buffer(w.frame, 0);
}

} // namespace

QString writeVideoFile(const QString &path, const ClipSpec &spec,
                       const std::function<QImage(int)> &frameAt)
{
    const QList<int> stamps = timestampsOf(spec);
    if (!increasing(stamps) || spec.framesPerSecond <= 0 || spec.lastDuration <= 0)
        return QStringLiteral("the timestamps do not increase");
    Writer w;
    const QByteArray name = QFile::encodeName(path);
    int result = avformat_alloc_output_context2(&w.format, nullptr, nullptr, name.constData());
    const AVCodec *codec = avcodec_find_encoder(spec.codec);
    if (result < 0 || !codec || !w.frame || !w.packet)
        return result < 0 ? ffmpegErrorText(result) : QStringLiteral("no such encoder");
    w.stream = avformat_new_stream(w.format, nullptr);
    w.encoder = avcodec_alloc_context3(codec);
    if (!w.stream || !w.encoder)
        return ffmpegErrorText(AVERROR(ENOMEM));
    for (int i = 0; i < stamps.size(); ++i)
        w.durations.insert(stamps[i],
                           i + 1 < stamps.size() ? stamps[i + 1] - stamps[i] : spec.lastDuration);
    if (spec.damagedFrame >= 0 && spec.damagedFrame < stamps.size())
        w.damagedTimestamp = stamps[spec.damagedFrame];
    result = setUpStream(w, spec);
    if (result >= 0)
        result = avio_open(&w.format->pb, name.constData(), AVIO_FLAG_WRITE);
    if (result >= 0)
        result = avformat_write_header(w.format, nullptr);
    for (int i = 0; result >= 0 && i < stamps.size(); ++i) {
        const QImage image = frameAt(i).convertToFormat(QImage::Format_RGB32);
        if (image.size() != spec.size)
            return QStringLiteral("frame %1 is not %2 x %3")
                .arg(i)
                .arg(spec.size.width())
                .arg(spec.size.height());
        result = w.convert(image, spec);
        w.frame->pts = stamps[i];
        if (result >= 0)
            result = avcodec_send_frame(w.encoder, w.frame);
        if (result >= 0)
            result = w.drain();
    }
    if (result >= 0)
        result = avcodec_send_frame(w.encoder, nullptr); // flush
    if (result >= 0)
        result = w.drain();
    if (result >= 0)
        result = av_write_trailer(w.format);
    return result < 0 ? ffmpegErrorText(result) : QString();
}
