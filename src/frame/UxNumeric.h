#ifndef UXNUMERIC_H
#define UXNUMERIC_H

#include <QRect>
#include <QWidget>
#include <QtGlobal>

#include <cmath>
#include <limits>

// Geometry is computed in double and brought back to int by truncation toward zero.
// A plain cast is undefined for NaN and for values outside int, which bad input (a
// zoom of 1e300, a zero-sized frame) can produce; this saturates instead.
inline int uxTruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

inline int uxSaturateToInt(qint64 value)
{
    return static_cast<int>(qBound(qint64(std::numeric_limits<int>::min()), value,
                                   qint64(std::numeric_limits<int>::max())));
}

// A rectangle of the given size whose right and bottom edges (left + width - 1) are
// saturated rather than overflowed; exact whenever the edges fit in int.
inline QRect uxRectWithSize(int left, int top, int width, int height)
{
    return QRect(QPoint(left, top), QPoint(uxSaturateToInt(qint64(left) + width - 1),
                                           uxSaturateToInt(qint64(top) + height - 1)));
}

// Widget coordinates never leave +-QWIDGETSIZE_MAX; clamping to it keeps sums such as
// QRect's right edge (x + width - 1) inside int whatever a property text held.
inline int uxClampCoordinate(qint64 value)
{
    return static_cast<int>(qBound(qint64(-QWIDGETSIZE_MAX), value, qint64(QWIDGETSIZE_MAX)));
}

inline QRect uxRect(qint64 x, qint64 y, qint64 width, qint64 height)
{
    return QRect(uxClampCoordinate(x), uxClampCoordinate(y), uxClampCoordinate(width),
                 uxClampCoordinate(height));
}

// The largest picture the library scales or draws scaled. Qt's raster engine steps
// through a scaled picture in 16.16 fixed point, which holds sides below 32768, and no
// widget needs more than two 8K screens' worth of pixels (64 megapixels, 256 MB at 32
// bits a pixel). Sizes past this come from a runaway zoom factor; scaling to them would
// overflow inside Qt's scaler or allocate gigabytes.
inline bool uxPictureSizeFits(qint64 width, qint64 height)
{
    return 0 < width && width <= 16384 && 0 < height && height <= 16384 &&
           width * height <= (qint64(1) << 26);
}

#endif // UXNUMERIC_H
