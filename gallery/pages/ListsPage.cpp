#include "ListsPage.h"

#include "GalleryStyle.h"

#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

const int kClips = 240;
const char *const kTimeFormat = "hh:mm:ss.zzz";

// A playlist as an editor's bin would hold it: number, subject, take and length.
QStringList playlist()
{
    const char *const subjects[] = {"Interview",   "B-roll street", "Drone pass",
                                    "Title card",  "Crowd",         "Sunset timelapse",
                                    "Studio wide", "Close-up hands"};
    QStringList rows;
    for (int i = 0; i < kClips; ++i) {
        const int seconds = 7 + (i * 37) % 173;
        rows << QStringLiteral("%1   %2, take %3   %4:%5")
                    .arg(i + 1, 3, 10, QLatin1Char('0'))
                    .arg(QString::fromLatin1(subjects[i % 8]))
                    .arg(1 + i % 5)
                    .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                    .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    }
    return rows;
}

} // namespace

ListsPage::ListsPage(QWidget *parent)
    : GalleryPage(tr("Lists and inputs"), parent)
    , m_clips(new QSortFilterProxyModel(this))
    , m_list(new UxAutoScrollListView(this))
    , m_above(makeLabel(tr("▲  above"), "indicator", this))
    , m_below(makeLabel(tr("▼  below"), "indicator", this))
    , m_entered(makeLabel(QString(), "note", this))
    , m_quality(new UxDelegateComboBox(this))
    , m_qualityRows(new UxComboboxViewItemDelegate(m_quality))
    , m_comboLeaves(makeLabel(QString(), "note", this))
    , m_qualityPreview(new QListView(this))
    , m_search(new UxLineEditWithToolbutton(this))
    , m_position(new UxAutoTimeEidt(this))
    , m_minimum(new QTimeEdit(this))
    , m_maximum(new QTimeEdit(this))
    , m_positionText(makeLabel(QString(), "note", this))
{
    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Lists and inputs"), "title", this));
    page->addWidget(makeLabel(tr("The playlist has no scroll bars: rest the pointer on an edge "
                                 "button to scroll, or page with the buttons below. The "
                                 "indicator beside it is drawn by the host from the list's "
                                 "reports."),
                              "note", this));
    QHBoxLayout *columns = new QHBoxLayout;
    columns->addWidget(makeListColumn(), 3);
    columns->addSpacing(24);
    columns->addWidget(makeInputs(), 2);
    page->addLayout(columns, 1);
    showLeaves();
}

QWidget *ListsPage::makeListColumn()
{
    QWidget *column = new QWidget(this);
    QGridLayout *grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    QStringListModel *rows = new QStringListModel(playlist(), this);
    m_clips->setSourceModel(rows);
    m_clips->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_list->setModel(m_clips);
    m_list->setScrollButtonVisual(true);
    m_list->setMouseTracking(true); // the host's choice: it wants enteredSignal
    connect(m_list, SIGNAL(needAutoScrollUp(bool)), this, SLOT(showAbove(bool)));
    connect(m_list, SIGNAL(needAutoScrollDown(bool)), this, SLOT(showBelow(bool)));
    connect(m_list, SIGNAL(enteredSignal(QModelIndex)), this, SLOT(showEntered(QModelIndex)));

    QVBoxLayout *indicator = new QVBoxLayout;
    indicator->addWidget(m_above);
    indicator->addStretch(1);
    indicator->addWidget(m_below);

    QHBoxLayout *paging = new QHBoxLayout;
    QPushButton *pageUp = new QPushButton(tr("Page up"), column);
    QPushButton *pageDown = new QPushButton(tr("Page down"), column);
    connect(pageUp, SIGNAL(clicked()), m_list, SLOT(on_btnPageUp_clicked()));
    connect(pageDown, SIGNAL(clicked()), m_list, SLOT(on_btnPageDown_clicked()));
    paging->addWidget(pageUp);
    paging->addWidget(pageDown);
    paging->addStretch(1);

    grid->addWidget(makeLabel(tr("Playlist"), "column", column), 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addLayout(indicator, 1, 1);
    grid->addLayout(paging, 2, 0);
    grid->addWidget(m_entered, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    return column;
}

QWidget *ListsPage::makeInputs()
{
    QWidget *column = new QWidget(this);
    QVBoxLayout *top = new QVBoxLayout(column); // rows at their own heights, from the top
    top->setContentsMargins(0, 0, 0, 0);
    QFormLayout *form = new QFormLayout;
    top->addLayout(form);
    top->addStretch(1);

    m_quality->addItems(
        {tr("Full quality"), tr("Half-size proxy"), tr("Quarter-size proxy"), tr("Draft")});
    m_quality->setCurrentIndex(1);
    m_quality->setItemDelegate(m_qualityRows); // the popup's rows
    m_qualityRows->setTextColorN(QColor(0xd8, 0xdb, 0xe1));
    m_qualityRows->setTextColorH(QColor(0xff, 0xff, 0xff));
    m_qualityRows->setBacColorN(QColor(0x26, 0x2a, 0x31));
    m_qualityRows->setBacColorH(QColor(0x2f, 0x6f, 0xc2));
    connect(m_quality, SIGNAL(hideCombox()), this, SLOT(countComboLeaves()));
    form->addRow(makeLabel(tr("Preview"), "note", column), m_quality);
    form->addRow(QString(), m_comboLeaves);
    // The popup's rows as the drop-down shows them, kept open for a look at the delegate.
    m_qualityPreview->setModel(m_quality->model());
    m_qualityPreview->setItemDelegate(m_qualityRows);
    m_qualityPreview->setMouseTracking(true);
    m_qualityPreview->setSelectionMode(QAbstractItemView::NoSelection);
    m_qualityPreview->setFocusPolicy(Qt::NoFocus);
    m_qualityPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_quality, SIGNAL(currentIndexChanged(int)), m_qualityPreview->viewport(),
            SLOT(update()));
    form->addRow(makeLabel(tr("Its rows"), "note", column), m_qualityPreview);

    m_search->setPlaceholderText(tr("Search the playlist"));
    connect(m_search, SIGNAL(textChanged(QString)), this, SLOT(filterClips(QString)));
    connect(m_search, SIGNAL(toolbuttonClicked()), m_search, SLOT(clear()));
    form->addRow(makeLabel(tr("Search"), "note", column), m_search);
    form->addRow(QString(), makeLabel(tr("The clear button shows while the pointer is over "
                                         "the field."),
                                      "note", column));

    m_position->setDisplayFormat(QString::fromLatin1(kTimeFormat));
    m_minimum->setDisplayFormat(QString::fromLatin1(kTimeFormat));
    m_maximum->setDisplayFormat(QString::fromLatin1(kTimeFormat));
    m_minimum->setTime(QTime(0, 0, 2, 0));
    m_maximum->setTime(QTime(0, 14, 48, 250)); // the clip's last frame
    m_position->setTime(QTime(0, 3, 59, 960));
    m_position->setCurrentSection(QDateTimeEdit::SecondSection);
    connect(m_minimum, SIGNAL(timeChanged(QTime)), this, SLOT(applyRange()));
    connect(m_maximum, SIGNAL(timeChanged(QTime)), this, SLOT(applyRange()));
    connect(m_position, SIGNAL(timeChanged(QTime)), this, SLOT(showPosition()));
    applyRange();
    form->addRow(makeLabel(tr("Clip position"), "note", column), m_position);
    form->addRow(makeLabel(tr("From"), "note", column), m_minimum);
    form->addRow(makeLabel(tr("To"), "note", column), m_maximum);
    form->addRow(QString(), m_positionText);
    return column;
}

// Row sizes follow the zoom when the popup lays out; the check mark is loaded at the
// zoom factor, so it is loaded again.
void ListsPage::refresh()
{
    m_qualityRows->setItemWidth(180);
    m_qualityRows->setItemHeight(30);
    m_qualityRows->setTextLeftMargin(30);
    m_qualityRows->setCheckImageWidth(32);
    m_qualityRows->setCheckImageHeight(32);
    m_qualityRows->setCheckImage(artworkPath(QStringLiteral("list_check")) + QLatin1Char('*') +
                                 artworkPath(QStringLiteral("list_check_hover")));
    m_quality->view()->doItemsLayout();
    const QSize row =
        m_qualityRows->sizeHint(QStyleOptionViewItem(), m_quality->model()->index(0, 0));
    const int frame = 2 * m_qualityPreview->frameWidth();
    m_qualityPreview->setFixedSize(row.width() + frame, row.height() * m_quality->count() + frame);
    m_qualityPreview->doItemsLayout();
    // Show the search field as the pointer finds it, with its clear button.
    QEnterEvent enter{QPointF(), QPointF(), QPointF()};
    QCoreApplication::sendEvent(m_search, &enter);
}

// The playlist opens a few pages in, as a host restoring its scroll position would, so
// that content lies beyond both edges.
void ListsPage::showEvent(QShowEvent *event)
{
    GalleryPage::showEvent(event);
    if (m_pagedIn)
        return;
    m_pagedIn = true;
    for (int i = 0; i < 3; ++i)
        m_list->on_btnPageDown_clicked();
}

void ListsPage::showAbove(bool isNeed)
{
    m_above->setEnabled(isNeed);
}

void ListsPage::showBelow(bool isNeed)
{
    m_below->setEnabled(isNeed);
}

void ListsPage::showEntered(const QModelIndex &index)
{
    m_entered->setText(tr("Pointer over: %1").arg(index.data().toString()));
}

void ListsPage::countComboLeaves()
{
    ++m_leaves;
    showLeaves();
}

void ListsPage::showLeaves()
{
    m_comboLeaves->setText(tr("hideCombox() signals so far: %1").arg(m_leaves));
}

void ListsPage::filterClips(const QString &text)
{
    m_clips->setFilterFixedString(text);
}

void ListsPage::applyRange()
{
    m_position->setTimeRange(m_minimum->time(), m_maximum->time());
    showPosition();
}

void ListsPage::showPosition()
{
    const QTime t = m_position->time();
    m_positionText->setText(tr("%1 ms into the clip; steps go by the unit under the cursor")
                                .arg(t.msecsSinceStartOfDay()));
}
