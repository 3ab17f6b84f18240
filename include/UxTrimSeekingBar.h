#ifndef UXTRIMSEEKINGBAR_H
#define UXTRIMSEEKINGBAR_H

#include "CommonCtrls.h"
#include "UxPlaySeekingBar.h"

#include <QFrame>
#include <QToolButton>

class QKeyEvent;

/// \brief The trim control of a clip editor: a play seeking bar across the top and two
/// draggable handles below it.
///
/// "btnTrimLeft" hangs left of the trim start and "btnTrimRight" right of the trim end; a
/// host styles them, and the play bar ("playSeekingBar", a UxPlaySeekingBar), by object
/// name. Dragging a handle moves its trim point, never closer to the other than the
/// minimum trim length; the play bar shows the kept range as its usable range and follows
/// the dragged point. A release reports the trim point. Trim points are slider values.
/// The handles' tooltips are translated and follow a language change.
class COMMONCTRLS_EXPORT UxTrimSeekingBar : public QFrame
{
    Q_OBJECT
    /// \brief The trim start, in slider values; style sheet `qproperty-trimStart`.
    ///
    /// Written through onTrimStartChanged(): the handle moves, nothing is emitted.
    Q_PROPERTY(int trimStart READ trimStart WRITE onTrimStartChanged
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief The trim end, in slider values; style sheet `qproperty-trimEnd`.
    ///
    /// Written through onTrimEndChanged(): the handle moves, nothing is emitted.
    Q_PROPERTY(
        int trimEnd READ trimEnd WRITE onTrimEndChanged DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief The play bar's UxPlaySeekingBar::previewEnabled; style sheet
    /// `qproperty-previewEnabled`. Off at first.
    ///
    /// While on, a trim handle with focus also previews its trim point: previewRequested()
    /// with it when the handle gains focus or a key moves it, the popup above the point;
    /// losing focus or a drag of the handle ends that preview.
    Q_PROPERTY(bool previewEnabled READ isPreviewEnabled WRITE setPreviewEnabled
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the bar with its play bar, which takes clicks anywhere on it, and both
    /// handles; trim points and minimum length start at 0.
    explicit UxTrimSeekingBar(QWidget *parent = nullptr);

    /// \brief Sets the play bar's range, by QSlider's rules. The handles follow at the next
    /// trim change or resize.
    void setRange(int nMin, int nMax);
    /// \brief Sets the play position, by QSlider's rules.
    void setValue(int nValue);
    /// \brief The play position.
    int value() const;
    /// \brief Sets both trim points and the minimum trim length, shows them as the play
    /// bar's usable range and moves the handles.
    ///
    /// Taken as given and emits nothing: the minimum length is enforced on drags only.
    void setTrimStartEnd(int nStart, int nEnd, int nMinLength);
    /// \brief The trim start.
    int trimStart() const;
    /// \brief The trim end.
    int trimEnd() const;
    /// \brief trimEnd() - trimStart(), saturated at the int limits.
    int trimLength() const;
    /// \brief The setters that forms compiled by uic call for `trimStart` and `trimEnd`;
    /// the same as the slots onTrimStartChanged() and onTrimEndChanged().
    void setTrimStart(int value) { onTrimStartChanged(value); }
    /// \copydoc setTrimStart
    void setTrimEnd(int value) { onTrimEndChanged(value); }
    /// \brief Switches the preview on or off; see previewEnabled.
    void setPreviewEnabled(bool isEnabled);
    /// \brief Whether the preview is on.
    bool isPreviewEnabled() const;
    /// \brief The play bar's UxPlaySeekingBar::setChapters(): chapter marks on the trim bar's
    /// seek bar, and Page Up and Page Down between them while it has focus.
    void setChapters(const QList<int> &positions, const QStringList &titles = QStringList());
    /// \brief The play bar's chapters, in ascending order.
    QList<int> chapters() const;

    /// \brief Drives the handles: a left press on one starts its drag, moves carry its trim
    /// point and the play position with it, and the release emits trimStartChanged() or
    /// trimEndChanged().
    ///
    /// The trim point follows the handle's inner edge as if it were held at its centre.
    /// Moves that would bring the points closer than the minimum length are dropped. A
    /// disabled bar neither drags nor emits.
    ///
    /// The handles also take focus (Tab: play bar, start handle, end handle). Left and
    /// Right move the focused handle's trim point by the play bar's single step, ten steps
    /// with Shift; Home and End move it as far as it may go. Keys stop at the range and the
    /// minimum length and emit as a release does, but only when the point moved.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// \brief Room for the play bar above the taller handle, and for both handles beside
    /// the groove less the outer spaces, but at least the play bar's width.
    QSize sizeHint() const override;
    /// \brief The same as sizeHint().
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// \brief The play bar's valueChanged(), forwarded: the position changed, also by a
    /// handle drag.
    void valueChanged(int value);
    /// \brief The play bar's actionTriggered(), forwarded.
    void actionTriggered(int action);
    /// \brief The start handle was released after a press on it, or a key moved it; value
    /// is the trim start, moved or not.
    void trimStartChanged(int value);
    /// \brief The end handle was released after a press on it, or a key moved it; value is
    /// the trim end, moved or not.
    void trimEndChanged(int value);
    /// \brief The play bar's UxPlaySeekingBar::previewRequested(), forwarded: the pointer
    /// over the play bar, or a focused trim handle, stands at value.
    void previewRequested(int value);
    /// \brief The play bar's UxPlaySeekingBar::previewEnded(), forwarded.
    void previewEnded();

public Q_SLOTS:
    /// \brief Moves the trim start and its handle; emits nothing.
    ///
    /// Not checked against the trim end or the minimum length.
    void onTrimStartChanged(int value);
    /// \brief Moves the trim end and its handle; emits nothing.
    ///
    /// Not checked against the trim start or the minimum length.
    void onTrimEndChanged(int value);
    /// \brief Moves the trim end to trimStart() + value (saturated) and its handle; emits
    /// nothing.
    void onTrimLengthChanged(int value);
    /// \brief The play bar's UxPlaySeekingBar::showPreview(): shows the host's picture of
    /// the previewed value, with caption, above the pointer or the focused handle's point.
    void showPreview(const QPixmap &picture, const QString &caption = QString());

protected:
    /// \brief Lays out the play bar and the handles at their hinted sizes: the bar's outer
    /// spaces reach over the handles.
    void resizeEvent(QResizeEvent *event) override;
    /// \brief Retranslates the handles' tooltips on a language change.
    void changeEvent(QEvent *event) override;
    /// \brief Moves the start handle so that it ends at the trim start's pixel.
    void layoutTrimStartComponent();
    /// \brief Moves the end handle so that it begins at the trim end's pixel.
    void layoutTrimEndComponent();
    /// \brief Sets the handles' tooltips in the current language.
    void retranslateUi();

private:
    friend class UxAccessibleTrimHandle; // gives screen readers the handles as sliders
    struct Limits
    {
        qint64 low;
        qint64 high;
    };

    int xOfValue(int value);
    bool filterHandle(QToolButton &handle, bool &dragging, QEvent *event);
    Limits limitsOf(const QToolButton &handle) const;
    bool moveTrimPoint(QToolButton &handle, qint64 candidate);
    void reportTrimPoint(const QToolButton &handle);
    void dragHandle(QToolButton &handle);
    bool keyHandle(QToolButton &handle, QKeyEvent *event);
    void paintFocusedHandle(QToolButton &handle, QEvent *event);
    void previewHandle(const QToolButton &handle);

    UxPlaySeekingBar m_playBar;
    QToolButton m_startButton;
    QToolButton m_endButton;
    int m_trimStart = 0;
    int m_trimEnd = 0;
    int m_minTrimLength = 0;
    bool m_startDragging = false;
    bool m_endDragging = false;
};

#endif // UXTRIMSEEKINGBAR_H
