#ifndef UXDELEGATECOMBOBOX_H
#define UXDELEGATECOMBOBOX_H

#include "CommonCtrls.h"

#include <QComboBox>

/// \brief A combo box that emits hideCombox() when the pointer leaves it while its popup is
/// closed, so that a host can fold away a panel it opened for the combo box.
///
/// Leaving it for its own open popup emits nothing. It installs no delegate of its own;
/// UxComboboxViewItemDelegate is made for it.
class COMMONCTRLS_EXPORT UxDelegateComboBox : public QComboBox
{
    Q_OBJECT

public:
    /// \brief Creates the combo box as a child of parent, with QComboBox's defaults.
    explicit UxDelegateComboBox(QWidget *parent = nullptr);

    /// \brief Opens the popup; the pointer leaving for it emits nothing.
    void showPopup() override;
    /// \brief Closes the popup; leaving the combo box emits hideCombox() again.
    void hidePopup() override;

Q_SIGNALS:
    /// \brief The pointer left the combo box while its popup was closed.
    void hideCombox();

protected:
    /// \brief Emits hideCombox() unless the popup is open.
    void leaveEvent(QEvent *event) override;

private:
    bool m_popupOpen = false;
};

#endif // UXDELEGATECOMBOBOX_H
