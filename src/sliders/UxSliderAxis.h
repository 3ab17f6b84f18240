#ifndef UXSLIDERAXIS_H
#define UXSLIDERAXIS_H

#include <QPoint>
#include <QRect>
#include <QStyle>

// A slider's value range laid along its groove, inset at both ends: the click-to-
// position slider insets it by half a handle, the seeking bar by its outer spaces.
// Positions are widget coordinates along the slider's orientation.
class UxSliderAxis
{
public:
    UxSliderAxis(const QRect &groove, Qt::Orientation orientation, int startInset, int endInset,
                 bool upsideDown)
        : m_horizontal(orientation == Qt::Horizontal)
        , m_upsideDown(upsideDown)
    {
        const int grooveStart = m_horizontal ? groove.left() : groove.top();
        const int grooveEnd = m_horizontal ? groove.right() : groove.bottom();
        m_start = grooveStart + startInset;
        m_span = (grooveEnd - endInset + 1) - m_start;
    }

    int along(const QPoint &p) const { return m_horizontal ? p.x() : p.y(); }

    // Rounds to the nearest value and clamps into the range; a span of 0 or less gives
    // an end of the range, as QStyle does.
    int valueAt(int pos, int minimum, int maximum) const
    {
        return QStyle::sliderValueFromPosition(minimum, maximum, pos - m_start, m_span,
                                               m_upsideDown);
    }

    int pixelOf(int value, int minimum, int maximum) const
    {
        return m_start +
               QStyle::sliderPositionFromValue(minimum, maximum, value, m_span, m_upsideDown);
    }

private:
    bool m_horizontal;
    bool m_upsideDown;
    int m_start = 0;
    int m_span = 0;
};

#endif // UXSLIDERAXIS_H
