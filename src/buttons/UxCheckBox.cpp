#include "UxCheckBox.h"

#include "UxDisabledSkin.h"

UX_DISABLED_SKIN_MEMBERS(UxCheckBox, QCheckBox, UxDisabledSkin::kCheckable)

void UxCheckBox::paintEvent(QPaintEvent *event)
{
    QCheckBox::paintEvent(event);
    m_skin->paint(*this, text());
}
