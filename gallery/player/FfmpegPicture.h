#ifndef FFMPEGPICTURE_H
#define FFMPEGPICTURE_H

#include <UxVideoFrame.h>

#include <QFile>
#include <QString>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

// What the player's decoders share: opening a file's video stream and reading a picture's
// colours.

// Opens the best video stream of path into format and codec, with a decoder of that many
// threads (0: as many as the machine has). The stream's index, or a negative FFmpeg error:
// AVERROR_STREAM_NOT_FOUND without video, AVERROR_DECODER_NOT_FOUND without a decoder for
// it. The caller frees format and codec either way.
inline int openVideoDecoder(const QString &path, int threads, AVFormatContext **format,
                            AVCodecContext **codec)
{
    const QByteArray name = QFile::encodeName(path);
    int result = avformat_open_input(format, name.constData(), nullptr, nullptr);
    if (result >= 0)
        result = avformat_find_stream_info(*format, nullptr);
    if (result < 0)
        return result;
    const AVCodec *decoder = nullptr;
    const int stream = av_find_best_stream(*format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (stream < 0 || !decoder)
        return stream < 0 ? stream : AVERROR_DECODER_NOT_FOUND;
    *codec = avcodec_alloc_context3(decoder);
    if (!*codec)
        return AVERROR(ENOMEM);
    result = avcodec_parameters_to_context(*codec, (*format)->streams[stream]->codecpar);
    (*codec)->thread_count = threads;
    if (threads != 1)
        (*codec)->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (result >= 0)
        result = avcodec_open2(*codec, decoder, nullptr);
    return result < 0 ? result : stream;
}

// A picture whose stream does not say is BT.709 when it is taller than standard definition.
inline UxVideoFrame::ColorMatrix matrixOf(const AVFrame *picture)
{
    const bool hd = picture->colorspace == AVCOL_SPC_BT709 ||
                    (picture->colorspace == AVCOL_SPC_UNSPECIFIED && picture->height > 576);
    return hd ? UxVideoFrame::Matrix_BT709 : UxVideoFrame::Matrix_BT601;
}

inline bool isFullRange(const AVFrame *picture)
{
    return picture->color_range == AVCOL_RANGE_JPEG || picture->format == AV_PIX_FMT_YUVJ420P;
}

#endif // FFMPEGPICTURE_H
