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
    int convert(const QImage &image, const ClipRecipe &recipe)
    {
        const int width = recipe.size.width(), height = recipe.size.height();
        converter = sws_getCachedContext(converter, width, height, AV_PIX_FMT_RGB32, width, height,
                                         recipe.pixelFormat, SWS_BICUBIC | SWS_ACCURATE_RND,
                                         nullptr, nullptr, nullptr);
        if (!converter)
            return AVERROR(EINVAL);
        // A matrix the file leaves open is BT.709 above standard definition, as players take it.
        const bool hd = recipe.colorSpace == AVCOL_SPC_BT709 ||
                        (recipe.colorSpace == AVCOL_SPC_UNSPECIFIED && height > 576);
        const int *table = sws_getCoefficients(hd ? SWS_CS_ITU709 : SWS_CS_ITU601);
        sws_setColorspaceDetails(converter, table, 1, table,
                                 recipe.colorRange == AVCOL_RANGE_JPEG ? 1 : 0, 0, 1 << 16,
                                 1 << 16);
        const int result = av_frame_make_writable(frame);
        if (result < 0)
            return result;
        const uint8_t *planes[4] = {image.constBits(), nullptr, nullptr, nullptr};
        const int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
        sws_scale(converter, planes, strides, 0, height, frame->data, frame->linesize);
        return 0;
    }
};

QList<int> timestampsOf(const ClipRecipe &recipe)
{
    if (!recipe.timestamps.isEmpty())
        return recipe.timestamps;
    QList<int> stamps;
    for (int i = 0; i < recipe.frameCount; ++i)
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

int setUpStream(Writer &w, const ClipRecipe &recipe)
{
    w.encoder->width = recipe.size.width();
    w.encoder->height = recipe.size.height();
    w.encoder->pix_fmt = recipe.pixelFormat;
    w.encoder->color_range = recipe.colorRange;
    w.encoder->colorspace = recipe.colorSpace;
    w.encoder->sample_aspect_ratio =
        AVRational{recipe.sampleAspect.width(), recipe.sampleAspect.height()};
    w.encoder->time_base = AVRational{1, recipe.framesPerSecond};
    w.encoder->framerate = AVRational{recipe.framesPerSecond, 1};
    w.encoder->gop_size = qMax(1, recipe.keyInterval);
    w.encoder->max_b_frames = recipe.keyInterval > 3 ? 3 : 0;
    w.stream->time_base = w.encoder->time_base;
    w.stream->sample_aspect_ratio = w.encoder->sample_aspect_ratio;
    if (recipe.rotation % 360 != 0) {
        auto *matrix = reinterpret_cast<int32_t *>(
            av_stream_new_side_data(w.stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
        if (!matrix)
            return AVERROR(ENOMEM);
        av_display_rotation_set(matrix, recipe.rotation); // this one turns clockwise
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
    w.frame->format = recipe.pixelFormat;
    w.frame->width = recipe.size.width();
    w.frame->height = recipe.size.height();
    return av_frame_get_buffer(w.frame, 0);
}

// Gives the file the recipe's chapters, each lasting until the next or the clip's end.
// libavformat has no public call that adds one; the context frees them with itself.
int addChapters(AVFormatContext *format, const ClipRecipe &recipe, qint64 end)
{
    const int count = recipe.chapters.size();
    if (count == 0)
        return 0;
    format->chapters = static_cast<AVChapter **>(av_calloc(count, sizeof(AVChapter *)));
    if (!format->chapters)
        return AVERROR(ENOMEM);
    for (int i = 0; i < count; ++i) {
        AVChapter *chapter = static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter)));
        if (!chapter)
            return AVERROR(ENOMEM);
        format->chapters[format->nb_chapters++] = chapter;
        chapter->id = i + 1;
        chapter->time_base = AVRational{1, recipe.framesPerSecond};
        chapter->start = recipe.chapters[i];
        chapter->end = i + 1 < count ? recipe.chapters[i + 1] : end;
        const QByteArray title = recipe.chapterTitles.value(i).toUtf8();
        if (!title.isEmpty() && av_dict_set(&chapter->metadata, "title", title.constData(), 0) < 0)
            return AVERROR(ENOMEM);
    }
    return 0;
}

} // namespace

QString writeVideoFile(const QString &path, const ClipRecipe &recipe,
                       const std::function<QImage(int)> &frameAt)
{
    const QList<int> stamps = timestampsOf(recipe);
    if (!increasing(stamps) || recipe.framesPerSecond <= 0 || recipe.lastDuration <= 0)
        return QStringLiteral("the timestamps do not increase");
    Writer w;
    const QByteArray name = QFile::encodeName(path);
    int result = avformat_alloc_output_context2(&w.format, nullptr, nullptr, name.constData());
    const AVCodec *codec = avcodec_find_encoder(recipe.codec);
    if (result < 0 || !codec || !w.frame || !w.packet)
        return result < 0 ? ffmpegErrorText(result) : QStringLiteral("no such encoder");
    w.stream = avformat_new_stream(w.format, nullptr);
    w.encoder = avcodec_alloc_context3(codec);
    if (!w.stream || !w.encoder)
        return ffmpegErrorText(AVERROR(ENOMEM));
    for (int i = 0; i < stamps.size(); ++i)
        w.durations.insert(stamps[i],
                           i + 1 < stamps.size() ? stamps[i + 1] - stamps[i] : recipe.lastDuration);
    if (recipe.damagedFrame >= 0 && recipe.damagedFrame < stamps.size())
        w.damagedTimestamp = stamps[recipe.damagedFrame];
    result = setUpStream(w, recipe);
    if (result >= 0)
        result = addChapters(w.format, recipe, stamps.last() + recipe.lastDuration);
    if (result >= 0)
        result = avio_open(&w.format->pb, name.constData(), AVIO_FLAG_WRITE);
    if (result >= 0)
        result = avformat_write_header(w.format, nullptr);
    for (int i = 0; result >= 0 && i < stamps.size(); ++i) {
        const QImage image = frameAt(i).convertToFormat(QImage::Format_RGB32);
        if (image.size() != recipe.size)
            return QStringLiteral("frame %1 is not %2 x %3")
                .arg(i)
                .arg(recipe.size.width())
                .arg(recipe.size.height());
        result = w.convert(image, recipe);
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
