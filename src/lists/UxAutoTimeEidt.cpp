#include "UxAutoTimeEidt.h"

namespace {

const qint64 kDay = 24 * 3600 * 1000; // ms; QTime wraps modulo one day

// The section's unit in ms; 0 for sections that do not step.
qint64 unitOf(QDateTimeEdit::Section section)
{
    switch (section) {
    case QDateTimeEdit::MSecSection:
        return 1;
    case QDateTimeEdit::SecondSection:
        return 1000;
    case QDateTimeEdit::MinuteSection:
        return 60 * 1000;
    case QDateTimeEdit::HourSection:
        return 3600 * 1000;
    default:
        return 0;
    }
}

// Of the step counts k = steps, steps - 1, ..., 0 the first whose sum t + k * unit,
// wrapped to a time of day, is not later than bound. The sum depends on k only modulo
// the units in a day and k = 0 always qualifies (t <= bound), so steps can be reduced
// to that period first; within it the sums pass midnight at most once, and both runs
// of sums grow with k, so each run's last qualifying k is a division.
qint64 lastStepWithin(qint64 t, qint64 steps, qint64 unit, qint64 bound)
{
    const qint64 k = steps % (kDay / unit);
    const qint64 unwrappedLast = qMax<qint64>(0, (bound - t) / unit);
    const qint64 firstWrapped = (kDay - t + unit - 1) / unit;
    if (k < firstWrapped)
        return qMin(k, unwrappedLast);
    const qint64 wrappedLast = (bound + kDay - t) / unit;
    if (wrappedLast >= firstWrapped)
        return qMin(k, wrappedLast);
    return qMin(firstWrapped - 1, unwrappedLast);
}

qint64 msOf(const QTime &time)
{
    return time.msecsSinceStartOfDay();
}

QTime timeAt(qint64 ms)
{
    return QTime::fromMSecsSinceStartOfDay(int(((ms % kDay) + kDay) % kDay));
}

} // namespace

UxAutoTimeEidt::UxAutoTimeEidt(QWidget *parent)
    : QTimeEdit(parent)
{
}

void UxAutoTimeEidt::stepBy(int steps)
{
    if (isReadOnly() || !isEnabled())
        return;
    const QTime min = minimumTime();
    const QTime max = maximumTime();
    const qint64 unit = unitOf(currentSection());
    if (!(max > min) || unit == 0)
        return;
    const qint64 t = msOf(time());
    if (steps >= 1) {
        setTime(timeAt(t + lastStepWithin(t, steps, unit, msOf(max)) * unit));
    } else {
        // Mirrored through the day: going back from t towards min is going forward from
        // the mirrored t towards the mirrored min.
        const qint64 last = kDay - 1;
        const qint64 k = lastStepWithin(last - t, -qint64(steps), unit, last - msOf(min));
        setTime(timeAt(t - k * unit));
    }
}

// Qt asks for this at every paint; each bound is read once, as reading them is not free.
QAbstractSpinBox::StepEnabled UxAutoTimeEidt::stepEnabled() const
{
    if (isReadOnly() || !isEnabled())
        return StepNone;
    const qint64 unit = unitOf(currentSection());
    if (unit == 0)
        return StepNone;
    const QTime min = minimumTime();
    const QTime max = maximumTime();
    if (!(max > min))
        return StepNone;
    const qint64 t = msOf(time());
    StepEnabled enabled = StepNone;
    if (!(timeAt(t + unit) > max))
        enabled |= StepUpEnabled;
    // Down stops at midnight rather than wrapping to the evening.
    if (t >= unit && !(timeAt(t - unit) < min))
        enabled |= StepDownEnabled;
    return enabled;
}
