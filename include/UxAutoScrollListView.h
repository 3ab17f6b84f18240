#ifndef UXAUTOSCROLLLISTVIEW_H
#define UXAUTOSCROLLLISTVIEW_H

#include "CommonCtrls.h"

#include <QAbstractSlider>
#include <QListView>

class QToolButton;

// A list view without visible scroll bars, scrolled by two edge buttons, by hovering
// them, and by the host.
//
// The tool buttons "btnScrollUp" and "btnScrollDown" span the top and bottom edges.
// With scrollButtonVisual on, each is shown exactly while content lies beyond its
// edge, and hovering it scrolls one single step of the vertical scroll bar every
// 800 ms (a tick clicks the button and emits scrollUp()/scrollDown(), both connected
// to the step slot, so it moves two steps). needAutoScrollUp and needAutoScrollDown
// report at every re-evaluation (every 500 ms and after each scroll, resize, wheel
// and cursor move) whether content lies beyond either edge, so that a host can show
// controls of its own; autoScrollUp/autoScrollDown(true) run the same timers for it.
//
// Starting an auto-scroll timer while one of the same direction runs (a hover and a
// host call, or two host calls) stops the running one first, so that no timer ever
// outlives the id that would stop it.
//
// Up and Down keys start from the single selected row; between such a key press and
// the next other event reaching the view, entered() is not forwarded as
// enteredSignal(), since rows moving under a resting pointer are no pointer move.
class COMMONCTRLS_EXPORT UxAutoScrollListView : public QListView
{
    Q_OBJECT

public:
    explicit UxAutoScrollListView(QWidget *parent = nullptr);
    ~UxAutoScrollListView() override;

Q_SIGNALS:
    void cursorMoveLeft();
    void cursorMoveRight();
    void enteredSignal(const QModelIndex &index);
    void needAutoScrollUp(bool isNeed);
    void needAutoScrollDown(bool isNeed);
    void scrollUp();
    void scrollDown();

public Q_SLOTS:
    void on_btnScrollUp_clicked();
    void on_btnScrollDown_clicked();
    void on_btnPageUp_clicked();
    void on_btnPageDown_clicked();
    void autoScrollUp(bool isNeed);
    void autoScrollDown(bool isNeed);
    bool scrollButtonVisual();
    void setScrollButtonVisual(bool isVisual);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

    // Shows or hides the edge buttons, reports both directions and, with the buttons
    // on, stops the auto-scroll timer of a button that went hidden.
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
