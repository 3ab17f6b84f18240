#ifndef UXDELEGATECOMBOBOX_H
#define UXDELEGATECOMBOBOX_H

#include "CommonCtrls.h"

#include <QComboBox>

// A combo box that emits hideCombox() when the pointer leaves it while its popup is
// closed, so that a host can fold away a panel it opened for the combo box. Leaving
// it for its own open popup emits nothing. It installs no delegate of its own.
class COMMONCTRLS_EXPORT UxDelegateComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit UxDelegateComboBox(QWidget *parent = nullptr);

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    void hideCombox();

protected:
    void leaveEvent(QEvent *event) override;

private:
    bool m_popupOpen = false;
};

#endif // UXDELEGATECOMBOBOX_H
