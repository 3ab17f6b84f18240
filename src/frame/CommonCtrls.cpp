#include "CommonCtrls.h"

#include "UxNumeric.h"
#include "UxProductInfo.h"
#include "UxResourceMgr.h"

#include <QFile>
#include <QGuiApplication>

bool CommonCtrls::g_bMediaShowTooptip = true;

namespace {

// The host parameter "NoUserDpiChange" set to 1 keeps artwork at its own scale.
bool userZoomSwitchedOff()
{
    const QString text =
        UxProductInfo::instance()->extendParam(QStringLiteral("NoUserDpiChange"), QString());
    return text.toInt(nullptr, 10) == 1;
}

// 64-bit lengths: a QRect spanning most of int is wider than int.
int adjustLength(qint64 artworkLength, double zoom)
{
    return uxTruncToInt(double(artworkLength) * zoom * 0.5);
}

double applicationPixelRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

CommonCtrls::CommonCtrls() = default;

CommonCtrls &CommonCtrls::operator=(const CommonCtrls &)
{
    return *this;
}

double CommonCtrls::getDpi()
{
    if (userZoomSwitchedOff())
        return 1.0;
    return UxResourceMgr::getZoomDPI();
}

QSize CommonCtrls::SizeAdujstDpi(const QSize &size)
{
    if (userZoomSwitchedOff())
        return size;
    const double zoom = getDpi();
    return QSize(adjustLength(size.width(), zoom), adjustLength(size.height(), zoom));
}

QRect CommonCtrls::RectAdujstDpi(const QRect &rect)
{
    if (userZoomSwitchedOff())
        return rect;
    const double zoom = getDpi();
    return uxRectWithSize(rect.left(), rect.top(),
                          adjustLength(qint64(rect.right()) - rect.left() + 1, zoom),
                          adjustLength(qint64(rect.bottom()) - rect.top() + 1, zoom));
}

QMargins CommonCtrls::MarginsAdujstDpi(const QMargins &margins)
{
    if (userZoomSwitchedOff())
        return margins;
    const double zoom = getDpi();
    return QMargins(adjustLength(margins.left(), zoom), adjustLength(margins.top(), zoom),
                    adjustLength(margins.right(), zoom), adjustLength(margins.bottom(), zoom));
}

QString CommonCtrls::getImagePathByDpi(const QString &path)
{
    double unusedScale = 1.0;
    return getGifPath(path, unusedScale);
}

QString CommonCtrls::getGifPath(const QString &path, double &scale)
{
    QString candidate = path;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const double ratio = applicationPixelRatio();
    if (ratio > 1.0 && dot >= 1) {
        candidate.insert(dot, QStringLiteral("@2x"));
        scale = ratio;
    }
    if (QFile::exists(candidate))
        return candidate;
    scale = 1.0;
    return path;
}

QPixmap CommonCtrls::getPixmapFromString(const QString &path)
{
    if (!qGuiApp || path.isEmpty())
        return QPixmap(); // pixmaps need the application object; an empty path names nothing
    const QPixmap loaded(path);
    if (loaded.isNull())
        return QPixmap();
    const QRect target = RectAdujstDpi(loaded.rect());
    if (!uxPictureSizeFits(target.width(), target.height()))
        return QPixmap(); // nothing left to show, or past what any screen can show
    return loaded.scaled(target.width(), target.height(), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
}

QImage CommonCtrls::getImageFromString(const QString &path)
{
    return getPixmapFromString(path).toImage();
}
