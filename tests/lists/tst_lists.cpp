#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>
#include <UxResourceMgr.h>

#include "support/CoarseTimers.h"
#include "support/TestArtwork.h"

#include <QPainter>
#include <QScrollBar>
#include <QStringListModel>
#include <QToolButton>
#include <QtTest>

#include <climits>
#include <memory>

namespace {

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
};

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGrey = qRgb(0x45, 0x45, 0x45);
const QRgb kHoverBack = qRgb(0xe5, 0xf4, 0xff), kWhite = qRgb(255, 255, 255);
const int kUp = QAbstractSpinBox::StepUpEnabled, kDown = QAbstractSpinBox::StepDownEnabled;
const int kBoth = kUp | kDown, kNone = QAbstractSpinBox::StepNone;
enum Mode { Normal, ReadOnly, Disabled };
const int kNoModel = -1; // `rows` of a view without a model

// Rows "Clip 0".."Clip 2" of a combo box whose current row is 1, painted by its delegate.
struct Rows
{
    ArtworkFolder art;
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
        return art.save(name + ".png", TestArtwork::solid(QSize(artworkSize, artworkSize), colour));
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

QTime at(const QString &t) // a start of "hh:mm:ss.zzz", zeros for the rest
{
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

Q_DECLARE_METATYPE(Mode)

class TestLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Both directions are reported at every update; the buttons show them only with the
    // visual on. A last row ending inside the view's frame is not content below.
    void buttonState_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("extra");  // pixels of height beyond five rows
        QTest::addColumn<int>("halves"); // scrolled to maximum * halves / 2
        QTest::addColumn<bool>("visual");
        QTest::addColumn<bool>("above");
        QTest::addColumn<bool>("below");
        QTest::newRow("no model") << kNoModel << 0 << 0 << true << false << false;
        QTest::newRow("empty") << 0 << 0 << 0 << true << false << false;
        QTest::newRow("fits") << 3 << 0 << 0 << true << false << false;
        QTest::newRow("last row in the frame") << 5 << -1 << 0 << true << false << false;
        QTest::newRow("last row past the frame") << 5 << -2 << 0 << true << false << true;
        QTest::newRow("long, middle") << 300 << 0 << 1 << true << true << true;
        QTest::newRow("long, middle, no visual") << 300 << 0 << 1 << false << true << true;
        QTest::newRow("long, end") << 300 << 0 << 2 << true << true << false;
    }
    void buttonState()
    {
        QFETCH(int, rows);
        QFETCH(int, extra);
        QFETCH(int, halves);
        QFETCH(bool, visual);
        QFETCH(bool, above);
        QFETCH(bool, below);
        View view(rows, extra);
        QCOMPARE(coarseTimers(&view, 500).size(), 1);
        view.setScrollButtonVisual(visual);
        QScrollBar *bar = view.verticalScrollBar();
        bar->setValue(bar->maximum() * halves / 2);
        QSignalSpy up(&view, SIGNAL(needAutoScrollUp(bool)));
        QSignalSpy down(&view, SIGNAL(needAutoScrollDown(bool)));
        view.updateScrollBtnsState();
        QCOMPARE(up.size() + down.size(), 2);
        QCOMPARE(up.first().first().toBool(), above);
        QCOMPARE(down.first().first().toBool(), below);
        QCOMPARE(view.button(false)->isVisible(), visual && above);
        QCOMPARE(view.button(true)->isVisible(), visual && below);
        const int h = view.button(true)->sizeHint().height();
        QCOMPARE(view.button(true)->geometry(), QRect(0, view.height() - h, view.width(), h));
    }

    // Two ticks of the 800 ms timer, started twice (one may run), `fromEnd` single steps
    // before the end. With the visual on a tick clicks the button and emits the signal: two
    // steps. A hidden button stops its timer; a host-driven one without visual runs on.
    void autoScroll_data()
    {
        QTest::addColumn<bool>("visual");
        QTest::addColumn<bool>("hover"); // else the host drives it
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("fromEnd");
        QTest::addColumn<int>("perTick"); // single steps
        QTest::addColumn<int>("timersAfter");
        QTest::newRow("hover down") << true << true << true << 50 << 2 << 1;
        QTest::newRow("hover without visual") << false << true << true << 50 << 0 << 0;
        QTest::newRow("hover to the end") << true << true << true << 3 << 2 << 0;
        QTest::newRow("host down, visual") << true << false << true << 50 << 2 << 1;
        QTest::newRow("host up") << false << false << false << 50 << 1 << 1;
        QTest::newRow("host past the end") << false << false << true << 0 << 1 << 1;
    }
    void autoScroll()
    {
        QFETCH(bool, visual);
        QFETCH(bool, hover);
        QFETCH(bool, down);
        QFETCH(int, fromEnd);
        QFETCH(int, perTick);
        View view(300);
        view.resize(view.width(), view.height() + 2 * view.frameWidth()); // whole rows
        view.setScrollButtonVisual(visual);
        QScrollBar *bar = view.verticalScrollBar();
        bar->setValue(bar->maximum() - fromEnd);
        view.updateScrollBtnsState();
        QSignalSpy ticks(&view, down ? SIGNAL(scrollDown()) : SIGNAL(scrollUp()));
        auto run = [&](bool on) {
            if (hover)
                send(view.button(down), on ? QEvent::Enter : QEvent::Leave);
            else
                down ? view.autoScrollDown(on) : view.autoScrollUp(on);
        };
        run(true);
        run(true);
        const QList<int> ids = coarseTimers(&view, 800);
        QCOMPARE(ids.size(), perTick ? 1 : 0);
        const int start = bar->value();
        for (int i = 0; i < 2 && !ids.isEmpty(); ++i) {
            QTimerEvent tick(ids.first());
            QCoreApplication::sendEvent(&view, &tick);
        }
        const int moved = qMin(2 * perTick * bar->singleStep(), down ? fromEnd : 1000);
        QCOMPARE(bar->value(), start + (down ? moved : -moved));
        QCOMPARE(ticks.size(), ids.isEmpty() ? 0 : 2);
        QTEST(int(coarseTimers(&view, 800).size()), "timersAfter");
        run(false);
        QCOMPARE(coarseTimers(&view, 800).size(), 0);
    }

    // From current row 8. Up and Down start from a single selected row, and `entered` is
    // not forwarded between their press and the next event.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("selected"); // -1: none
        QTest::addColumn<int>("current");  // after the press
        QTest::addColumn<bool>("movedLeft");
        QTest::addColumn<bool>("movedRight");
        QTest::addColumn<bool>("enteredSuppressed");
        QTest::newRow("up from the selected row")
            << int(Qt::Key_Up) << 5 << 4 << false << false << true;
        QTest::newRow("down, none selected")
            << int(Qt::Key_Down) << -1 << 9 << false << false << true;
        QTest::newRow("left") << int(Qt::Key_Left) << -1 << 8 << true << false << false;
        QTest::newRow("right") << int(Qt::Key_Right) << -1 << 8 << false << true << false;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, selected);
        QFETCH(bool, enteredSuppressed);
        View view(20, 1000);
        view.setCurrentIndex(view.items.index(8));
        view.clearSelection();
        if (selected >= 0)
            view.selectionModel()->select(view.items.index(selected), QItemSelectionModel::Select);
        QSignalSpy left(&view, SIGNAL(cursorMoveLeft())), right(&view, SIGNAL(cursorMoveRight()));
        QSignalSpy entered(&view, SIGNAL(enteredSignal(QModelIndex)));
        QTest::keyPress(&view, Qt::Key(key));
        QTEST(view.currentIndex().row(), "current");
        QTEST(!left.isEmpty(), "movedLeft");
        QTEST(!right.isEmpty(), "movedRight");
        Q_EMIT view.entered(view.items.index(2));
        QCOMPARE(entered.size(), enteredSuppressed ? 0 : 1);
        QTest::keyRelease(&view, Qt::Key(key));
        Q_EMIT view.entered(view.items.index(3));
        QCOMPARE(entered.size(), enteredSuppressed ? 1 : 2);
    }

    void cleanup() { UxResourceMgr::setZoomDPI(1.0); }

    // Row sizes times the zoom, halves up; invalid indexes have none. At the integer
    // limits a size saturates: it never wraps below what the row has unzoomed.
    void delegateSizes_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("width");
        QTest::addColumn<QSize>("expected"); // (0, 0) for an invalid index; invalid: saturates
        QTest::newRow("100 %") << 1.0 << 200 << QSize(200, 20);
        QTest::newRow("150 %") << 1.5 << 200 << QSize(300, 30);
        QTest::newRow("half up") << 1.25 << 202 << QSize(253, 25);
        QTest::newRow("invalid index") << 1.5 << -1 << QSize(0, 0);
        QTest::newRow("INT_MAX width saturates") << 1.5 << INT_MAX << QSize();
        QTest::newRow("zoom 1e300 saturates") << 1e300 << 200 << QSize();
    }
    void delegateSizes()
    {
        QFETCH(double, zoom);
        QFETCH(int, width);
        QFETCH(QSize, expected);
        Rows f(zoom);
        f.delegate->setItemWidth(width);
        const QModelIndex index = width < 0 ? QModelIndex() : f.rows.index(0, 0);
        const QSize size = f.delegate->sizeHint(QStyleOptionViewItem(), index);
        if (expected.isValid()) {
            QCOMPARE(size, expected);
        } else {
            QVERIFY2(size.width() >= width && size.height() >= 20,
                     qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
        }
    }

    // A pixel row through a row at zoom 2 after "red*blue" (16 and 40 units), then `parts`:
    // a 16 x 16 check at x 22..37 on current row 1 only (hover picture at the normal size),
    // text from x 60 (plus a glyph's bearing); with no combo box, neither.
    void delegatePainting_data()
    {
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<bool>("comboGone");
        QTest::addColumn<QRgb>("check"); // 0: no check drawn
        QTest::addColumn<QRgb>("back");
        QTest::addColumn<QRgb>("text"); // 0: no text drawn
        const QStringList pair{"red", "blue"};
        QTest::newRow("current") << pair << 1 << false << false << kRed << kWhite << kGrey;
        QTest::newRow("current, hover")
            << pair << 1 << true << false << kBlue << kHoverBack << kRed;
        QTest::newRow("other, hover") << pair << 2 << true << false << 0u << kHoverBack << kRed;
        QTest::newRow("other") << pair << 0 << false << false << 0u << kWhite << kGrey;
        QTest::newRow("one part keeps")
            << QStringList{"blue"} << 1 << false << false << kRed << kWhite << kGrey;
        QTest::newRow("three parts keep") << QStringList{"blue", "red", "red"} << 1 << true << false
                                          << kBlue << kHoverBack << kRed;
        QTest::newRow("empty hover")
            << QStringList{"red", ""} << 1 << true << false << 0u << kHoverBack << kRed;
        QTest::newRow("no normal")
            << QStringList{"x", "blue"} << 1 << true << false << 0u << kHoverBack << kRed;
        QTest::newRow("combo box gone") << pair << 1 << false << true << 0u << kWhite << 0u;
    }
    void delegatePainting()
    {
        QFETCH(QStringList, parts);
        QFETCH(int, row);
        QFETCH(bool, hover);
        QFETCH(bool, comboGone);
        QFETCH(QRgb, check);
        QFETCH(QRgb, back);
        QFETCH(QRgb, text);
        Rows f(2.0);
        const QString red = f.picture("red", kRed, 16), blue = f.picture("blue", kBlue, 40);
        f.delegate->setCheckImage(red + "*" + blue);
        for (QString &part : parts)
            part = part.isEmpty() ? part : f.art.path(part + ".png");
        f.delegate->setCheckImage(parts.join("*"));
        f.delegate->setTextColorH(QColor(kRed));
        f.combo->setItemText(row, "IIIIIIII");
        QScopedPointer<UxComboboxViewItemDelegate> kept;
        if (comboGone) { // the host keeps the delegate but deletes the combo box
            kept.reset(f.delegate);
            f.delegate->setParent(nullptr);
            f.combo.reset();
        }
        const QImage image = f.paint(row, hover);
        const int y = row * 20 + 9;
        QCOMPARE(image.pixel(29, y), check ? check : back);
        int textLeft = -1;
        bool textSeen = false;
        for (int x = 0; x < 200; ++x) {
            const QRgb p = image.pixel(x, y);
            const bool inCheck = check && p == check && x >= 22 && x <= 37;
            QVERIFY2(p == back || inCheck || x >= 60, qPrintable(QString::number(x)));
            textSeen = textSeen || (p == text && x >= 60);
            if (textLeft < 0 && p != back && !inCheck)
                textLeft = x;
        }
        QCOMPARE(textSeen, !comboGone);
        QCOMPARE(textLeft >= 60 && textLeft <= 62, !comboGone);
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
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        const QString day = "00:00", end = "23:59:59.999", from = "08:00", to = "18:00";
        const QString t = "10:00";
        const int ms = QDateTimeEdit::MSecSection, s = QDateTimeEdit::SecondSection;
        const int m = QDateTimeEdit::MinuteSection, h = QDateTimeEdit::HourSection;
        QTest::newRow("minute carries")
            << m << "10:59" << 1 << "11:00" << kBoth << Normal << day << end;
        QTest::newRow("ms") << ms << "12:00" << 250 << "12:00:00.250" << kBoth << Normal << day
                            << end;
        QTest::newRow("hours wrap")
            << h << "23:30" << 10 << "09:30" << kBoth << Normal << day << end;
        QTest::newRow("down past midnight")
            << h << "00:30" << -1 << "23:30" << kUp << Normal << day << end;
        QTest::newRow("below one unit")
            << s << "00:00:00.500" << -1 << "23:59:59.500" << kUp << Normal << day << end;
        QTest::newRow("back to min")
            << m << "08:20:30" << -30 << "08:00:30" << kBoth << Normal << from << to;
        QTest::newRow("back to max")
            << h << "09:15" << 10 << "17:15" << kBoth << Normal << from << to;
        QTest::newRow("wraps below") << h << "09:15" << 20 << from << kBoth << Normal << from << to;
        QTest::newRow("no room up")
            << h << "17:45" << 1 << "17:45" << kDown << Normal << from << to;
        QTest::newRow("am/pm") << int(QDateTimeEdit::AmPmSection) << t << 1 << t << kNone << Normal
                               << day << end;
        QTest::newRow("read-only") << m << t << 1 << t << kNone << ReadOnly << day << end;
        QTest::newRow("disabled") << m << t << -1 << t << kNone << Disabled << day << end;
        QTest::newRow("empty range") << m << t << 1 << t << kNone << Normal << t << t;
    }
    void timeSteps()
    {
        QFETCH(int, section);
        QFETCH(QString, time);
        QFETCH(int, steps);
        QFETCH(QString, expected);
        QFETCH(Mode, mode);
        QFETCH(QString, min);
        QFETCH(QString, max);
        TimeEdit edit;
        edit.setDisplayFormat("hh:mm:ss.zzz ap");
        edit.setTimeRange(at(min), at(max));
        edit.setTime(at(time));
        edit.setCurrentSection(QDateTimeEdit::Section(section));
        QCOMPARE(int(edit.currentSection()), section);
        edit.setReadOnly(mode == ReadOnly);
        edit.setEnabled(mode != Disabled);
        QTEST(int(edit.stepEnabled()), "enabled");
        edit.stepBy(steps);
        QCOMPARE(edit.time(), at(expected));
    }

    // Steps at the integer limits never wrap the count: over the whole day a step lands
    // where the same count less whole days of the section's units does, and within a
    // range it stays in the range.
    void timeStepsSaturate_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("unitMs");
        QTest::addColumn<int>("steps");
        const auto atBothLimits = [](const char *name, QDateTimeEdit::Section section, int unitMs) {
            QTest::addRow("%s, INT_MAX", name) << int(section) << unitMs << INT_MAX;
            QTest::addRow("%s, INT_MIN", name) << int(section) << unitMs << INT_MIN;
        };
        atBothLimits("ms", QDateTimeEdit::MSecSection, 1);
        atBothLimits("s", QDateTimeEdit::SecondSection, 1000);
        atBothLimits("min", QDateTimeEdit::MinuteSection, 60 * 1000);
        atBothLimits("h", QDateTimeEdit::HourSection, 3600 * 1000);
    }
    void timeStepsSaturate()
    {
        QFETCH(int, section);
        QFETCH(int, unitMs);
        QFETCH(int, steps);
        const int unitsPerDay = 24 * 3600 * 1000 / unitMs;
        const auto stepped = [&](const char *min, const char *max, int count) {
            TimeEdit edit;
            edit.setDisplayFormat("hh:mm:ss.zzz");
            edit.setTimeRange(at(min), at(max));
            edit.setTime(at("10:20:30.400"));
            edit.setCurrentSection(QDateTimeEdit::Section(section));
            edit.stepBy(count);
            return edit.time();
        };
        QCOMPARE(stepped("00:00", "23:59:59.999", steps),
                 stepped("00:00", "23:59:59.999", steps % unitsPerDay));
        const QTime within = stepped("08:00", "18:00", steps);
        QVERIFY2(within.isValid() && within >= at("08:00") && within <= at("18:00"),
                 qPrintable(within.toString("hh:mm:ss.zzz")));
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
