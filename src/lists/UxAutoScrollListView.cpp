#include "UxAutoScrollListView.h"

#include "frame/UxNumeric.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QToolButton>

namespace {

const int kStateInterval = 500;  // ms between re-evaluations of the edge buttons
const int kScrollInterval = 800; // ms between auto-scroll steps

} // namespace

UxAutoScrollListView::UxAutoScrollListView(QWidget *parent)
    : QListView(parent)
    , m_btnScrollUp(nullptr)
    , m_btnScrollDown(nullptr)
{
    // The vertical scroll bar stays as the model of the position; only its look goes.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_btnScrollUp = new QToolButton(this);
    m_btnScrollUp->setObjectName(QStringLiteral("btnScrollUp"));
    m_btnScrollDown = new QToolButton(this);
    m_btnScrollDown->setObjectName(QStringLiteral("btnScrollDown"));
    m_btnScrollUp->raise(); // above the viewport
    m_btnScrollDown->raise();

    updateScrollBtnsState();

    connect(m_btnScrollUp, SIGNAL(clicked()), this, SLOT(on_btnScrollUp_clicked()));
    connect(m_btnScrollDown, SIGNAL(clicked()), this, SLOT(on_btnScrollDown_clicked()));
    connect(this, SIGNAL(scrollUp()), this, SLOT(on_btnScrollUp_clicked()));
    connect(this, SIGNAL(scrollDown()), this, SLOT(on_btnScrollDown_clicked()));
    connect(this, SIGNAL(entered(const QModelIndex &)), this,
            SLOT(on_entered_emit(const QModelIndex &)));

    m_stateTimerId = startTimer(kStateInterval, Qt::CoarseTimer);

    m_btnScrollUp->installEventFilter(this);
    m_btnScrollDown->installEventFilter(this);
}

UxAutoScrollListView::~UxAutoScrollListView()
{
    killTimer(m_stateTimerId);
    m_stateTimerId = 0;
    // The buttons outlive this part of the object; they must not call back into it.
    m_btnScrollUp->removeEventFilter(this);
    m_btnScrollDown->removeEventFilter(this);
}

void UxAutoScrollListView::on_btnScrollUp_clicked()
{
    scrollBy(QAbstractSlider::SliderSingleStepSub);
}

void UxAutoScrollListView::on_btnScrollDown_clicked()
{
    scrollBy(QAbstractSlider::SliderSingleStepAdd);
}

void UxAutoScrollListView::on_btnPageUp_clicked()
{
    scrollBy(QAbstractSlider::SliderPageStepSub);
}

void UxAutoScrollListView::on_btnPageDown_clicked()
{
    scrollBy(QAbstractSlider::SliderPageStepAdd);
}

void UxAutoScrollListView::scrollBy(QAbstractSlider::SliderAction action)
{
    QScrollBar *bar = verticalScrollBar();
    if (!bar)
        return;
    bar->triggerAction(action);
    updateScrollBtnsState();
}

void UxAutoScrollListView::autoScrollUp(bool isNeed)
{
    runTimer(m_upTimerId, isNeed);
}

void UxAutoScrollListView::autoScrollDown(bool isNeed)
{
    runTimer(m_downTimerId, isNeed);
}

// Stops the timer held in timerId, then starts a new one if asked: a second start never
// leaves an earlier timer running without an id.
void UxAutoScrollListView::runTimer(int &timerId, bool run)
{
    if (timerId != 0)
        killTimer(timerId);
    timerId = run ? startTimer(kScrollInterval, Qt::CoarseTimer) : 0;
}

bool UxAutoScrollListView::scrollButtonVisual()
{
    return m_scrollButtonVisual;
}

void UxAutoScrollListView::setScrollButtonVisual(bool isVisual)
{
    m_scrollButtonVisual = isVisual; // the buttons follow at the next state update
}

void UxAutoScrollListView::updateScrollBtnsState()
{
    QAbstractItemModel *items = model();
    if (!items) {
        m_btnScrollUp->setVisible(false);
        m_btnScrollDown->setVisible(false);
        Q_EMIT needAutoScrollUp(false);
        Q_EMIT needAutoScrollDown(false);
    } else {
        // Rows of the model's top level, whatever the root index; an empty model gives
        // an invalid last index and so an empty rectangle.
        const int rows = items->rowCount(QModelIndex());
        const QRect top = visualRect(items->index(0, 0, QModelIndex()));
        const QRect bottom = visualRect(items->index(rows - 1, 0, QModelIndex()));
        const bool above = top.top() < 0;
        const bool below = bottom.bottom() > height(); // the frame counts as inside
        m_btnScrollUp->setVisible(m_scrollButtonVisual && above);
        m_btnScrollDown->setVisible(m_scrollButtonVisual && below);
        Q_EMIT needAutoScrollUp(above);
        Q_EMIT needAutoScrollDown(below);
    }
    if (!m_scrollButtonVisual)
        return; // the host drives the timers and stops them itself
    if (!m_btnScrollUp->isVisible() && m_upTimerId != 0)
        runTimer(m_upTimerId, false);
    if (!m_btnScrollDown->isVisible() && m_downTimerId != 0)
        runTimer(m_downTimerId, false);
}

void UxAutoScrollListView::on_entered_emit(const QModelIndex &index)
{
    if (!m_keyNavigation)
        Q_EMIT enteredSignal(index);
}

bool UxAutoScrollListView::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            // Start the move from the one selected row, wherever the current index is.
            const QModelIndexList selected = selectedIndexes();
            if (selected.size() == 1)
                setCurrentIndex(selected.first());
            m_keyNavigation = true;
            return QListView::event(event);
        }
    }
    m_keyNavigation = false;
    return QListView::event(event);
}

bool UxAutoScrollListView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_scrollButtonVisual &&
        (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        const bool enter = event->type() == QEvent::Enter;
        if (watched == m_btnScrollUp)
            runTimer(m_upTimerId, enter);
        else if (watched == m_btnScrollDown)
            runTimer(m_downTimerId, enter);
    }
    return QListView::eventFilter(watched, event);
}

void UxAutoScrollListView::timerEvent(QTimerEvent *event)
{
    const int id = event->timerId();
    if (id == m_stateTimerId) {
        updateScrollBtnsState();
    } else if (id == m_upTimerId) {
        if (m_scrollButtonVisual)
            m_btnScrollUp->click();
        Q_EMIT scrollUp();
    } else if (id == m_downTimerId) {
        if (m_scrollButtonVisual)
            m_btnScrollDown->click();
        Q_EMIT scrollDown();
    }
    QListView::timerEvent(event);
}

void UxAutoScrollListView::wheelEvent(QWheelEvent *event)
{
    QListView::wheelEvent(event);
    updateScrollBtnsState();
}

void UxAutoScrollListView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int upHeight = m_btnScrollUp->sizeHint().height();
    const int downHeight = m_btnScrollDown->sizeHint().height();
    m_btnScrollUp->setGeometry(uxRect(0, 0, w, upHeight));
    m_btnScrollDown->setGeometry(uxRect(0, qint64(h) - downHeight, w, downHeight));
    updateScrollBtnsState();
}

QModelIndex UxAutoScrollListView::moveCursor(CursorAction cursorAction,
                                             Qt::KeyboardModifiers modifiers)
{
    const QModelIndex target = QListView::moveCursor(cursorAction, modifiers);
    updateScrollBtnsState();
    if (cursorAction == MoveLeft)
        Q_EMIT cursorMoveLeft();
    else if (cursorAction == MoveRight)
        Q_EMIT cursorMoveRight();
    return target;
}
