#ifndef UXSLIDER_H
#define UXSLIDER_H

#include "CommonCtrls.h"

#include <QSlider>

/// \brief A slider whose groove jumps: a left click off the handle moves the value straight
/// to the value under the mouse instead of paging towards it.
///
/// A press on the handle still starts the ordinary drag; keyboard, wheel and painting are
/// QSlider's. A range of exactly 2^31 is narrowed by one at its lower end, as Qt's styles
/// divide by zero on it.
class COMMONCTRLS_EXPORT UxSlider : public QSlider
{
    Q_OBJECT

public:
    /// \brief Creates the slider as a child of parent, with QSlider's defaults.
    explicit UxSlider(QWidget *parent = nullptr);

protected:
    /// \brief A left press off the handle sets the value under the mouse, after a
    /// SliderMove action; nothing when that is the current value.
    ///
    /// On the handle it starts the ordinary drag. Other buttons, and presses on a disabled
    /// slider, are QSlider's.
    void mousePressEvent(QMouseEvent *event) override;
    /// \brief QSlider's, then narrows a range of exactly 2^31 by one at its lower end.
    void sliderChange(SliderChange change) override;

    /// \brief Widget coordinate along the orientation to the value there, rounded and
    /// clamped into the range.
    ///
    /// The range is laid along the groove inset by half a handle at each end.
    int pixelPosToRangeValue(int pos) const;
    /// \brief Value to widget coordinate along the orientation, on the same inset groove;
    /// saturated at the int limits.
    int rangeValueToPixelPos(int value) const;
};

#endif // UXSLIDER_H
