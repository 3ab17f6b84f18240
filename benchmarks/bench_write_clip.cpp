// Writes the clips that play_vs_mpv.sh plays: H.264 through libx264 (preset "fast",
// 4:2:0) with an AAC track, in MP4.
//
//   bench_write_clip FILE WIDTH HEIGHT FRAMES_PER_SECOND SECONDS
//   bench_write_clip --check    (exit 0 when libavcodec has both encoders)
//
// The picture is a textured landscape panned at a fractional speed with a bright disc
// moving across it, so the encoder needs real motion vectors and residuals, and decoding
// costs what it costs for camera footage of that size rather than for a flat test card.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int kSampleRate = 48000;

std::string errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// One output stream: its encoder and the frame it fills.
struct Stream
{
    AVStream *stream = nullptr;
    AVCodecContext *encoder = nullptr;
    AVFrame *frame = nullptr;
    int64_t next = 0; // the pts of the next frame, in the encoder's time base

    ~Stream()
    {
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
    }
};

class ClipWriter
{
public:
    ~ClipWriter()
    {
        if (m_format && m_format->pb)
            avio_closep(&m_format->pb);
        avformat_free_context(m_format);
        av_packet_free(&m_packet);
    }

    std::string write(const char *path, int width, int height, int fps, int seconds)
    {
        m_packet = av_packet_alloc();
        int result = avformat_alloc_output_context2(&m_format, nullptr, nullptr, path);
        if (result < 0 || !m_packet)
            return "cannot write " + std::string(path) + ": " + errorText(result);
        std::string error = openVideo(width, height, fps, seconds);
        if (error.empty())
            error = openAudio();
        if (!error.empty())
            return error;
        result = avio_open(&m_format->pb, path, AVIO_FLAG_WRITE);
        if (result >= 0)
            result = avformat_write_header(m_format, nullptr);
        const int64_t frameCount = int64_t(fps) * seconds;
        for (int64_t i = 0; result >= 0 && i < frameCount; ++i) {
            paintPicture(int(i));
            result = encode(m_video, m_video.frame);
            // Audio up to the video's time, so the file interleaves them as players expect.
            while (result >= 0 && av_compare_ts(m_audio.next, m_audio.encoder->time_base,
                                                m_video.next, m_video.encoder->time_base) < 0) {
                fillSound();
                result = encode(m_audio, m_audio.frame);
            }
        }
        if (result >= 0)
            result = encode(m_video, nullptr);
        if (result >= 0)
            result = encode(m_audio, nullptr);
        if (result >= 0)
            result = av_write_trailer(m_format);
        return result < 0 ? errorText(result) : std::string();
    }

private:
    std::string openVideo(int width, int height, int fps, int seconds)
    {
        const AVCodec *codec = avcodec_find_encoder_by_name("libx264");
        if (!codec)
            return "libavcodec has no libx264 encoder";
        AVCodecContext *c = openStream(m_video, codec);
        if (!c)
            return "out of memory";
        c->width = width;
        c->height = height;
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->time_base = AVRational{1, fps};
        c->framerate = AVRational{fps, 1};
        c->colorspace = AVCOL_SPC_BT709;
        m_panX = 2.75 * 30 / fps; // pixels a frame: the same speed in pixels a second
        m_panY = 1.25 * 30 / fps;
        c->color_primaries = AVCOL_PRI_BT709;
        c->color_trc = AVCOL_TRC_BT709;
        av_opt_set(c->priv_data, "preset", "fast", 0);
        m_video.frame->format = c->pix_fmt;
        m_video.frame->width = width;
        m_video.frame->height = height;
        makeLandscape(width, height, fps * seconds);
        return finishStream(m_video);
    }

    std::string openAudio()
    {
        const AVCodec *codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!codec)
            return "libavcodec has no AAC encoder";
        AVCodecContext *c = openStream(m_audio, codec);
        if (!c)
            return "out of memory";
        c->sample_fmt = AV_SAMPLE_FMT_FLTP;
        c->sample_rate = kSampleRate;
        c->bit_rate = 128000;
        c->time_base = AVRational{1, kSampleRate};
        av_channel_layout_default(&c->ch_layout, 2);
        const std::string error = finishStream(m_audio);
        if (!error.empty())
            return error;
        m_audio.frame->format = c->sample_fmt;
        m_audio.frame->sample_rate = c->sample_rate;
        m_audio.frame->nb_samples = c->frame_size;
        av_channel_layout_copy(&m_audio.frame->ch_layout, &c->ch_layout);
        const int result = av_frame_get_buffer(m_audio.frame, 0);
        return result < 0 ? errorText(result) : std::string();
    }

    AVCodecContext *openStream(Stream &s, const AVCodec *codec)
    {
        s.stream = avformat_new_stream(m_format, nullptr);
        s.encoder = avcodec_alloc_context3(codec);
        s.frame = av_frame_alloc();
        if (!s.stream || !s.encoder || !s.frame)
            return nullptr;
        if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
            s.encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        return s.encoder;
    }

    std::string finishStream(Stream &s)
    {
        int result = avcodec_open2(s.encoder, s.encoder->codec, nullptr);
        if (result >= 0)
            result = avcodec_parameters_from_context(s.stream->codecpar, s.encoder);
        if (result >= 0 && s.frame->width > 0)
            result = av_frame_get_buffer(s.frame, 0);
        s.stream->time_base = s.encoder->time_base;
        return result < 0 ? errorText(result) : std::string();
    }

    // A texture of smooth hills with a faint grain, large enough to pan across for the
    // clip. Stronger grain makes 4K60 too costly to decode on two cores for any player.
    void makeLandscape(int width, int height, int frameCount)
    {
        m_landWidth = width + int(m_panX * frameCount) + 2;
        m_landHeight = height + int(m_panY * frameCount) + 2;
        m_land.resize(size_t(m_landWidth) * size_t(m_landHeight));
        uint32_t seed = 12345;
        for (int y = 0; y < m_landHeight; ++y) {
            for (int x = 0; x < m_landWidth; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const double hills =
                    std::sin(x * 0.013) * std::cos(y * 0.021) + 0.5 * std::sin((x + 2 * y) * 0.047);
                const int grain = int(seed >> 31);
                m_land[size_t(y) * size_t(m_landWidth) + size_t(x)] =
                    uint8_t(std::clamp(int(120 + hills * 55) + grain, 16, 235));
            }
        }
    }

    void paintPicture(int index)
    {
        AVFrame *f = m_video.frame;
        av_frame_make_writable(f);
        const double px = m_panX * index;
        const double py = m_panY * index;
        const int ix = int(px);
        const int iy = int(py);
        // Quarter-sample weights of the fractional pan, so motion is not whole pixels.
        const int fx = int((px - ix) * 4);
        const int fy = int((py - iy) * 4);
        const int discX = f->width / 8 + (index * f->width / 300) % (f->width * 3 / 4);
        const int discY = f->height / 2 + int(f->height / 4 * std::sin(index * 0.05));
        const int radius = f->height / 8;
        for (int y = 0; y < f->height; ++y) {
            const uint8_t *top = &m_land[size_t(y + iy) * size_t(m_landWidth) + size_t(ix)];
            const uint8_t *bottom = top + m_landWidth;
            uint8_t *row = f->data[0] + y * f->linesize[0];
            for (int x = 0; x < f->width; ++x) {
                const int upper = top[x] * (4 - fx) + top[x + 1] * fx;
                const int lower = bottom[x] * (4 - fx) + bottom[x + 1] * fx;
                int luma = (upper * (4 - fy) + lower * fy + 8) / 16;
                const int dx = x - discX;
                const int dy = y - discY;
                if (dx * dx + dy * dy < radius * radius)
                    luma = 200 + (luma >> 3);
                row[x] = uint8_t(luma);
            }
        }
        for (int plane = 1; plane < 3; ++plane) {
            for (int y = 0; y < (f->height + 1) / 2; ++y) {
                uint8_t *row = f->data[plane] + y * f->linesize[plane];
                for (int x = 0; x < (f->width + 1) / 2; ++x) {
                    const int wave = int(24 * std::sin((x + y + index * 3) * 0.004 * plane));
                    row[x] = uint8_t(128 + wave);
                }
            }
        }
        f->pts = m_video.next++;
    }

    void fillSound()
    {
        AVFrame *f = m_audio.frame;
        av_frame_make_writable(f);
        for (int channel = 0; channel < 2; ++channel) {
            auto *samples = reinterpret_cast<float *>(f->data[channel]);
            for (int i = 0; i < f->nb_samples; ++i)
                samples[i] = 0.2f * float(std::sin(2 * M_PI * (440 + 110 * channel) *
                                                   double(m_audio.next + i) / kSampleRate));
        }
        f->pts = m_audio.next;
        m_audio.next += f->nb_samples;
    }

    // Sends one frame (or, for null, the end) and writes out what the encoder has ready.
    int encode(Stream &s, AVFrame *frame)
    {
        int result = avcodec_send_frame(s.encoder, frame);
        while (result >= 0) {
            result = avcodec_receive_packet(s.encoder, m_packet);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
                return 0;
            if (result < 0)
                return result;
            av_packet_rescale_ts(m_packet, s.encoder->time_base, s.stream->time_base);
            m_packet->stream_index = s.stream->index;
            result = av_interleaved_write_frame(m_format, m_packet);
        }
        return result;
    }

    AVFormatContext *m_format = nullptr;
    AVPacket *m_packet = nullptr;
    Stream m_video;
    Stream m_audio;
    std::vector<uint8_t> m_land;
    int m_landWidth = 0;
    int m_landHeight = 0;
    double m_panX = 0;
    double m_panY = 0;
};

} // namespace

int main(int argc, char **argv)
{
    av_log_set_level(AV_LOG_WARNING); // no encoder statistics
    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) {
        const bool x264 = avcodec_find_encoder_by_name("libx264") != nullptr;
        const bool aac = avcodec_find_encoder(AV_CODEC_ID_AAC) != nullptr;
        std::printf("libx264: %s, AAC: %s\n", x264 ? "yes" : "no", aac ? "yes" : "no");
        return x264 && aac ? 0 : 1;
    }
    if (argc != 6) {
        std::fprintf(stderr,
                     "usage: %s FILE WIDTH HEIGHT FRAMES_PER_SECOND SECONDS\n"
                     "       %s --check\n",
                     argv[0], argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const int fps = std::atoi(argv[4]);
    const int seconds = std::atoi(argv[5]);
    if (width < 16 || height < 16 || width > 8192 || height > 8192 || fps < 1 || fps > 240 ||
        seconds < 1 || seconds > 60) {
        std::fprintf(stderr, "%s: size 16..8192, 1..240 frames a second, 1..60 seconds\n", argv[0]);
        return 2;
    }
    ClipWriter writer;
    const std::string error = writer.write(argv[1], width, height, fps, seconds);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
