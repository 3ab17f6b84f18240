#include "GalleryStyle.h"

#include <CommonCtrls.h>

#include <QFile>
#include <QRegularExpression>

QString artworkPath(const QString &name)
{
    return CommonCtrls::getImagePathByDpi(QStringLiteral(":/artwork/%1.png").arg(name));
}

QString expandStyleTemplate(const QString &styleTemplate)
{
    static const QRegularExpression macro(QStringLiteral("@(px|img|art)\\(([^)]*)\\)"));
    QString out;
    int last = 0;
    auto it = macro.globalMatch(styleTemplate);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += styleTemplate.mid(last, m.capturedStart() - last);
        const QString kind = m.captured(1);
        const QString argument = m.captured(2).trimmed();
        if (kind == QLatin1String("px")) {
            const int length = argument.toInt();
            out += QString::number(CommonCtrls::SizeAdujstDpi(QSize(length, length)).width());
        } else if (kind == QLatin1String("img")) {
            out += artworkPath(argument);
        } else {
            out += QStringLiteral(":/artwork/%1.png").arg(argument);
        }
        last = m.capturedEnd();
    }
    out += styleTemplate.mid(last);
    return out;
}

namespace {

QString resourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString galleryStyleSheet()
{
    return expandStyleTemplate(resourceText(QStringLiteral(":/gallery/gallery.qss")));
}

QString themeStyleSheet(const QString &theme)
{
    if (theme.isEmpty())
        return QString();
    return resourceText(QStringLiteral(":/gallery/theme-%1.qss").arg(theme));
}
