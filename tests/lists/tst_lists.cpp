#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>
#include <UxResourceMgr.h>

#include <QAbstractEventDispatcher>
#include <QPainter>
#include <QScrollBar>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <climits>
#include <memory>

namespace {

struct StateCase
{
    int rows, extra, halves; // scrolled to maximum * halves / 2
    bool visual, above, below;
};
struct ScrollCase
{
    bool visual, hover, down;
    int fromEnd, perTick, timersAfter;
};
struct KeyCase
{
    int key, selected, current;
    QString moved;
    bool suppressed;
};

// A shown view of `rows` rows (-1: no model), five rows high plus `extra` pixels.
struct View : UxAutoScrollListView
{
    using UxAutoScrollListView::updateScrollBtnsState;
    QStringListModel items;
    View(int rows, int extra = 0)
    {
        QStringList names;
        for (int i = 0; i < qMax(rows, 1); ++i)
            names << QStringLiteral("Clip %1").arg(i);
        items.setStringList(names);
        setModel(&items);
        resize(160, sizeHintForRow(0) * 5 + extra);
        if (rows < 0)
            setModel(nullptr);
        else if (rows == 0)
            items.setStringList({});
        show();
    }
    QToolButton *button(bool down)
    {
        return findChild<QToolButton *>(down ? "btnScrollDown" : "btnScrollUp");
    }
    QList<int> timers(int interval) // coarse timers of this interval
    {
        QList<int> ids;
        for (const auto &t : QAbstractEventDispatcher::instance()->registeredTimers(this))
            if (t.interval == interval && t.timerType == Qt::CoarseTimer)
                ids << t.timerId;
        return ids;
    }
};

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGrey = qRgb(0x45, 0x45, 0x45);
const QRgb kHoverBack = qRgb(0xe5, 0xf4, 0xff), kWhite = qRgb(255, 255, 255);
const int kUp = QAbstractSpinBox::StepUpEnabled, kDown = QAbstractSpinBox::StepDownEnabled;
const int kBoth = kUp | kDown, kNone = QAbstractSpinBox::StepNone;
enum Mode { Normal, ReadOnly, Disabled };

struct RowCase
{
    QStringList parts;
    int row;
    bool hover, gone;
    QRgb check, back, text;
};
struct StepCase
{
    int section;
    const char *time;
    int steps;
    const char *expected;
    int enabled, mode = Normal;
    const char *min = "00:00", *max = "23:59:59.999";
};

// Rows "Clip 0".."Clip 2" of a combo box whose current row is 1, painted by its delegate.
struct Rows
{
    QTemporaryDir dir;
    QStringListModel rows{{"Clip 0", "Clip 1", "Clip 2"}};
    std::unique_ptr<UxDelegateComboBox> combo{new UxDelegateComboBox};
    UxComboboxViewItemDelegate *delegate = new UxComboboxViewItemDelegate(combo.get());
    explicit Rows(double zoom)
    {
        UxResourceMgr::setZoomDPI(zoom);
        combo->setModel(&rows);
        combo->setCurrentIndex(1);
    }
    QString picture(const QString &name, QRgb colour, int artworkSize)
    {
        QImage image(artworkSize, artworkSize, QImage::Format_ARGB32);
        image.fill(colour);
        image.save(dir.filePath(name + ".png"));
        return dir.filePath(name + ".png");
    }
    QImage paint(int row, bool hover)
    {
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(Qt::black);
        QStyleOptionViewItem option;
        option.rect = QRect(0, row * 20, 200, 20);
        option.state = hover ? QStyle::State_MouseOver : QStyle::State_None;
        QPainter painter(&image);
        painter.setFont(QFont(QString(), 14, QFont::Bold));
        delegate->paint(&painter, option, rows.index(row, 0));
        return image;
    }
};

struct TimeEdit : UxAutoTimeEidt
{
    using UxAutoTimeEidt::stepEnabled;
};

QTime at(const char *text) // a start of "hh:mm:ss.zzz", zeros for the rest
{
    const QString t = QString::fromLatin1(text);
    return QTime::fromString(t + QString("00:00:00.000").mid(t.size()), "hh:mm:ss.zzz");
}

// Enter goes as the QEnterEvent that Qt itself sends: Qt 6 hands it on to enterEvent() as one.
void send(QWidget *widget, QEvent::Type type)
{
    QEnterEvent enter{QPointF(), QPointF(), QPointF()};
    QEvent other(type);
    QCoreApplication::sendEvent(widget, type == QEvent::Enter ? &enter : &other);
}

} // namespace

Q_DECLARE_METATYPE(StateCase)
Q_DECLARE_METATYPE(ScrollCase)
Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(RowCase)
Q_DECLARE_METATYPE(StepCase)

class TestLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Both directions are reported at every update; the buttons show them only with the
    // visual on. A last row ending inside the view's frame is not content below.
    void buttonState_data()
    {
        QTest::addColumn<StateCase>("c");
        QTest::newRow("no model") << StateCase{-1, 0, 0, true, false, false};
        QTest::newRow("empty") << StateCase{0, 0, 0, true, false, false};
        QTest::newRow("fits") << StateCase{3, 0, 0, true, false, false};
        QTest::newRow("last row in the frame") << StateCase{5, -1, 0, true, false, false};
        QTest::newRow("last row past the frame") << StateCase{5, -2, 0, true, false, true};
        QTest::newRow("long, middle") << StateCase{300, 0, 1, true, true, true};
        QTest::newRow("long, middle, no visual") << StateCase{300, 0, 1, false, true, true};
        QTest::newRow("long, end") << StateCase{300, 0, 2, true, true, false};
    }
    void buttonState()
    {
        QFETCH(StateCase, c);
        View view(c.rows, c.extra);
        QCOMPARE(view.timers(500).size(), 1);
        view.setScrollButtonVisual(c.visual);
        QScrollBar *bar = view.verticalScrollBar();
        bar->setValue(bar->maximum() * c.halves / 2);
        QSignalSpy up(&view, SIGNAL(needAutoScrollUp(bool)));
        QSignalSpy down(&view, SIGNAL(needAutoScrollDown(bool)));
        view.updateScrollBtnsState();
        QCOMPARE(up.size() + down.size(), 2);
        QCOMPARE(up.first().first().toBool() + 2 * down.first().first().toBool(),
                 c.above + 2 * c.below);
        QCOMPARE(view.button(false)->isVisible(), c.visual && c.above);
        QCOMPARE(view.button(true)->isVisible(), c.visual && c.below);
        const int h = view.button(true)->sizeHint().height();
        QCOMPARE(view.button(true)->geometry(), QRect(0, view.height() - h, view.width(), h));
    }

    // Two ticks of the 800 ms timer, started twice (one may run), `fromEnd` single steps
    // before the end. With the visual on a tick clicks the button and emits the signal: two
    // steps. A hidden button stops its timer; a host-driven one without visual runs on.
    void autoScroll_data()
    {
        QTest::addColumn<ScrollCase>("c");
        QTest::newRow("hover down") << ScrollCase{true, true, true, 50, 2, 1};
        QTest::newRow("hover without visual") << ScrollCase{false, true, true, 50, 0, 0};
        QTest::newRow("hover to the end") << ScrollCase{true, true, true, 3, 2, 0};
        QTest::newRow("host down, visual") << ScrollCase{true, false, true, 50, 2, 1};
        QTest::newRow("host up") << ScrollCase{false, false, false, 50, 1, 1};
        QTest::newRow("host past the end") << ScrollCase{false, false, true, 0, 1, 1};
    }
    void autoScroll()
    {
        QFETCH(ScrollCase, c);
        View view(300);
        view.resize(view.width(), view.height() + 2 * view.frameWidth()); // whole rows
        view.setScrollButtonVisual(c.visual);
        QScrollBar *bar = view.verticalScrollBar();
        bar->setValue(bar->maximum() - c.fromEnd);
        view.updateScrollBtnsState();
        QSignalSpy ticks(&view, c.down ? SIGNAL(scrollDown()) : SIGNAL(scrollUp()));
        auto run = [&](bool on) {
            if (c.hover)
                send(view.button(c.down), on ? QEvent::Enter : QEvent::Leave);
            else
                c.down ? view.autoScrollDown(on) : view.autoScrollUp(on);
        };
        run(true);
        run(true);
        const QList<int> ids = view.timers(800);
        QCOMPARE(ids.size(), c.perTick ? 1 : 0);
        const int start = bar->value();
        for (int i = 0; i < 2 && !ids.isEmpty(); ++i) {
            QTimerEvent tick(ids.first());
            QCoreApplication::sendEvent(&view, &tick);
        }
        const int moved = qMin(2 * c.perTick * bar->singleStep(), c.down ? c.fromEnd : 1000);
        QCOMPARE(bar->value(), start + (c.down ? moved : -moved));
        QCOMPARE(ticks.size(), ids.isEmpty() ? 0 : 2);
        QCOMPARE(view.timers(800).size(), c.timersAfter);
        run(false);
        QCOMPARE(view.timers(800).size(), 0);
    }

    // From current row 8. Up and Down start from a single selected row, and `entered` is
    // not forwarded between their press and the next event.
    void keys_data()
    {
        QTest::addColumn<KeyCase>("c");
        QTest::newRow("up from the selected row") << KeyCase{Qt::Key_Up, 5, 4, "", true};
        QTest::newRow("down, none selected") << KeyCase{Qt::Key_Down, -1, 9, "", true};
        QTest::newRow("left") << KeyCase{Qt::Key_Left, -1, 8, "left", false};
        QTest::newRow("right") << KeyCase{Qt::Key_Right, -1, 8, "right", false};
    }
    void keys()
    {
        QFETCH(KeyCase, c);
        View view(20, 1000);
        view.setCurrentIndex(view.items.index(8));
        view.clearSelection();
        if (c.selected >= 0)
            view.selectionModel()->select(view.items.index(c.selected),
                                          QItemSelectionModel::Select);
        QSignalSpy left(&view, SIGNAL(cursorMoveLeft())), right(&view, SIGNAL(cursorMoveRight()));
        QSignalSpy entered(&view, SIGNAL(enteredSignal(QModelIndex)));
        QTest::keyPress(&view, Qt::Key(c.key));
        QCOMPARE(view.currentIndex().row(), c.current);
        QCOMPARE(QString(left.size() ? "left" : "") + (right.size() ? "right" : ""), c.moved);
        Q_EMIT view.entered(view.items.index(2));
        QCOMPARE(entered.size(), c.suppressed ? 0 : 1);
        QTest::keyRelease(&view, Qt::Key(c.key));
        Q_EMIT view.entered(view.items.index(3));
        QCOMPARE(entered.size(), c.suppressed ? 1 : 2);
    }

    void cleanup() { UxResourceMgr::setZoomDPI(1.0); }

    // Row sizes times the zoom, halves up, saturated; invalid indexes have none.
    void delegateSizes_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("width");
        QTest::addColumn<QSize>("expected"); // (0, 0) for an invalid index
        QTest::newRow("100 %") << 1.0 << 200 << QSize(200, 20);
        QTest::newRow("150 %") << 1.5 << 200 << QSize(300, 30);
        QTest::newRow("half up") << 1.25 << 202 << QSize(253, 25);
        QTest::newRow("invalid index") << 1.5 << -1 << QSize(0, 0);
        QTest::newRow("INT_MAX width") << 1.5 << INT_MAX << QSize(INT_MAX, 30);
        QTest::newRow("zoom 1e300") << 1e300 << 200 << QSize(INT_MAX, INT_MAX);
    }
    void delegateSizes()
    {
        QFETCH(double, zoom);
        QFETCH(int, width);
        Rows f(zoom);
        f.delegate->setItemWidth(width);
        const QModelIndex index = width < 0 ? QModelIndex() : f.rows.index(0, 0);
        QTEST(f.delegate->sizeHint(QStyleOptionViewItem(), index), "expected");
    }

    // A pixel row through a row at zoom 2 after "red*blue" (16 and 40 units), then `parts`:
    // a 16 x 16 check at x 22..37 on current row 1 only (hover picture at the normal size),
    // text from x 60 (plus a glyph's bearing); with no combo box, neither.
    void delegatePainting_data()
    {
        QTest::addColumn<RowCase>("c");
        const QStringList pair{"red", "blue"};
        QTest::newRow("current") << RowCase{pair, 1, false, false, kRed, kWhite, kGrey};
        QTest::newRow("current, hover") << RowCase{pair, 1, true, false, kBlue, kHoverBack, kRed};
        QTest::newRow("other, hover") << RowCase{pair, 2, true, false, 0, kHoverBack, kRed};
        QTest::newRow("other") << RowCase{pair, 0, false, false, 0, kWhite, kGrey};
        QTest::newRow("one part keeps") << RowCase{{"blue"}, 1, false, false, kRed, kWhite, kGrey};
        QTest::newRow("three parts keep")
            << RowCase{{"blue", "red", "red"}, 1, true, false, kBlue, kHoverBack, kRed};
        QTest::newRow("empty hover") << RowCase{{"red", ""}, 1, true, false, 0, kHoverBack, kRed};
        QTest::newRow("no normal") << RowCase{{"x", "blue"}, 1, true, false, 0, kHoverBack, kRed};
        QTest::newRow("combo box gone") << RowCase{pair, 1, false, true, 0, kWhite, 0};
    }
    void delegatePainting()
    {
        QFETCH(RowCase, c);
        Rows f(2.0);
        const QString red = f.picture("red", kRed, 16), blue = f.picture("blue", kBlue, 40);
        f.delegate->setCheckImage(red + "*" + blue);
        for (QString &part : c.parts)
            part = part.isEmpty() ? part : f.dir.filePath(part + ".png");
        f.delegate->setCheckImage(c.parts.join("*"));
        f.delegate->setTextColorH(QColor(kRed));
        f.combo->setItemText(c.row, "IIIIIIII");
        QScopedPointer<UxComboboxViewItemDelegate> kept;
        if (c.gone) { // the host keeps the delegate but deletes the combo box
            kept.reset(f.delegate);
            f.delegate->setParent(nullptr);
            f.combo.reset();
        }
        const QImage image = f.paint(c.row, c.hover);
        const int y = c.row * 20 + 9;
        QCOMPARE(image.pixel(29, y), c.check ? c.check : c.back);
        int textLeft = -1;
        bool textSeen = false;
        for (int x = 0; x < 200; ++x) {
            const QRgb p = image.pixel(x, y);
            const bool check = c.check && p == c.check && x >= 22 && x <= 37;
            QVERIFY2(p == c.back || check || x >= 60, qPrintable(QString::number(x)));
            textSeen = textSeen || (p == c.text && x >= 60);
            if (textLeft < 0 && p != c.back && !check)
                textLeft = x;
        }
        QCOMPARE(textSeen, !c.gone);
        QCOMPARE(textLeft >= 60 && textLeft <= 62, !c.gone);
    }

    // hideCombox() once per leave while the popup is closed, never while it is open.
    void comboLeaving()
    {
        UxDelegateComboBox combo;
        combo.addItems({"One", "Two"});
        combo.show();
        QSignalSpy hidden(&combo, SIGNAL(hideCombox()));
        send(&combo, QEvent::Leave);
        combo.showPopup();
        send(&combo, QEvent::Leave);
        QCOMPARE(hidden.size(), 1);
        combo.hidePopup();
        send(&combo, QEvent::Leave);
        QCOMPARE(hidden.size(), 2);
    }

    // The button keeps its size, its right edge 5 pixels in from the field's right edge,
    // centred vertically; shown on enter, hidden alone on leave, moved on resize.
    void lineEditButton()
    {
        UxLineEditWithToolbutton edit;
        QToolButton *tool = edit.findChild<QToolButton *>("btnOnLineEdit");
        tool->setFixedSize(16, 16);
        edit.resize(300, 40);
        edit.show();
        QVERIFY(!tool->isVisible());
        send(&edit, QEvent::Enter);
        edit.resize(200, 30);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(tool->geometry(), QRect(180, 8, 16, 16));
        QVERIFY(tool->isVisible());
        send(&edit, QEvent::Leave);
        QVERIFY(!tool->isVisible() && edit.isVisible());
        QSignalSpy clicked(&edit, SIGNAL(toolbuttonClicked()));
        tool->click();
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(edit.contextMenuPolicy(), Qt::NoContextMenu);
        delete tool; // a host may remove it; the field carries on without
        send(&edit, QEvent::Enter);
        edit.resize(210, 40);
    }

    // Whole section units added to the time, pulled back by whole units towards the bound
    // in the step's direction; `enabled` is read before the step.
    void timeSteps_data()
    {
        QTest::addColumn<StepCase>("c");
        const char *from = "08:00", *to = "18:00", *t = "10:00";
        const int ms = QDateTimeEdit::MSecSection, s = QDateTimeEdit::SecondSection;
        const int m = QDateTimeEdit::MinuteSection, h = QDateTimeEdit::HourSection;
        QTest::newRow("minute carries") << StepCase{m, "10:59", 1, "11:00", kBoth};
        QTest::newRow("ms") << StepCase{ms, "12:00", 250, "12:00:00.250", kBoth};
        QTest::newRow("hours wrap") << StepCase{h, "23:30", 10, "09:30", kBoth};
        QTest::newRow("down past midnight") << StepCase{h, "00:30", -1, "23:30", kUp};
        QTest::newRow("below one unit") << StepCase{s, "00:00:00.500", -1, "23:59:59.500", kUp};
        QTest::newRow("INT_MAX up") << StepCase{h, "20:00", INT_MAX, "03:00", kBoth};
        QTest::newRow("back to min")
            << StepCase{m, "08:20:30", -30, "08:00:30", kBoth, 0, from, to};
        QTest::newRow("back to max") << StepCase{h, "09:15", 10, "17:15", kBoth, 0, from, to};
        QTest::newRow("wraps below") << StepCase{h, "09:15", 20, from, kBoth, 0, from, to};
        QTest::newRow("no room up") << StepCase{h, "17:45", 1, "17:45", kDown, 0, from, to};
        QTest::newRow("INT_MIN down") << StepCase{s, "08:00:10", INT_MIN, from, kBoth, 0, from, to};
        QTest::newRow("am/pm") << StepCase{QDateTimeEdit::AmPmSection, t, 1, t, kNone};
        QTest::newRow("read-only") << StepCase{m, t, 1, t, kNone, ReadOnly};
        QTest::newRow("disabled") << StepCase{m, t, -1, t, kNone, Disabled};
        QTest::newRow("empty range") << StepCase{m, t, 1, t, kNone, 0, t, t};
    }
    void timeSteps()
    {
        QFETCH(StepCase, c);
        TimeEdit edit;
        edit.setDisplayFormat("hh:mm:ss.zzz ap");
        edit.setTimeRange(at(c.min), at(c.max));
        edit.setTime(at(c.time));
        edit.setCurrentSection(QDateTimeEdit::Section(c.section));
        QCOMPARE(int(edit.currentSection()), c.section);
        edit.setReadOnly(c.mode == ReadOnly);
        edit.setEnabled(c.mode != Disabled);
        QCOMPARE(int(edit.stepEnabled()), c.enabled);
        edit.stepBy(c.steps);
        QCOMPARE(edit.time(), at(c.expected));
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
