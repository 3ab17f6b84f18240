#include "UxSlider.h"

#include "UxSliderGroove.h"

#include <QMouseEvent>
#include <QStyleOptionSlider>

UxSlider::UxSlider(QWidget *parent)
    : QSlider(parent)
{
}

int UxSlider::pixelPosToRangeValue(int pos) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return UxSliderGroove(*this, option).axisWithinHandle().valueAt(pos, minimum(), maximum());
}

int UxSlider::rangeValueToPixelPos(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return UxSliderGroove(*this, option).axisWithinHandle().pixelOf(value, minimum(), maximum());
}

void UxSlider::mousePressEvent(QMouseEvent *event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const UxSliderGroove groove(*this, option);
    if (!groove.jumpsOn(*this, *event)) {
        QSlider::mousePressEvent(event);
        return;
    }
    const UxSliderAxis axis = groove.axisWithinHandle();
    uxJumpTo(*this, axis.valueAt(axis.along(event->pos()), minimum(), maximum()));
}

void UxSlider::sliderChange(SliderChange change)
{
    QSlider::sliderChange(change);
    if (change == SliderRangeChange)
        uxNarrowHalfIntRange(*this);
}
