#ifndef UXLINEEDITWITHTOOLBUTTON_H
#define UXLINEEDITWITHTOOLBUTTON_H

#include "CommonCtrls.h"

#include <QLineEdit>
#include <QPointer>

class QToolButton;

// A line edit with a small tool button, "btnOnLineEdit", inside its right end: its
// right edge 5 pixels from the field's right edge, centred vertically. The button
// starts hidden, is shown whenever the pointer enters the field and hidden again when
// the pointer leaves it (the field itself stays). Clicks come out as
// toolbuttonClicked(). The host sizes and styles the button by its object name; the
// field reserves no text margin for it. The field has no context menu.
class COMMONCTRLS_EXPORT UxLineEditWithToolbutton : public QLineEdit
{
    Q_OBJECT

public:
    explicit UxLineEditWithToolbutton(QWidget *parent = nullptr);
    ~UxLineEditWithToolbutton() override;

Q_SIGNALS:
    void toolbuttonClicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButton();

    QPointer<QToolButton> m_button; // a host may delete it through its object name
};

#endif // UXLINEEDITWITHTOOLBUTTON_H
