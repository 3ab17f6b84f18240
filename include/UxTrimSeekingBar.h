#ifndef UXTRIMSEEKINGBAR_H
#define UXTRIMSEEKINGBAR_H

#include "CommonCtrls.h"
#include "UxPlaySeekingBar.h"

#include <QFrame>
#include <QToolButton>

// The trim control of a clip editor: a play seeking bar across the top and two handles
// below it, "btnTrimLeft" hanging left of the trim start and "btnTrimRight" right of the
// trim end. Dragging a handle moves its trim point, never closer to the other than the
// minimum trim length; the play bar ("playSeekingBar") shows the kept range as its
// usable range and follows the dragged point. A release reports the trim point.
class COMMONCTRLS_EXPORT UxTrimSeekingBar : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(int trimStart READ trimStart WRITE onTrimStartChanged
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(
        int trimEnd READ trimEnd WRITE onTrimEndChanged DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxTrimSeekingBar(QWidget *parent = nullptr);

    void setRange(int nMin, int nMax);
    void setValue(int nValue);
    int value() const;
    void setTrimStartEnd(int nStart, int nEnd, int nMinLength);
    int trimStart() const;
    int trimEnd() const;
    int trimLength() const;
    /// \brief The setters that forms compiled by uic call for `trimStart` and `trimEnd`;
    /// the same as the slots onTrimStartChanged() and onTrimEndChanged().
    void setTrimStart(int value) { onTrimStartChanged(value); }
    /// \copydoc setTrimStart
    void setTrimEnd(int value) { onTrimEndChanged(value); }

    bool eventFilter(QObject *watched, QEvent *event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void valueChanged(int value);
    void actionTriggered(int action);
    void trimStartChanged(int value);
    void trimEndChanged(int value);

public Q_SLOTS:
    void onTrimStartChanged(int value);
    void onTrimEndChanged(int value);
    void onTrimLengthChanged(int value);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void layoutTrimStartComponent();
    void layoutTrimEndComponent();
    void retranslateUi();

private:
    int xOfValue(int value);
    bool filterHandle(QToolButton &handle, bool &dragging, QEvent *event);
    void dragStart();
    void dragEnd();

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
