#ifndef UXPRODUCTINFO_H
#define UXPRODUCTINFO_H

#include "CommonCtrls.h"

#include <QHash>
#include <QString>

// Stand-in for the host framework's product information: named text parameters.
// Built into the library with COMMONCTRLS_HOST_STANDIN (the default); a host that has
// its own implementation switches that option off and links its own.
class COMMONCTRLS_EXPORT UxProductInfo
{
public:
    static UxProductInfo *instance(); // never null; one object per process

    // The parameter's text, or defaultValue when the key was never set.
    QString extendParam(const QString &key, const QString &defaultValue) const;
    void setExtendParam(const QString &key, const QString &value);

private:
    UxProductInfo() = default;
    Q_DISABLE_COPY(UxProductInfo)

    QHash<QString, QString> m_params;
};

#endif // UXPRODUCTINFO_H
