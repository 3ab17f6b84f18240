#include "UxPushButton.h"

#include "UxDisabledSkin.h"

const int UxPushButton::stdDPI;

UX_DISABLED_SKIN_MEMBERS(UxPushButton, QPushButton, UxDisabledSkin::kPushButton, stdDPI)

void UxPushButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    m_skin->paint(*this, text());
}
