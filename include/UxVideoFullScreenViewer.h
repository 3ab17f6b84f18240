#ifndef UXVIDEOFULLSCREENVIEWER_H
#define UXVIDEOFULLSCREENVIEWER_H

#include "UxVideoViewer.h"

#include <QPointer>

// A video viewer shown as its own frameless, screen-sized window, with a control bar
// from the host that appears when the pointer reaches the bottom edge and goes when
// the pointer leaves it. The pointer is polled once a second, so the bar behaves the
// same whether the pointer is hidden or not. The video always fills the whole window.
class COMMONCTRLS_EXPORT UxVideoFullScreenViewer : public UxVideoViewer
{
    Q_OBJECT

public:
    explicit UxVideoFullScreenViewer(QWidget *parent = nullptr);
    ~UxVideoFullScreenViewer() override;

    // Takes bar as a hidden frameless child window; a previous bar is handed back to
    // the caller without a parent.
    void setControlBar(QWidget *bar);
    QWidget *controlBar() const;

    QSize sizeHint() const override;        // the size of the viewer's screen
    QSize minimumSizeHint() const override; // likewise

public Q_SLOTS:
    void showControlBar();
    void hideControlBar();

protected:
    void timerEvent(QTimerEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize screenSize() const;

    QPointer<QWidget> m_controlBar; // the host may delete the bar while it is set
    int m_pollTimerId = 0;
};

#endif // UXVIDEOFULLSCREENVIEWER_H
