#include "uxToolButton.h"

#include "UxDisabledSkin.h"

namespace {

Qt::Alignment captionAlignment(int textAlign)
{
    switch (textAlign) {
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

UX_DISABLED_SKIN_MEMBERS(uxToolButton, QToolButton, UxDisabledSkin::kToolButton)

int uxToolButton::textAlign()
{
    return m_textAlign;
}

void uxToolButton::setTextAlign(int align)
{
    m_textAlign = align;
}

void uxToolButton::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    m_skin->paint(*this, text(), captionAlignment(m_textAlign));
}
