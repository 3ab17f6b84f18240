#ifndef UXCIRCLEARC_H
#define UXCIRCLEARC_H

#include <QtGlobal>

// The sector that shows value in minimum..maximum, in sixteenths of a degree as
// QPainter::drawPie takes them: it ends at twelve o'clock and grows clockwise. Once it
// is wider than a quarter turn its start is given as 450 degrees minus the span, so
// that it stays positive. Worked in 64 bits: ranges of any width give the right sector.
inline void uxCircleArc(int value, int minimum, int maximum, int &startAngle, int &spanAngle)
{
    const qint64 fullTurn = 5760;
    startAngle = 0;
    spanAngle = 0;
    const qint64 clamped = value < minimum ? minimum : (value > maximum ? maximum : value);
    if (clamped <= minimum)
        return;
    const qint64 length = qint64(maximum) - minimum;
    spanAngle = int((clamped - minimum) * fullTurn / length);
    const bool pastQuarter = clamped > length / 4 + minimum;
    startAngle = (pastQuarter ? 7200 : 1440) - spanAngle;
}

#endif // UXCIRCLEARC_H
