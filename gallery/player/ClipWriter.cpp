#include "ClipWriter.h"

#include "FfmpegText.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

// The FFmpeg objects of one file being written, freed together.
struct Writer
{
    AVFormatContext *format = nullptr;
    AVCodecContext *encoder = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = av_frame_alloc();
    AVPacket *packet = av_packet_alloc();

    ~Writer()
    {
        if (format && format->pb)
            avio_closep(&format->pb);
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
            packet->duration = 1; // so that the container's length counts the last frame
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            result = av_interleaved_write_frame(format, packet);
        }
        return result;
    }
};

} // namespace

QString writeVideoFile(const QString &path, const QSize &size, int frameCount, int framesPerSecond,
                       const std::function<QImage(int)> &frameAt)
{
    Writer w;
    const QByteArray name = QFile::encodeName(path);
    int result = avformat_alloc_output_context2(&w.format, nullptr, "matroska", name.constData());
    const AVCodec *codec = avcodec_find_encoder(AV_CODEC_ID_FFV1);
    if (result < 0 || !codec || !w.frame || !w.packet)
        return result < 0 ? ffmpegErrorText(result) : QStringLiteral("no FFV1 encoder");
    w.stream = avformat_new_stream(w.format, nullptr);
    w.encoder = avcodec_alloc_context3(codec);
    if (!w.stream || !w.encoder)
        return ffmpegErrorText(AVERROR(ENOMEM));
    w.encoder->width = size.width();
    w.encoder->height = size.height();
    w.encoder->pix_fmt = AV_PIX_FMT_0RGB32; // the bytes of QImage::Format_RGB32
    w.encoder->time_base = AVRational{1, framesPerSecond};
    w.encoder->framerate = AVRational{framesPerSecond, 1};
    w.encoder->gop_size = 1;
    w.stream->time_base = w.encoder->time_base;
    result = avcodec_open2(w.encoder, codec, nullptr);
    if (result >= 0)
        result = avcodec_parameters_from_context(w.stream->codecpar, w.encoder);
    if (result >= 0)
        result = avio_open(&w.format->pb, name.constData(), AVIO_FLAG_WRITE);
    if (result >= 0)
        result = avformat_write_header(w.format, nullptr);
    for (int i = 0; result >= 0 && i < frameCount; ++i) {
        QImage image = frameAt(i).convertToFormat(QImage::Format_RGB32);
        if (image.size() != size)
            return QStringLiteral("frame %1 is not %2 x %3")
                .arg(i)
                .arg(size.width())
                .arg(size.height());
        w.frame->format = w.encoder->pix_fmt;
        w.frame->width = size.width();
        w.frame->height = size.height();
        w.frame->data[0] = image.bits();
        w.frame->linesize[0] = int(image.bytesPerLine());
        w.frame->pts = i;
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
