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

// Helpers that bring artwork to the user interface's zoom factor.
//
// Artwork is drawn at twice its size at zoom 1.0, so every adjusted length is
// trunc(length * zoom * 0.5). The host parameter "NoUserDpiChange" set to 1 switches
// the scaling off. Nothing is cached: the zoom factor and the parameter are read
// from the host framework at every call.
class COMMONCTRLS_EXPORT CommonCtrls
{
public:
    CommonCtrls();
    CommonCtrls &operator=(const CommonCtrls &other);

    // The zoom factor, 1.0 meaning 100 %; 1.0 while scaling is switched off.
    static double getDpi();

    // Artwork lengths to screen lengths; returned unchanged while scaling is off.
    static QSize SizeAdujstDpi(const QSize &size);
    static QRect RectAdujstDpi(const QRect &rect); // keeps the top-left corner
    static QMargins MarginsAdujstDpi(const QMargins &margins);

    // The "@2x" variant of path when the device-pixel ratio is above 1 and that file
    // exists; path itself otherwise.
    static QString getImagePathByDpi(const QString &path);
    // As getImagePathByDpi; scale becomes the device-pixel ratio when the "@2x" file is
    // chosen, 1.0 when the chosen file does not exist, and is left alone otherwise.
    static QString getGifPath(const QString &path, double &scale);

    // Loads the file as named (no "@2x" lookup) and scales it to the zoom factor.
    // Null when the file does not load or scales to nothing.
    static QPixmap getPixmapFromString(const QString &path);
    static QImage getImageFromString(const QString &path);

    // Kept for the host: whether tooltips are shown for media items. Never read here.
    static bool g_bMediaShowTooptip;
};

#endif // COMMONCTRLS_H
