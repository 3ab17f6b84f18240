#ifndef UXGEOMETRY_H
#define UXGEOMETRY_H

#include "frame/UxNumeric.h"

#include <QPoint>
#include <QWidget>

// QWidget::mapToGlobal and mapFromGlobal add the widget's offset in int, which wraps
// for points near the int limits (pixels of outer spaces near them, or a host's point).
// Such points lie far off any screen: there the offset is added in 64 bits and the sum
// saturated. Within the range widgets can occupy, Qt's own mapping is used.
inline bool uxWithinWidgetRange(const QPoint &p)
{
    const auto inside = [](int v) { return -QWIDGETSIZE_MAX <= v && v <= QWIDGETSIZE_MAX; };
    return inside(p.x()) && inside(p.y());
}

inline QPoint uxMapToGlobal(const QWidget &widget, const QPoint &p)
{
    if (uxWithinWidgetRange(p))
        return widget.mapToGlobal(p);
    const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
    return QPoint(uxSaturateToInt(qint64(p.x()) + origin.x()),
                  uxSaturateToInt(qint64(p.y()) + origin.y()));
}

inline QPoint uxMapFromGlobal(const QWidget &widget, const QPoint &p)
{
    if (uxWithinWidgetRange(p))
        return widget.mapFromGlobal(p);
    const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
    return QPoint(uxSaturateToInt(qint64(p.x()) - origin.x()),
                  uxSaturateToInt(qint64(p.y()) - origin.y()));
}

#endif // UXGEOMETRY_H
