#include "UxPackedText.h"

UxPackedText::UxPackedText(const QString &text, QChar separator)
    : m_parts(text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive))
{
}

QString UxPackedText::part(int index) const
{
    return m_parts.value(index);
}

int UxPackedText::number(int index) const
{
    return part(index).toInt(nullptr, 10);
}

bool UxPackedText::readMargins(const QString &text, QMargins *margins)
{
    const UxPackedText parts(text);
    if (parts.count() != 4)
        return false;
    *margins = QMargins(parts.number(3), parts.number(0), parts.number(1), parts.number(2));
    return true;
}
