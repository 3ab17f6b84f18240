#include "UxProductInfo.h"

UxProductInfo *UxProductInfo::instance()
{
    static UxProductInfo info;
    return &info;
}

QString UxProductInfo::extendParam(const QString &key, const QString &defaultValue) const
{
    return m_params.value(key, defaultValue);
}

void UxProductInfo::setExtendParam(const QString &key, const QString &value)
{
    m_params.insert(key, value);
}
