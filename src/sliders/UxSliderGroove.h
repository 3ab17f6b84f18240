#ifndef UXSLIDERGROOVE_H
#define UXSLIDERGROOVE_H

#include "UxSliderAxis.h"

#include <QMouseEvent>
#include <QSlider>
#include <QStyleOptionSlider>

// The presses a jumping groove may take for itself: left ones on an enabled slider.
inline bool uxIsLeftPress(const QSlider &slider, const QMouseEvent &event)
{
    return event.button() == Qt::LeftButton && slider.isEnabled();
}

// The groove and handle of a slider whose groove jumps, as its style lays them out for
// the given option, with the value range laid along the groove.
class UxSliderGroove
{
public:
    UxSliderGroove(const QSlider &slider, const QStyleOptionSlider &option)
        : m_rect(slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove,
                                                &slider))
        , m_handle(slider.style()->subControlRect(QStyle::CC_Slider, &option,
                                                  QStyle::SC_SliderHandle, &slider))
        , m_orientation(slider.orientation())
        , m_upsideDown(option.upsideDown)
    {
    }

    QRect rect() const { return m_rect; }
    QRect handle() const { return m_handle; }

    // The range inset at both ends by the given pixels.
    UxSliderAxis axis(int startInset, int endInset) const
    {
        return UxSliderAxis(m_rect, m_orientation, startInset, endInset, m_upsideDown);
    }

    // The range inset by half a handle at each end, so that the handle's middle is over
    // the value at every position.
    UxSliderAxis axisWithinHandle() const
    {
        const int halfHandle =
            (m_orientation == Qt::Horizontal ? m_handle.width() : m_handle.height()) / 2;
        return axis(halfHandle, halfHandle);
    }

    // A left press on an enabled slider off the handle jumps; any other press is the
    // slider's own, and one on the handle starts the ordinary drag.
    bool jumpsOn(const QSlider &slider, const QMouseEvent &event) const
    {
        return uxIsLeftPress(slider, event) && !m_handle.contains(event.pos());
    }

private:
    QRect m_rect;
    QRect m_handle;
    Qt::Orientation m_orientation;
    bool m_upsideDown;
};

// Sets a jump's target as a SliderMove action, unless the slider is there already.
inline void uxJumpTo(QAbstractSlider &slider, int target)
{
    if (target == slider.value())
        return;
    slider.triggerAction(QAbstractSlider::SliderMove);
    slider.setValue(target);
}

#endif // UXSLIDERGROOVE_H
