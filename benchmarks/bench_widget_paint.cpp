// Every widget's repaint against the Qt class it extends.
//
// Each widget of the library is shown next to its Qt base class, configured alike
// (same size, font, text, value, range, model, enabled state) and rendered into an
// image of its size again and again; nothing changes between two paints, so whatever
// a widget redoes on every paint (parsing, loading or scaling a skin) shows as time.
// The skins are drawn here at start-up and written to a temporary directory. Every
// measure is repeated, the repetitions run interleaved in random order, and the table
// at the end gives the median per paint and the ratio ours / base.
//
//   bench_widget_paint [--benchmark_repetitions=15] [other Google Benchmark flags]
//
// The video viewers have their own benchmark, bench_frame_path.

#include <CustomRadioButton.h>
#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxCheckBox.h>
#include <UxCircleProgressBar.h>
#include <UxComboBox.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>
#include <UxPlaySeekingBar.h>
#include <UxProgressBar.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxScrollButton.h>
#include <UxSlider.h>
#include <UxTrimSeekingBar.h>
#include <uxToolButton.h>

#include "BenchSupport.h"
#include "support/TestArtwork.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemDelegate>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringListModel>
#include <QTimeEdit>
#include <QToolButton>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const double kGoal = 1.5;
const QColor kArrowColour(60, 60, 60);

// What a host would write instead of the circle progress bar: two rings and an arc
// drawn with QPainter, and the percentage in the middle.
class PlainCircleProgress : public QWidget
{
public:
    int value = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF ring = QRectF(rect()).adjusted(8, 8, -8, -8);
        painter.setPen(QPen(QColor(220, 220, 220), 8));
        painter.drawEllipse(ring);
        painter.setPen(QPen(QColor(40, 140, 230), 8, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(ring, 90 * 16, -value * 5760 / 100);
        painter.setPen(Qt::black);
        painter.drawText(rect(), Qt::AlignCenter, QString::number(value) + QLatin1Char('%'));
    }
};

// One repaint: the widget rendered into an image of its size, as a grab does.
std::function<void()> renderer(QWidget &widget)
{
    auto image = std::make_shared<QImage>(widget.size(), QImage::Format_ARGB32_Premultiplied);
    return [&widget, image] { widget.render(image.get()); };
}

struct Case
{
    QString name;
    std::function<void()> ours;
    std::function<void()> base;
    std::function<QImage()> oursPicture; // for the check that paints repeat exactly
};

class Bench
{
public:
    // Both widgets get the same size and font, and are shown as windows of their own.
    void add(const QString &name, QWidget *ours, QWidget *base, const QSize &size)
    {
        QFont font = ours->font();
        font.setPixelSize(12);
        for (QWidget *w : {ours, base}) {
            m_widgets.emplace_back(w);
            w->setFont(font);
            w->resize(size);
            showAndWait(*w);
        }
        m_cases.push_back({name, renderer(*ours), renderer(*base), [ours] {
                               QImage image(ours->size(), QImage::Format_ARGB32_Premultiplied);
                               ours->render(&image);
                               return image;
                           }});
    }

    void addCase(const Case &c) { m_cases.push_back(c); }
    std::vector<Case> &cases() { return m_cases; }
    void keep(QObject *object) { m_objects.emplace_back(object); }

private:
    std::vector<std::unique_ptr<QWidget>> m_widgets;
    std::vector<std::unique_ptr<QObject>> m_objects;
    std::vector<Case> m_cases;
};

template <typename Ours, typename Base>
void addDisabledButton(Bench &bench, const QString &name, const QString &image, const QString &info)
{
    auto *ours = new Ours;
    auto *base = new Base;
    ours->setDisableImage(image);
    ours->setDisableTextInfo(info);
    for (QWidget *w : {static_cast<QWidget *>(ours), static_cast<QWidget *>(base)}) {
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setText(QStringLiteral("Convert"));
        else
            static_cast<QComboBox *>(w)->addItem(QStringLiteral("Convert"));
        w->setEnabled(false);
    }
    bench.add(name + QStringLiteral(" (disabled)"), ours, base, QSize(100, 30));
}

// Our widget and its base made alike by one call to `both`; `ours` then adds what only
// our widget has. Returns our widget.
template <typename Ours, typename Base, typename Both, typename Extra>
Ours *addAlike(Bench &bench, const QString &name, const QSize &size, Both both, Extra ours)
{
    auto *mine = new Ours;
    auto *base = new Base;
    both(*mine);
    both(*base);
    ours(*mine);
    bench.add(name, mine, base, size);
    return mine;
}

const auto kNothingMore = [](auto &) {};

void addSlider(QSlider &slider)
{
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 1000);
    slider.setValue(300);
}

void buildCases(Bench &bench, const ArtworkFolder &art)
{
    const QString disabled = art.save("disabled.png", TestArtwork::gradient(QSize(120, 40)));
    addDisabledButton<UxPushButton, QPushButton>(bench, "UxPushButton", disabled,
                                                 "4,8,0,0,0,30,120,120,120");
    addDisabledButton<UxCheckBox, QCheckBox>(bench, "UxCheckBox", disabled, "0,0,20,0,120,120,120");
    addDisabledButton<UxRadioButton, QRadioButton>(bench, "UxRadioButton", disabled,
                                                   "0,0,20,0,120,120,120");
    addDisabledButton<uxToolButton, QToolButton>(bench, "uxToolButton", disabled,
                                                 "2,4,6,6,120,120,120");
    addDisabledButton<UxComboBox, QComboBox>(bench, "UxComboBox", disabled,
                                             "4,24,8,24,0,30,120,120,120");

    {
        auto *ours = new UxScrollButton;
        ours->setArrowImage(art.save("arrow.png", TestArtwork::arrow(32, kArrowColour)));
        bench.add("UxScrollButton (arrow)", ours, new QToolButton, QSize(30, 30));
    }
    addAlike<CustomRadioButton, QRadioButton>(
        bench, "CustomRadioButton", QSize(100, 24), [](QRadioButton &w) { w.setText("Option"); },
        kNothingMore);
    addAlike<UxProgressBar, QProgressBar>(
        bench, "UxProgressBar (skins)", QSize(240, 24), [](QProgressBar &w) { w.setValue(40); },
        [&](UxProgressBar &w) {
            w.setProgressPixmap(
                art.save("bg.png", TestArtwork::roundRect(QSize(60, 24), QColor(210, 210, 210))) +
                "," +
                art.save("fg.png", TestArtwork::roundRect(QSize(60, 24), QColor(40, 140, 230))));
            w.setProgressMargin("4,10,4,10");
        });
    {
        auto *ours = new UxCircleProgressBar;
        auto *base = new PlainCircleProgress;
        ours->setCircleProgressBgImage(
            art.save("ring.png", TestArtwork::ring(320, QColor(220, 220, 220))));
        ours->setCircleProgressImage(
            art.save("progress.png", TestArtwork::ring(320, QColor(40, 140, 230))));
        ours->setCircleProgressMaskImage(
            art.save("mask.png", TestArtwork::gradient(QSize(100, 100))));
        ours->setValue(40);
        base->value = 40;
        bench.add("UxCircleProgressBar", ours, base, QSize(100, 100));
    }
    addAlike<UxSlider, QSlider>(bench, "UxSlider", QSize(300, 24), addSlider, kNothingMore);
    const QString trim =
        art.save("trim.png", TestArtwork::roundRect(QSize(40, 12), QColor(250, 180, 40)));
    addAlike<UxPlaySeekingBar, QSlider>(bench, "UxPlaySeekingBar (trim image)", QSize(300, 24),
                                        addSlider, [&](UxPlaySeekingBar &w) {
                                            w.setUsableRange(100, 800);
                                            w.setTrimRangeImage(trim);
                                            w.setTrimRangeMargin("0,6,0,6");
                                            w.setGrooveOutterSpace("4,4");
                                        });
    {
        auto *ours = new UxTrimSeekingBar;
        auto *base = new QSlider;
        addSlider(*base);
        ours->setRange(0, 1000);
        ours->setValue(300);
        auto *bar = ours->findChild<UxPlaySeekingBar *>("playSeekingBar");
        bar->setTrimRangeImage(trim);
        bar->setTrimRangeMargin("0,6,0,6");
        ours->setTrimStartEnd(100, 800, 10);
        bench.add("UxTrimSeekingBar", ours, base, QSize(300, 24));
    }
    const QStringList rows = [] {
        QStringList list;
        for (int i = 0; i < 40; ++i)
            list << QStringLiteral("Item %1").arg(i);
        return list;
    }();
    auto *model = new QStringListModel(rows);
    bench.keep(model);
    addAlike<UxAutoScrollListView, QListView>(
        bench, "UxAutoScrollListView", QSize(200, 200),
        [model](QListView &w) { w.setModel(model); }, kNothingMore);
    addAlike<UxLineEditWithToolbutton, QLineEdit>(
        bench, "UxLineEditWithToolbutton", QSize(200, 26),
        [](QLineEdit &w) { w.setText("some text"); }, kNothingMore);
    addAlike<UxAutoTimeEidt, QTimeEdit>(
        bench, "UxAutoTimeEidt", QSize(120, 26),
        [](QTimeEdit &w) {
            w.setDisplayFormat("hh:mm:ss");
            w.setTime(QTime(1, 23, 45));
        },
        kNothingMore);
    addAlike<UxDelegateComboBox, QComboBox>(
        bench, "UxDelegateComboBox", QSize(150, 26), [&rows](QComboBox &w) { w.addItems(rows); },
        kNothingMore);
    {
        // One row of the popup, painted straight into an image.
        auto *combo = new QComboBox;
        combo->addItems(rows);
        bench.keep(combo);
        auto *ours = new UxComboboxViewItemDelegate(combo);
        ours->setItemHeight(30);
        ours->setItemWidth(200);
        ours->setTextLeftMargin(24);
        ours->setCheckImage(art.save("checkn.png", TestArtwork::arrow(24, kArrowColour)) + "*" +
                            art.save("checkh.png", TestArtwork::arrow(24, kArrowColour)));
        auto *base = new QItemDelegate(combo);
        auto image = std::make_shared<QImage>(200, 30, QImage::Format_ARGB32_Premultiplied);
        const QModelIndex index = combo->model()->index(0, 0);
        QStyleOptionViewItem option;
        option.initFrom(combo);
        option.rect = QRect(0, 0, 200, 30);
        option.font = combo->font();
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        const auto paintWith = [image, option, index](QAbstractItemDelegate *delegate) {
            return [image, option, index, delegate] {
                QPainter painter(image.get());
                delegate->paint(&painter, option, index);
            };
        };
        bench.addCase({"UxComboboxViewItemDelegate::paint", paintWith(ours), paintWith(base),
                       [image, paint = paintWith(ours)] {
                           paint();
                           return image->copy();
                       }});
    }
}

std::string benchName(const Case &c, bool ours)
{
    return (c.name + (ours ? QStringLiteral("/ours") : QStringLiteral("/base"))).toStdString();
}

void printTable(const std::vector<Case> &cases, const Collector &collector)
{
    const auto us = [&](const Case &c, bool ours) {
        return collector.microseconds(benchName(c, ours));
    };
    printf("\nMedian repaint in microseconds; ratio = ours / base; goal %.1fx.\n\n", kGoal);
    printf("| widget | ours µs | base µs | ratio | goal met? |\n");
    printf("|---|---:|---:|---:|---|\n");
    for (const Case &c : cases) {
        const double ours = us(c, true);
        const double base = us(c, false);
        const double ratio = base > 0 ? ours / base : 0.0;
        printf("| %s | %.1f | %.1f | %.2f | %s |\n", qPrintable(c.name), ours, base, ratio,
               ratio <= kGoal ? "yes" : "no");
    }
}

} // namespace

int main(int argc, char **argv)
{
    drawOffscreenWithoutDisplay();
    QApplication app(argc, argv);

    initializeRepeated(argc, argv, 15, 0.05);

    ArtworkFolder art; // the skins, drawn here so that the benchmark needs no files of its own
    Bench bench;
    buildCases(bench, art);
    // None of the measured windows is the active one: each paints in the same palette
    // and none shows a blinking text cursor.
    QWidget active;
    active.resize(50, 50);
    showAndWait(active);
    active.activateWindow();
    QApplication::processEvents();

    for (const Case &c : bench.cases()) {
        // A paint that differs from the one before would measure a change, not a repaint.
        if (c.oursPicture() != c.oursPicture())
            qWarning("%s paints differently each time", qPrintable(c.name));
        for (bool ours : {true, false}) {
            const std::function<void()> paint = ours ? c.ours : c.base;
            benchmark::RegisterBenchmark(benchName(c, ours).c_str(), [paint](
                                                                         benchmark::State &state) {
                for (auto _ : state)
                    paint();
            })->Unit(benchmark::kMicrosecond);
        }
    }

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printTable(bench.cases(), collector);
    return 0;
}
