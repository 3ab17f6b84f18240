#ifndef UXLINEEDITWITHTOOLBUTTON_H
#define UXLINEEDITWITHTOOLBUTTON_H

#include "CommonCtrls.h"

#include <QLineEdit>
#include <QPointer>

class QToolButton;

/// \brief A line edit with a small tool button, "btnOnLineEdit", inside its right end, shown
/// while the pointer is over the field.
///
/// The button's right edge is 5 pixels from the field's right edge, and it is centred
/// vertically at its own size. It starts hidden, is shown whenever the pointer enters the
/// field and hidden again when the pointer leaves it (the field itself stays). Clicks come
/// out as toolbuttonClicked(). The host sizes and styles the button by its object name; the
/// field reserves no text margin for it. The field has no context menu.
class COMMONCTRLS_EXPORT UxLineEditWithToolbutton : public QLineEdit
{
    Q_OBJECT

public:
    /// \brief Creates the field with its hidden button and without a context menu.
    explicit UxLineEditWithToolbutton(QWidget *parent = nullptr);
    /// \brief Deletes the button, unless the host already has.
    ~UxLineEditWithToolbutton() override;

Q_SIGNALS:
    /// \brief The button was clicked.
    void toolbuttonClicked();

protected:
    /// \brief Places the button at the right end and shows it.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    void enterEvent(QEnterEvent *event) override;
#else
    void enterEvent(QEvent *event) override;
#endif
    /// \brief Hides the button.
    void leaveEvent(QEvent *event) override;
    /// \brief Keeps the button at the right end.
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButton();

    QPointer<QToolButton> m_button; // a host may delete it through its object name
};

#endif // UXLINEEDITWITHTOOLBUTTON_H
