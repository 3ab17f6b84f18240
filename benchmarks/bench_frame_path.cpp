// The video viewer's frame path against what it must keep up with.
//
// For frames of 720p, 1080p and 4K in RGB32 and ARGB32, fed to a shown 1280x720 viewer,
// it measures onUpdateVideo alone and onUpdateVideo plus one paint, and in the same run
// the baselines: a memcpy of the frame's bytes, Qt's convertToFormat(RGB888), a minimal
// hand-written widget that keeps the latest QImage and draws it scaled, and a QLabel
// with scaled contents showing QPixmap::fromImage of the frame. It ends with a table of
// our ratios to each baseline, and repaints without a new frame (an expose) of both
// widgets. Every measure alternates between two frames of
// different content, as video does, so that no cache of a previous frame can help.
//
//   bench_frame_path [--benchmark_min_time=0.5] [other Google Benchmark flags]

#include <UxVideoViewer.h>

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

const QSize kViewerSize(1280, 720);

// What a host would write instead of the viewer: keep the frame, draw it scaled.
class PlainFrameWidget : public QWidget
{
public:
    void setFrame(const QImage &frame)
    {
        m_frame = frame;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(pictureRect(), m_frame);
    }

private:
    QRect pictureRect() const
    {
        QSize size = m_frame.size();
        size.scale(this->size(), Qt::KeepAspectRatio);
        QRect r(QPoint(0, 0), size);
        r.moveCenter(rect().center());
        return r;
    }

    QImage m_frame;
};

// A test pattern, opaque in both formats; phase moves it between frames.
QImage makeFrame(const QSize &size, QImage::Format format, int phase)
{
    QImage frame(size, format);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(frame.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x + phase) * 255 / size.width(), y * 255 / size.height(),
                           ((x + phase) ^ y) & 0xff);
    }
    return frame;
}

struct Case
{
    QString name; // "1080p RGB32"
    QImage frames[2];
};

enum Measure {
    Memcpy,
    Convert888,
    Ingest,
    IngestPaint,
    HandWritten,
    Label,
    Repaint,
    HandRepaint,
    MeasureCount
};
const char *const kMeasureNames[] = {"memcpy",       "convertToFormat",     "onUpdateVideo",
                                     "viewer+paint", "hand-written",        "QLabel",
                                     "repaint",      "hand-written repaint"};

std::string benchName(const Case &c, Measure m)
{
    return (c.name + QLatin1Char('/') + QLatin1String(kMeasureNames[m])).toStdString();
}

void registerCase(const Case &c, UxVideoViewer &viewer, PlainFrameWidget &plain, QLabel &label)
{
    const QImage a = c.frames[0];
    const QImage b = c.frames[1];
    const auto reg = [&](Measure m, auto body) {
        benchmark::RegisterBenchmark(benchName(c, m).c_str(), body)->Unit(benchmark::kMicrosecond);
    };
    reg(Memcpy, [a, b](benchmark::State &state) {
        std::vector<uchar> copy(size_t(a.sizeInBytes()));
        int i = 0;
        for (auto _ : state) {
            std::memcpy(copy.data(), (++i & 1 ? a : b).constBits(), copy.size());
            benchmark::DoNotOptimize(copy.data());
            benchmark::ClobberMemory();
        }
    });
    reg(Convert888, [a, b](benchmark::State &state) {
        int i = 0;
        for (auto _ : state) {
            QImage converted = (++i & 1 ? a : b).convertToFormat(QImage::Format_RGB888);
            benchmark::DoNotOptimize(converted.constBits());
        }
    });
    reg(Ingest, [a, b, &viewer](benchmark::State &state) {
        int i = 0;
        for (auto _ : state)
            viewer.onUpdateVideo(++i & 1 ? a : b);
        QApplication::processEvents(); // drop the updates the frames asked for
    });
    reg(IngestPaint, [a, b, &viewer](benchmark::State &state) {
        int i = 0;
        for (auto _ : state) {
            viewer.onUpdateVideo(++i & 1 ? a : b);
            viewer.repaint();
        }
    });
    reg(HandWritten, [a, b, &plain](benchmark::State &state) {
        int i = 0;
        for (auto _ : state) {
            plain.setFrame(++i & 1 ? a : b);
            plain.repaint();
        }
    });
    // An expose: the same frame painted again.
    reg(Repaint, [a, &viewer](benchmark::State &state) {
        viewer.onUpdateVideo(a);
        for (auto _ : state)
            viewer.repaint();
    });
    reg(HandRepaint, [a, &plain](benchmark::State &state) {
        plain.setFrame(a);
        for (auto _ : state)
            plain.repaint();
    });
    reg(Label, [a, b, &label](benchmark::State &state) {
        int i = 0;
        for (auto _ : state) {
            label.setPixmap(QPixmap::fromImage(++i & 1 ? a : b));
            label.repaint();
        }
    });
}

void printTable(const std::vector<Case> &cases, const Collector &collector)
{
    const auto us = [&](const Case &c, Measure m) {
        return collector.microseconds(benchName(c, m));
    };
    printf("\nPer frame, in microseconds, into a 1280x720 viewer; ratio = ours / baseline.\n\n");
    printf("| frame | memcpy | convertToFormat | onUpdateVideo | vs memcpy | vs convert "
           "| viewer+paint | hand-written | vs hand-written | QLabel | vs QLabel "
           "| repaint | hand-written repaint | vs hand-written |\n");
    printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Case &c : cases) {
        printf("| %s | %.0f | %.0f | %.0f | %s | %s | %.0f | %.0f | %s | %.0f | %s | %.0f | %.0f "
               "| %s |\n",
               qPrintable(c.name), us(c, Memcpy), us(c, Convert888), us(c, Ingest),
               qPrintable(ratioText(us(c, Ingest), us(c, Memcpy))),
               qPrintable(ratioText(us(c, Ingest), us(c, Convert888))), us(c, IngestPaint),
               us(c, HandWritten), qPrintable(ratioText(us(c, IngestPaint), us(c, HandWritten))),
               us(c, Label), qPrintable(ratioText(us(c, IngestPaint), us(c, Label))),
               us(c, Repaint), us(c, HandRepaint),
               qPrintable(ratioText(us(c, Repaint), us(c, HandRepaint))));
    }
    printf("\nGoals: onUpdateVideo <= 1.0x memcpy; with paint <= 1.5x the hand-written widget "
           "(1080p: 1.2x); repaint <= 1.0x the hand-written repaint.\n");
    for (const Case &c : cases) {
        const double ingest = us(c, Ingest) / us(c, Memcpy);
        const double paint = us(c, IngestPaint) / us(c, HandWritten);
        const double repaint = us(c, Repaint) / us(c, HandRepaint);
        const double paintGoal = c.name.startsWith(QLatin1String("1080p")) ? 1.2 : 1.5;
        printf("%-13s onUpdateVideo %.2f (%s), with paint %.2f (%s), repaint %.2f (%s)\n",
               qPrintable(c.name), ingest, ingest <= 1.0 ? "met" : "missed", paint,
               paint <= paintGoal ? "met" : "missed", repaint, repaint <= 1.0 ? "met" : "missed");
    }
}

} // namespace

int main(int argc, char **argv)
{
    drawOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    UxVideoViewer viewer;
    PlainFrameWidget plain;
    QLabel label;
    label.setScaledContents(true);
    for (QWidget *w : {static_cast<QWidget *>(&viewer), static_cast<QWidget *>(&plain),
                       static_cast<QWidget *>(&label)}) {
        w->resize(kViewerSize);
        showAndWait(*w);
    }

    std::vector<Case> cases;
    const QList<QPair<QString, QSize>> sizes = {
        {"720p", QSize(1280, 720)}, {"1080p", QSize(1920, 1080)}, {"4K", QSize(3840, 2160)}};
    for (const auto &size : sizes) {
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
            const QString name =
                size.first + (format == QImage::Format_RGB32 ? " RGB32" : " ARGB32");
            cases.push_back(
                {name, {makeFrame(size.second, format, 0), makeFrame(size.second, format, 7)}});
        }
    }
    for (const Case &c : cases) {
        viewer.setInputVideo(c.frames[0].size(), false, false, false);
        registerCase(c, viewer, plain, label);
    }

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printTable(cases, collector);
    return 0;
}
