#include "UxDelegateComboBox.h"

UxDelegateComboBox::UxDelegateComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void UxDelegateComboBox::showPopup()
{
    m_popupOpen = true; // set first: opening the popup makes the pointer leave
    QComboBox::showPopup();
}

void UxDelegateComboBox::hidePopup()
{
    m_popupOpen = false;
    QComboBox::hidePopup();
}

void UxDelegateComboBox::leaveEvent(QEvent *event)
{
    QComboBox::leaveEvent(event);
    if (!m_popupOpen)
        Q_EMIT hideCombox();
}
