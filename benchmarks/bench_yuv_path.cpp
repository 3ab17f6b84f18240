// The viewer's planar YUV path against what a host does without it.
//
// A host that decodes with FFmpeg and shows the pictures in our viewer without the YUV
// path converts each one with sws_scale to QImage::Format_RGB32 at the source size and
// passes it to onUpdateVideo, which copies it and samples it down to the screen. With the
// YUV path it hands the planes to onUpdateVideoFrame, which converts them straight to the
// size shown. For I420 pictures of 4K, 1080p and 720p (the last shown at its own size), and
// NV12 and P010 at 4K, fed to a shown 1280x720 viewer (and 4K and 1080p I420 to a viewer of
// 952x536, the gallery's at a window of 1280x720), and 4K and 1080p I420 zoomed in 2 and 4
// times (the baseline's viewer zoomed the same), this measures in one run:
//   - sws_scale alone, into one reused QImage (the cheapest a host can do, as the viewer
//     copies the image before onUpdateVideo returns);
//   - sws_scale + onUpdateVideo + repaint: the baseline; and the same with a new QImage
//     for each picture, as a decoder thread that sends its images to the GUI thread does;
//   - onUpdateVideoFrame alone, copying the planes;
//   - onUpdateVideoFrame + repaint, copying the planes, and with a shared frame (an FFmpeg
//     reference as the frame's owner, so nothing is copied).
// Every measure alternates between two pictures of different content, as video does, and is
// repeated in random order; the table gives medians, and the last line the speed-ups.
//
//   bench_yuv_path [--benchmark_repetitions=9] [--benchmark_min_time=0.2] [other flags]

#include <UxVideoFrame.h>
#include <UxVideoViewer.h>

#include "BenchSupport.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

const QSize kViewerSize(1280, 720);

struct FrameDeleter
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;

// A test pattern with detail in every plane; phase moves it between pictures.
int lumaAt(int x, int y, int phase)
{
    return 16 + ((x * 3 + y * 2 + phase) & 0xff) * 219 / 255;
}

int chromaAt(int x, int y, int phase, int component)
{
    return 128 - 32 + ((((x + phase) << component) ^ y) & 63);
}

// Fills a plane whose samples are of type Sample, `interleaved` components a sample,
// each value shifted left by `shift` (P010 keeps its 10 bits high).
template <typename Sample>
void fillPlane(AVFrame *frame, int plane, int width, int height, int components, int shift,
               int phase)
{
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<Sample *>(frame->data[plane] + y * frame->linesize[plane]);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                const int value = plane == 0
                                      ? lumaAt(x, y, phase)
                                      : chromaAt(x, y, phase, components == 2 ? c + 1 : plane);
                row[x * components + c] = Sample(value << shift);
            }
        }
    }
}

FramePtr makePicture(AVPixelFormat format, const QSize &size, int phase)
{
    FramePtr frame(av_frame_alloc());
    if (!frame)
        return nullptr;
    frame->format = format;
    frame->width = size.width();
    frame->height = size.height();
    frame->colorspace = AVCOL_SPC_BT709;
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        return nullptr;
    const int chromaWidth = (size.width() + 1) / 2;
    const int chromaHeight = (size.height() + 1) / 2;
    switch (format) {
    case AV_PIX_FMT_YUV420P:
        fillPlane<quint8>(frame.get(), 0, size.width(), size.height(), 1, 0, phase);
        fillPlane<quint8>(frame.get(), 1, chromaWidth, chromaHeight, 1, 0, phase);
        fillPlane<quint8>(frame.get(), 2, chromaWidth, chromaHeight, 1, 0, phase);
        break;
    case AV_PIX_FMT_NV12:
        fillPlane<quint8>(frame.get(), 0, size.width(), size.height(), 1, 0, phase);
        fillPlane<quint8>(frame.get(), 1, chromaWidth, chromaHeight, 2, 0, phase);
        break;
    case AV_PIX_FMT_P010LE: // 10 bits (the 8-bit pattern times 4) in the high bits
        fillPlane<quint16>(frame.get(), 0, size.width(), size.height(), 1, 8, phase);
        fillPlane<quint16>(frame.get(), 1, chromaWidth, chromaHeight, 2, 8, phase);
        break;
    default:
        return nullptr;
    }
    return frame;
}

struct Case
{
    QString name; // "4K I420"
    AVPixelFormat avFormat;
    UxVideoFrame::PixelFormat format;
    QSize size;
    QSize viewerSize;
    double goal; // the speed-up to reach, or 0 for none
    FramePtr pictures[2];
    double zoom = 1.0; // the viewer's zoom, about the picture's centre
};

// The viewer as the case shows it: its stored size and its zoom.
void prepare(UxVideoViewer &viewer, const Case &c)
{
    viewer.setInputVideo(c.size, false, false, false);
    viewer.setZoom(c.zoom);
}

// Describes an FFmpeg picture; with `share`, a new reference to it becomes the owner, as a
// decoding host would hand out each picture it decodes.
UxVideoFrame describe(const Case &c, const AVFrame *picture, bool share)
{
    UxVideoFrame frame(c.format, c.size);
    for (int i = 0; i < frame.planeCount(); ++i)
        frame.setPlane(i, picture->data[i], picture->linesize[i]);
    frame.setColorMatrix(UxVideoFrame::Matrix_BT709);
    if (share) {
        frame.setOwner(std::shared_ptr<const void>(av_frame_clone(picture), [](const void *p) {
            AVFrame *ref = static_cast<AVFrame *>(const_cast<void *>(p));
            av_frame_free(&ref);
        }));
    }
    return frame;
}

// sws_scale into a QImage::Format_RGB32 of the source size: one reused for every picture,
// or a new one for each, as a decoder thread that hands its images to the GUI makes them.
class RgbConverter
{
public:
    RgbConverter(const Case &c, bool newImageEachPicture)
        : m_image(c.size, QImage::Format_RGB32)
        , m_newImageEachPicture(newImageEachPicture)
        , m_context(sws_getContext(c.size.width(), c.size.height(), c.avFormat, c.size.width(),
                                   c.size.height(), AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr,
                                   nullptr, nullptr))
    {
        if (m_context) {
            sws_setColorspaceDetails(m_context, sws_getCoefficients(SWS_CS_ITU709), 0,
                                     sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
        }
    }
    ~RgbConverter() { sws_freeContext(m_context); }
    RgbConverter(const RgbConverter &) = delete;
    RgbConverter &operator=(const RgbConverter &) = delete;

    const QImage &convert(const AVFrame *picture)
    {
        if (m_newImageEachPicture)
            m_image = QImage(m_image.size(), m_image.format());
        uint8_t *const target[] = {m_image.bits()};
        const int targetStride[] = {int(m_image.bytesPerLine())};
        if (m_context)
            sws_scale(m_context, picture->data, picture->linesize, 0, picture->height, target,
                      targetStride);
        return m_image;
    }

private:
    QImage m_image;
    bool m_newImageEachPicture;
    SwsContext *m_context;
};

enum Measure { Sws, Baseline, BaselineNewImage, Ingest, Ours, OursShared, MeasureCount };
const char *const kMeasureNames[] = {
    "sws_scale",          "sws_scale+onUpdateVideo+paint", "new image+onUpdateVideo+paint",
    "onUpdateVideoFrame", "onUpdateVideoFrame+paint",      "shared onUpdateVideoFrame+paint"};

std::string benchName(const Case &c, Measure m)
{
    return (c.name + QLatin1Char('/') + QLatin1String(kMeasureNames[m])).toStdString();
}

// Times step(picture) once an iteration, the pictures taking turns, after one untimed
// step with each: the viewer has then painted this case's size and allocated, and the
// system mapped, whatever a measure keeps from one picture to the next.
template <typename Step>
void timeSteps(benchmark::State &state, const Case &c, Step step)
{
    const AVFrame *const pictures[] = {c.pictures[0].get(), c.pictures[1].get()};
    step(pictures[0]);
    step(pictures[1]);
    int i = 0;
    for (auto _ : state)
        step(pictures[++i & 1]);
}

// The mean of each colour over what the viewer shows.
std::array<double, 3> meanColour(UxVideoViewer &viewer)
{
    const QImage shown = viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::array<double, 3> sum = {0, 0, 0};
    for (int y = 0; y < shown.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            sum[0] += qRed(row[x]);
            sum[1] += qGreen(row[x]);
            sum[2] += qBlue(row[x]);
        }
    }
    for (double &s : sum)
        s /= std::max(1.0, double(shown.width()) * shown.height());
    return sum;
}

// Whether both paths show this case's first picture alike (the mean colours within four
// levels), so that neither is timed doing less than showing it.
bool showsAlike(const Case &c, UxVideoViewer &viewer)
{
    const AVFrame *picture = c.pictures[0].get();
    const UxVideoFrame frame = describe(c, picture, false);
    if (!frame.isValid())
        return false;
    prepare(viewer, c);
    RgbConverter converter(c, false);
    viewer.onUpdateVideo(converter.convert(picture));
    const std::array<double, 3> baseline = meanColour(viewer);
    viewer.onUpdateVideoFrame(frame);
    const std::array<double, 3> ours = meanColour(viewer);
    for (size_t i = 0; i < ours.size(); ++i) {
        if (std::abs(ours[i] - baseline[i]) > 4)
            return false;
    }
    return true;
}

void registerCase(const Case &c, UxVideoViewer &viewer)
{
    const auto reg = [&](Measure m, auto body) {
        benchmark::RegisterBenchmark(benchName(c, m).c_str(), [&c, &viewer,
                                                               body](benchmark::State &state) {
            prepare(viewer, c);
            body(state);
        })->Unit(benchmark::kMicrosecond);
    };
    reg(Sws, [&c](benchmark::State &state) {
        RgbConverter converter(c, false);
        timeSteps(state, c, [&](const AVFrame *picture) {
            benchmark::DoNotOptimize(converter.convert(picture).constBits());
        });
    });
    for (const bool newImage : {false, true}) {
        reg(newImage ? BaselineNewImage : Baseline,
            [&c, &viewer, newImage](benchmark::State &state) {
                RgbConverter converter(c, newImage);
                timeSteps(state, c, [&](const AVFrame *picture) {
                    viewer.onUpdateVideo(converter.convert(picture));
                    viewer.repaint();
                });
            });
    }
    reg(Ingest, [&c, &viewer](benchmark::State &state) {
        viewer.onUpdateVideoFrame(describe(c, c.pictures[0].get(), false));
        viewer.repaint(); // the picture rectangle is fixed at a paint
        timeSteps(state, c, [&](const AVFrame *picture) {
            viewer.onUpdateVideoFrame(describe(c, picture, false));
        });
        QApplication::processEvents(); // drop the updates the frames asked for
    });
    for (const bool share : {false, true}) {
        reg(share ? OursShared : Ours, [&c, &viewer, share](benchmark::State &state) {
            timeSteps(state, c, [&](const AVFrame *picture) {
                viewer.onUpdateVideoFrame(describe(c, picture, share));
                viewer.repaint();
            });
        });
    }
}

QString speedUpText(double speedUp)
{
    return speedUp > 0 ? QString::number(speedUp, 'f', 2) + QLatin1Char('x') : QStringLiteral("-");
}

void printTable(const std::vector<Case> &cases, const Collector &collector)
{
    const auto us = [&](const Case &c, Measure m) {
        return collector.microseconds(benchName(c, m));
    };
    const auto speedUp = [&](const Case &c, Measure m) {
        return us(c, m) > 0 ? us(c, Baseline) / us(c, m) : 0.0;
    };
    printf("\nMedian per picture, in microseconds, into a shown 1280x720 viewer unless named; "
           "speed-up = "
           "baseline (sws_scale into one reused QImage + onUpdateVideo + paint) / YUV path.\n\n");
    printf("| picture | sws_scale | baseline | baseline, new image each | onUpdateVideoFrame "
           "| + paint | shared + paint | speed-up | speed-up shared | goal |\n");
    printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---|\n");
    for (const Case &c : cases) {
        const QString goal = c.goal > 0
                                 ? QStringLiteral("%1x, %2")
                                       .arg(c.goal, 0, 'f', 1)
                                       .arg(speedUp(c, Ours) >= c.goal ? QStringLiteral("met")
                                                                       : QStringLiteral("missed"))
                                 : QStringLiteral("-");
        printf("| %s | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f | %s | %s | %s |\n",
               qPrintable(c.name), us(c, Sws), us(c, Baseline), us(c, BaselineNewImage),
               us(c, Ingest), us(c, Ours), us(c, OursShared),
               qPrintable(speedUpText(speedUp(c, Ours))),
               qPrintable(speedUpText(speedUp(c, OursShared))), qPrintable(goal));
    }
    QStringList copying;
    QStringList shared;
    for (const Case &c : cases) {
        if (c.goal <= 0)
            continue;
        const QString shortName = c.name.section(QLatin1Char(' '), 0, 0);
        copying << QStringLiteral("%1 %2 (goal %3x, %4)")
                       .arg(shortName, speedUpText(speedUp(c, Ours)))
                       .arg(c.goal, 0, 'g', 2)
                       .arg(speedUp(c, Ours) >= c.goal ? QStringLiteral("met")
                                                       : QStringLiteral("missed"));
        shared << shortName + QLatin1Char(' ') + speedUpText(speedUp(c, OursShared));
    }
    printf("\nspeed-up over sws_scale+onUpdateVideo: %s; with a shared frame %s\n",
           qPrintable(copying.join(QStringLiteral(", "))),
           qPrintable(shared.join(QStringLiteral(", "))));
}

void addCase(std::vector<Case> &cases, const QString &name, AVPixelFormat avFormat,
             UxVideoFrame::PixelFormat format, const QSize &size, double goal,
             const QSize &viewerSize = kViewerSize, double zoom = 1.0)
{
    Case c{name,
           avFormat,
           format,
           size,
           viewerSize,
           goal,
           {makePicture(avFormat, size, 0), makePicture(avFormat, size, 7)},
           zoom};
    if (!c.pictures[0] || !c.pictures[1]) {
        qWarning("cannot make the %s pictures", qPrintable(name));
        return;
    }
    cases.push_back(std::move(c));
}

} // namespace

int main(int argc, char **argv)
{
    drawOffscreenWithoutDisplay();
    QApplication app(argc, argv);

    initializeRepeated(argc, argv, 9, 0.2);

    std::vector<Case> cases;
    addCase(cases, QStringLiteral("4K I420"), AV_PIX_FMT_YUV420P, UxVideoFrame::Format_YUV420P,
            QSize(3840, 2160), 4.0);
    addCase(cases, QStringLiteral("1080p I420"), AV_PIX_FMT_YUV420P, UxVideoFrame::Format_YUV420P,
            QSize(1920, 1080), 2.5);
    addCase(cases, QStringLiteral("720p I420"), AV_PIX_FMT_YUV420P, UxVideoFrame::Format_YUV420P,
            QSize(1280, 720), 1.0);
    addCase(cases, QStringLiteral("4K NV12"), AV_PIX_FMT_NV12, UxVideoFrame::Format_NV12,
            QSize(3840, 2160), 0);
    addCase(cases, QStringLiteral("4K P010"), AV_PIX_FMT_P010LE, UxVideoFrame::Format_P010,
            QSize(3840, 2160), 0);
    // The gallery's viewer at 1280x720: reductions by other than whole numbers.
    const QSize galleryViewer(952, 536);
    addCase(cases, QStringLiteral("4K I420 in 952x536"), AV_PIX_FMT_YUV420P,
            UxVideoFrame::Format_YUV420P, QSize(3840, 2160), 0, galleryViewer);
    addCase(cases, QStringLiteral("1080p I420 in 952x536"), AV_PIX_FMT_YUV420P,
            UxVideoFrame::Format_YUV420P, QSize(1920, 1080), 0, galleryViewer);

    // Zoomed in: the baseline's viewer zooms the same, drawing from the QImage it keeps.
    for (const double zoom : {2.0, 4.0}) {
        addCase(cases, QStringLiteral("4K I420 zoom %1").arg(zoom), AV_PIX_FMT_YUV420P,
                UxVideoFrame::Format_YUV420P, QSize(3840, 2160), 0, kViewerSize, zoom);
        addCase(cases, QStringLiteral("1080p I420 zoom %1").arg(zoom), AV_PIX_FMT_YUV420P,
                UxVideoFrame::Format_YUV420P, QSize(1920, 1080), 0, kViewerSize, zoom);
    }

    std::map<std::pair<int, int>, std::unique_ptr<UxVideoViewer>> viewers;
    for (const Case &c : cases) {
        auto &viewer = viewers[{c.viewerSize.width(), c.viewerSize.height()}];
        if (!viewer) {
            viewer = std::make_unique<UxVideoViewer>();
            viewer->resize(c.viewerSize);
            showAndWait(*viewer);
        }
        if (!showsAlike(c, *viewer))
            qWarning("%s: the YUV path and sws_scale show different pictures", qPrintable(c.name));
        registerCase(c, *viewer);
    }

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printTable(cases, collector);
    return 0;
}
