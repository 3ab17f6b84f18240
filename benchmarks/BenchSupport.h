#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Without a display (or a platform named in QT_QPA_PLATFORM) the widgets are drawn on the
// offscreen platform. Call before creating the QApplication.
inline void drawOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Shows the widget and returns once its window is exposed (or after five seconds), so
// that what is measured next is a repaint, not the first show.
inline void showAndWait(QWidget &widget)
{
    widget.show();
    QElapsedTimer timer;
    timer.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}

// Starts Google Benchmark with defaults that suit a noisy machine: every measure repeated,
// each repetition for at least minSeconds, the repetitions run interleaved in random
// order, only their aggregates printed. Flags on the command line come after the
// defaults and win.
inline void initializeRepeated(int argc, char **argv, int repetitions, double minSeconds)
{
    std::vector<std::string> defaults = {"--benchmark_repetitions=" + std::to_string(repetitions),
                                         "--benchmark_enable_random_interleaving=true",
                                         "--benchmark_report_aggregates_only=true",
                                         "--benchmark_min_time=" + std::to_string(minSeconds)};
    std::vector<char *> args(argv, argv + argc);
    for (size_t i = 0; i < defaults.size(); ++i)
        args.insert(args.begin() + 1 + std::ptrdiff_t(i), defaults[i].data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
}

// Prints every run as the console does and keeps the time per iteration of each measure:
// the median of its repetitions when it was repeated, else its one run.
class Collector : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const double nanoseconds = run.real_accumulated_time / double(run.iterations) * 1e9;
            if (run.run_type != Run::RT_Aggregate)
                m_single[run.run_name.function_name] = nanoseconds;
            else if (run.aggregate_name == "median")
                m_median[run.run_name.function_name] = nanoseconds;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Microseconds per iteration of the named measure; 0 if it did not run.
    double microseconds(const std::string &name) const
    {
        for (const auto *times : {&m_median, &m_single}) {
            const auto it = times->find(name);
            if (it != times->end())
                return it->second / 1000.0;
        }
        return 0.0;
    }

private:
    std::map<std::string, double> m_single;
    std::map<std::string, double> m_median;
};

// ours / baseline with two decimals, or "-" when the baseline did not run.
inline QString ratioText(double ours, double baseline)
{
    return baseline > 0 ? QString::number(ours / baseline, 'f', 2) : QStringLiteral("-");
}

#endif // BENCHSUPPORT_H
