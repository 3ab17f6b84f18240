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
