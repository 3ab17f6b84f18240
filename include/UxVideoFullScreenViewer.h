#ifndef UXVIDEOFULLSCREENVIEWER_H
#define UXVIDEOFULLSCREENVIEWER_H

#include "UxVideoViewer.h"

#include <QPointer>

/// \brief A video viewer shown as its own frameless, screen-sized window, with a control bar
/// from the host that appears when the pointer reaches the bottom edge.
///
/// The bar goes when the pointer leaves it. The pointer is polled once a second, so the bar
/// behaves the same whether the pointer is hidden or not. The viewer rectangle is always the
/// whole window, whatever aspectRatio says.
class COMMONCTRLS_EXPORT UxVideoFullScreenViewer : public UxVideoViewer
{
    Q_OBJECT

public:
    /// \brief Creates the viewer as a frameless window of its own, also with a parent, and
    /// starts polling the pointer.
    explicit UxVideoFullScreenViewer(QWidget *parent = nullptr);
    /// \brief Stops polling; a bar still set is deleted with the viewer.
    ~UxVideoFullScreenViewer() override;

    /// \brief Takes bar as a hidden frameless child window; a previous bar is handed back to
    /// the caller without a parent.
    ///
    /// The bar is a tool window of the viewer's, so that window managers stack it above
    /// the full-screen viewer, and it shows without taking the keyboard from the viewer.
    ///
    /// A null bar only hands back the previous one. The host may delete a bar while it is
    /// set.
    void setControlBar(QWidget *bar);
    /// \brief The bar; null when none is set or the host deleted it.
    QWidget *controlBar() const;

    /// \brief The size of the viewer's screen; an invalid size without a screen.
    QSize sizeHint() const override;
    /// \brief The size of the viewer's screen, as sizeHint().
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    /// \brief Shows the bar across the viewer's bottom edge, at the viewer's width and the
    /// bar's hinted height; nothing without a bar or while it is shown.
    void showControlBar();
    /// \brief Hides the bar; nothing without a bar.
    void hideControlBar();

protected:
    /// \brief The once-a-second poll: shows the bar while the viewer is visible and the
    /// pointer is in its bottom 5 pixel rows, hides it when the pointer is off the bar.
    void timerEvent(QTimerEvent *event) override;
    /// \brief Makes the viewer rectangle the whole window and recomputes the video
    /// rectangle.
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize screenSize() const;
    QPoint polledPointer() const;
    void adoptControlBar();
    void releaseControlBar();

    QPointer<QWidget> m_controlBar; // the host may delete the bar while it is set
    int m_pollTimerId = 0;
    bool m_barShowedWithoutActivating = false; // the bar's own setting, given back with it
};

#endif // UXVIDEOFULLSCREENVIEWER_H
