#include "UxSlider.h"

#include "UxSliderAxis.h"

#include <QMouseEvent>
#include <QStyleOptionSlider>

namespace {

struct Geometry
{
    QRect groove;
    QRect handle;
    bool upsideDown;
};

Geometry geometryOf(const QSlider &slider, const QStyleOptionSlider &option)
{
    QStyle *style = slider.style();
    return {style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider),
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider),
            option.upsideDown};
}

UxSliderAxis axisOf(const QSlider &slider, const Geometry &g)
{
    const bool horizontal = slider.orientation() == Qt::Horizontal;
    const int halfHandle = (horizontal ? g.handle.width() : g.handle.height()) / 2;
    return UxSliderAxis(g.groove, slider.orientation(), halfHandle, halfHandle, g.upsideDown);
}

} // namespace

UxSlider::UxSlider(QWidget *parent)
    : QSlider(parent)
{
}

int UxSlider::pixelPosToRangeValue(int pos) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return axisOf(*this, geometryOf(*this, option)).valueAt(pos, minimum(), maximum());
}

int UxSlider::rangeValueToPixelPos(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return axisOf(*this, geometryOf(*this, option)).pixelOf(value, minimum(), maximum());
}

void UxSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QSlider::mousePressEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const Geometry g = geometryOf(*this, option);
    if (g.handle.contains(event->pos())) {
        QSlider::mousePressEvent(event); // the ordinary drag
        return;
    }
    const UxSliderAxis axis = axisOf(*this, g);
    const int target = axis.valueAt(axis.along(event->pos()), minimum(), maximum());
    if (target == value())
        return;
    triggerAction(QAbstractSlider::SliderMove);
    setValue(target);
}

void UxSlider::sliderChange(SliderChange change)
{
    QSlider::sliderChange(change);
    if (change == SliderRangeChange)
        uxNarrowHalfIntRange(*this);
}
