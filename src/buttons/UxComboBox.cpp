#include "UxComboBox.h"

#include "UxDisabledSkin.h"

const int UxComboBox::stdDPI;

UX_DISABLED_SKIN_MEMBERS(UxComboBox, QComboBox, UxDisabledSkin::kComboBox, stdDPI)

void UxComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    m_skin->paint(*this, currentText());
}
