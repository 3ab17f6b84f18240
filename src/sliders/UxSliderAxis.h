#ifndef UXSLIDERAXIS_H
#define UXSLIDERAXIS_H

#include "frame/UxGeometry.h"
#include "frame/UxNumeric.h"

#include <QAbstractSlider>
#include <QPoint>
#include <QRect>
#include <QStyle>
#include <QWidget>

#include <cmath>

// A slider's value range laid along its groove, inset at both ends: the click-to-
// position slider insets it by half a handle, the seeking bar by its outer spaces.
// Positions are widget coordinates along the slider's orientation. Insets come from
// property texts and may lie anywhere in int, so the range's start and span are held
// in 64 bits and pixels saturate at the int limits.
class UxSliderAxis
{
public:
    UxSliderAxis(const QRect &groove, Qt::Orientation orientation, int startInset, int endInset,
                 bool upsideDown)
        : m_horizontal(orientation == Qt::Horizontal)
        , m_upsideDown(upsideDown)
    {
        const qint64 grooveStart = m_horizontal ? groove.left() : groove.top();
        const qint64 grooveEnd = m_horizontal ? groove.right() : groove.bottom();
        m_start = grooveStart + startInset;
        m_span = (grooveEnd - endInset + 1) - m_start;
    }

    int along(const QPoint &p) const { return m_horizontal ? p.x() : p.y(); }

    // Rounds to the nearest value and clamps into the range; a span of 0 or less gives
    // an end of the range, as QStyle does.
    int valueAt(qint64 pos, int minimum, int maximum) const
    {
        const qint64 offset = pos - m_start;
        if (m_span <= 0 || offset <= 0)
            return m_upsideDown ? maximum : minimum;
        if (offset >= m_span)
            return m_upsideDown ? minimum : maximum;
        if (m_span <= std::numeric_limits<int>::max())
            return QStyle::sliderValueFromPosition(minimum, maximum, int(offset), int(m_span),
                                                   m_upsideDown);
        // Only negative outer spaces near INT_MIN make the span wider than int.
        const qint64 steps =
            qint64(std::floor(double(offset) * (qint64(maximum) - minimum) / m_span + 0.5));
        return int(m_upsideDown ? maximum - steps : minimum + steps);
    }

    int pixelOf(int value, int minimum, int maximum) const
    {
        qint64 position = 0;
        if (m_span <= std::numeric_limits<int>::max()) {
            position =
                QStyle::sliderPositionFromValue(minimum, maximum, value, int(m_span), m_upsideDown);
        } else if (minimum < maximum && minimum <= value) { // as QStyle, wider than int
            const qint64 step = qMin(value, maximum) - qint64(minimum);
            const qint64 p = m_upsideDown ? qint64(maximum) - minimum - step : step;
            position = qint64(double(p) * m_span / (qint64(maximum) - minimum));
        }
        return uxSaturateToInt(m_start + position);
    }

private:
    bool m_horizontal;
    bool m_upsideDown;
    qint64 m_start = 0;
    qint64 m_span = 0;
};

// Qt's styles place a slider's handle by dividing by twice its range as an unsigned
// int, which is zero for a range of exactly 2^31 (INT_MIN to 0, -1 to INT_MAX): the
// next paint, hover or press would crash the application. Such a range is narrowed by
// one at its lower end, which no pixel of any screen can show.
inline void uxNarrowHalfIntRange(QAbstractSlider &slider)
{
    if (qint64(slider.maximum()) - slider.minimum() == (qint64(1) << 31))
        slider.setMinimum(slider.minimum() + 1);
}

#endif // UXSLIDERAXIS_H
