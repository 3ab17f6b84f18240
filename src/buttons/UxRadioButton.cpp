#include "UxRadioButton.h"

#include "UxDisabledSkin.h"

UX_DISABLED_SKIN_MEMBERS(UxRadioButton, QRadioButton, UxDisabledSkin::kCheckable)

void UxRadioButton::paintEvent(QPaintEvent *event)
{
    QRadioButton::paintEvent(event);
    m_skin->paint(*this, text());
}
