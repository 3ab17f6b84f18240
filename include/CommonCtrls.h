#ifndef COMMONCTRLS_H
#define COMMONCTRLS_H

#include <QImage>
#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

// COMMONCTRLS_LIBRARY is defined while the library itself is compiled; hosts import.
#if defined(COMMONCTRLS_STATIC)
#define COMMONCTRLS_EXPORT
#elif defined(COMMONCTRLS_LIBRARY)
#define COMMONCTRLS_EXPORT Q_DECL_EXPORT
#else
#define COMMONCTRLS_EXPORT Q_DECL_IMPORT
#endif

/// \brief Static helpers that bring artwork to the user interface's zoom factor.
///
/// Artwork is drawn at twice its size at zoom 1.0, so every adjusted length is
/// trunc(length * zoom * 0.5): 20 becomes 10 at 100 %, 12 at 125 %, 15 at 150 % and 20 at
/// 200 %. The host parameter "NoUserDpiChange" set to 1 switches the scaling off. Nothing is
/// cached: the zoom factor (UxResourceMgr::getZoomDPI()) and the parameter
/// (UxProductInfo::extendParam()) are read from the host framework at every call. Lengths
/// that leave the int range saturate instead of overflowing.
class COMMONCTRLS_EXPORT CommonCtrls
{
public:
    /// \brief Does nothing: every helper is static.
    CommonCtrls();
    /// \brief Does nothing and returns this object: there is no state to copy.
    CommonCtrls &operator=(const CommonCtrls &other);

    /// \brief The zoom factor, 1.0 meaning 100 %; 1.0 while scaling is switched off.
    ///
    /// Returned as the host framework gives it, without a range check.
    static double getDpi();

    /// \brief An artwork size in screen pixels: each side trunc(side * zoom * 0.5).
    ///
    /// Returned unchanged while scaling is off.
    static QSize SizeAdujstDpi(const QSize &size);
    /// \brief An artwork rectangle in screen pixels: the top-left corner is kept, width and
    /// height take the zoom rule.
    ///
    /// Right and bottom edges saturate at the int limits. Returned unchanged while scaling
    /// is off.
    static QRect RectAdujstDpi(const QRect &rect);
    /// \brief Artwork margins in screen pixels: each of the four takes the zoom rule.
    ///
    /// Returned unchanged while scaling is off.
    static QMargins MarginsAdujstDpi(const QMargins &margins);

    /// \brief The "@2x" variant of path when the device-pixel ratio is above 1 and that file
    /// exists; path itself otherwise.
    ///
    /// "@2x" goes before the last dot ("skin/ok.png" gives "skin/ok@2x.png"); a path without
    /// a dot after its first character has no variant. The ratio is the application's
    /// (QGuiApplication::devicePixelRatio()), 1.0 without an application object. Use it when
    /// building style sheets: the image properties load their path as named.
    static QString getImagePathByDpi(const QString &path);
    /// \brief As getImagePathByDpi(), also telling the chosen file's scale.
    ///
    /// scale becomes the device-pixel ratio when the "@2x" file is chosen and 1.0 when an
    /// "@2x" file was looked for and is missing; otherwise it is 1.0 when path does not exist
    /// and left alone when it does.
    static QString getGifPath(const QString &path, double &scale);

    /// \brief Loads the file as named (no "@2x" lookup) and scales it smoothly to the zoom
    /// factor, each side by the zoom rule.
    ///
    /// Null when there is no application object, the path is empty, the file does not load,
    /// or the scaled picture would be empty or larger than 16384 pixels a side or 64
    /// megapixels (a runaway zoom factor).
    static QPixmap getPixmapFromString(const QString &path);
    /// \brief As getPixmapFromString(), as an image; null in the same cases.
    static QImage getImageFromString(const QString &path);

    /// \brief Kept for the host: whether tooltips are shown for media items.
    ///
    /// true until the host changes it; the library never reads it.
    static bool g_bMediaShowTooptip;
};

#endif // COMMONCTRLS_H
