#ifndef UXSLIDER_H
#define UXSLIDER_H

#include "CommonCtrls.h"

#include <QSlider>

// A slider whose groove jumps: a left click off the handle moves the value straight to
// the value under the mouse instead of paging towards it. A press on the handle still
// starts the ordinary drag; keyboard, wheel and painting are QSlider's.
class COMMONCTRLS_EXPORT UxSlider : public QSlider
{
    Q_OBJECT

public:
    explicit UxSlider(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void sliderChange(SliderChange change) override;

    // Widget coordinate along the orientation to value, and back. The range is laid
    // along the groove inset by half a handle at each end.
    int pixelPosToRangeValue(int pos) const;
    int rangeValueToPixelPos(int value) const;
};

#endif // UXSLIDER_H
