#ifndef UXAUTOSCROLLLISTVIEW_H
#define UXAUTOSCROLLLISTVIEW_H

#include "CommonCtrls.h"

#include <QAbstractSlider>
#include <QListView>

class QToolButton;

/// \brief A list view without visible scroll bars, scrolled by two edge buttons, by hovering
/// them, and by the host.
///
/// The tool buttons "btnScrollUp" and "btnScrollDown" span the top and bottom edges at their
/// hinted heights; a host styles them by object name. With scrollButtonVisual() on, each is
/// shown exactly while content lies beyond its edge, and hovering it scrolls one single step
/// of the vertical scroll bar every 800 ms (a tick clicks the button and emits
/// scrollUp()/scrollDown(), both connected to the step slot, so it moves two steps).
/// needAutoScrollUp() and needAutoScrollDown() report at every re-evaluation (every 500 ms and
/// after each scroll, resize, wheel and cursor move) whether content lies beyond either edge,
/// so that a host can show controls of its own; autoScrollUp()/autoScrollDown() with true run
/// the same timers for it.
///
/// Starting an auto-scroll timer while one of the same direction runs (a hover and a
/// host call, or two host calls) stops the running one first, so that no timer ever
/// outlives the id that would stop it.
///
/// Up and Down keys start from the single selected row; between such a key press and
/// the next other event reaching the view, entered() is not forwarded as
/// enteredSignal(), since rows moving under a resting pointer are no pointer move.
class COMMONCTRLS_EXPORT UxAutoScrollListView : public QListView
{
    Q_OBJECT

public:
    /// \brief Creates the view with both scroll bars hidden, its two hidden edge buttons and the
    /// 500 ms re-evaluation timer.
    explicit UxAutoScrollListView(QWidget *parent = nullptr);
    /// \brief Stops re-evaluating; the edge buttons, destroyed after the view, no longer
    /// call back into it.
    ~UxAutoScrollListView() override;

Q_SIGNALS:
    /// \brief A Left key asked the view for a cursor move, whether or not a row lies that
    /// way.
    void cursorMoveLeft();
    /// \brief A Right key asked the view for a cursor move, whether or not a row lies that
    /// way.
    void cursorMoveRight();
    /// \brief The pointer entered the row at index: QListView::entered() forwarded, except
    /// after an Up or Down key until the next other event.
    void enteredSignal(const QModelIndex &index);
    /// \brief Whether rows lie above the top edge; emitted at every re-evaluation, changed or
    /// not (false without a model).
    void needAutoScrollUp(bool isNeed);
    /// \brief Whether rows lie below the bottom edge; emitted at every re-evaluation, changed
    /// or not (false without a model).
    void needAutoScrollDown(bool isNeed);
    /// \brief A tick of the upward auto-scroll timer; connected to on_btnScrollUp_clicked().
    void scrollUp();
    /// \brief A tick of the downward auto-scroll timer; connected to
    /// on_btnScrollDown_clicked().
    void scrollDown();

public Q_SLOTS:
    /// \brief Scrolls up by one single step of the vertical scroll bar and re-evaluates.
    void on_btnScrollUp_clicked();
    /// \brief Scrolls down by one single step of the vertical scroll bar and re-evaluates.
    void on_btnScrollDown_clicked();
    /// \brief Scrolls up by one page step of the vertical scroll bar and re-evaluates.
    void on_btnPageUp_clicked();
    /// \brief Scrolls down by one page step of the vertical scroll bar and re-evaluates.
    void on_btnPageDown_clicked();
    /// \brief Starts (true) or stops (false) the upward auto-scroll timer, one tick every
    /// 800 ms.
    ///
    /// A start replaces a running upward timer. The host stops its own timers; with
    /// scrollButtonVisual() on, the timer also stops when the up button goes hidden.
    void autoScrollUp(bool isNeed);
    /// \brief Starts (true) or stops (false) the downward auto-scroll timer, one tick every
    /// 800 ms.
    ///
    /// As autoScrollUp(), for the bottom edge.
    void autoScrollDown(bool isNeed);
    /// \brief Whether the edge buttons are in use; false at first.
    bool scrollButtonVisual();
    /// \brief Switches the edge buttons on or off.
    ///
    /// They follow at the next re-evaluation, within 500 ms. On, a button shows while content
    /// lies beyond its edge and scrolls while the pointer rests on it; off, both stay hidden.
    void setScrollButtonVisual(bool isVisual);

protected:
    /// \brief Up and Down keys first make the single selected row current and keep
    /// enteredSignal() quiet; any other event ends that.
    bool event(QEvent *event) override;
    /// \brief Runs an edge button's auto-scroll timer while the pointer rests on it, with
    /// scrollButtonVisual() on.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// \brief The 500 ms re-evaluation and the auto-scroll ticks.
    void timerEvent(QTimerEvent *event) override;
    /// \brief Scrolls as QListView does, then re-evaluates.
    void wheelEvent(QWheelEvent *event) override;
    /// \brief Lays the edge buttons across the top and bottom edges, then re-evaluates.
    void resizeEvent(QResizeEvent *event) override;
    /// \brief QListView's move, then a re-evaluation and, for Left and Right,
    /// cursorMoveLeft() or cursorMoveRight().
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

    /// \brief The re-evaluation: shows or hides the edge buttons, reports both directions
    /// and, with the buttons on, stops the auto-scroll timer of a button that went hidden.
    void updateScrollBtnsState();

private Q_SLOTS:
    void on_entered_emit(const QModelIndex &index);

private:
    void scrollBy(QAbstractSlider::SliderAction action);
    void runTimer(int &timerId, bool run);

    QToolButton *m_btnScrollUp;
    QToolButton *m_btnScrollDown;
    int m_stateTimerId = 0;
    int m_upTimerId = 0;
    int m_downTimerId = 0;
    bool m_keyNavigation = false;
    bool m_scrollButtonVisual = false;
};

#endif // UXAUTOSCROLLLISTVIEW_H
