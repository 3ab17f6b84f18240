#ifndef UXPRODUCTINFO_H
#define UXPRODUCTINFO_H

#include "CommonCtrls.h"

#include <QHash>
#include <QString>

/// \brief Stand-in for the host framework's product information: named text parameters.
///
/// Built into the library with COMMONCTRLS_HOST_STANDIN (the default); a host that has
/// its own implementation switches that option off and links its own. The library reads
/// one parameter, "NoUserDpiChange": the value 1 switches zoom scaling off (see
/// CommonCtrls).
class COMMONCTRLS_EXPORT UxProductInfo
{
public:
    /// \brief The process's one object; never null.
    static UxProductInfo *instance();

    /// \brief The parameter's text, or defaultValue when the key was never set.
    QString extendParam(const QString &key, const QString &defaultValue) const;
    /// \brief Sets the parameter key to value, replacing an earlier value.
    void setExtendParam(const QString &key, const QString &value);

private:
    UxProductInfo() = default;
    Q_DISABLE_COPY(UxProductInfo)

    QHash<QString, QString> m_params;
};

#endif // UXPRODUCTINFO_H
