// The time editor stepped by fuzzed amounts in every section of fuzzed formats and
// ranges. A time that starts within the range stays within it; a step that does not pass
// midnight lands exactly on the requested time or, past the bound in its direction, on
// the last whole unit before it; any result that the editor's own range handling did not
// clamp differs from the start by whole units. A step that does not return is caught by
// the fuzzer's time-out.

#include "FuzzSupport.h"

#include <UxAutoTimeEidt.h>

#include <map>

namespace {

const int64_t kDay = 24 * 3600 * 1000;

// What one step of each section should move the time by, in ms; sections not listed
// do not step.
const std::map<QDateTimeEdit::Section, int64_t> kUnits = {
    {QDateTimeEdit::MSecSection, 1},
    {QDateTimeEdit::SecondSection, 1000},
    {QDateTimeEdit::MinuteSection, 60 * 1000},
    {QDateTimeEdit::HourSection, 3600 * 1000}};

int64_t unitOf(QDateTimeEdit::Section section)
{
    const auto unit = kUnits.find(section);
    return unit == kUnits.end() ? 0 : unit->second;
}

QTime readTime(fuzz::Reader &in)
{
    return QTime::fromMSecsSinceStartOfDay(int(in.u32() % uint32_t(kDay)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *formats[] = {"hh:mm:ss", "hh:mm:ss.zzz", "HH:mm", "mm:ss",
                                    "h:m:s ap", "ss.zzz",       "hh"};
    fuzz::Reader in(data, size);
    UxAutoTimeEidt edit;
    edit.setDisplayFormat(QString::fromLatin1(formats[in.u8() % 7]));
    for (int step = 0; step < 32 && !in.empty(); ++step) {
        const uint8_t op = in.u8();
        if (op % 4 == 0) {
            const QTime a = readTime(in);
            const QTime b = readTime(in);
            edit.setTimeRange(qMin(a, b), qMax(a, b));
        } else if (op % 4 == 1) {
            edit.setTime(readTime(in));
        }
        edit.setCurrentSectionIndex(in.range(0, qMax(0, edit.sectionCount() - 1)));
        const QTime min = edit.minimumTime();
        const QTime max = edit.maximumTime();
        const QTime before = edit.time();
        const int steps = in.anyInt();
        const int64_t unit = unitOf(edit.currentSection());
        edit.stepBy(steps);
        const QTime after = edit.time();
        const bool inRange = before >= min && before <= max;
        if (inRange && (after < min || after > max))
            fuzz::fail("stepBy left the range");
        const int64_t t = before.msecsSinceStartOfDay();
        const int64_t moved = after.msecsSinceStartOfDay() - t;
        if (unit != 0 && after != min && after != max && ((moved % unit) + unit) % unit != 0)
            fuzz::fail("stepBy moved by a part of a unit");
        const int64_t target = t + int64_t(steps) * unit;
        if (unit != 0 && inRange && max > min && target >= 0 && target < kDay) {
            int64_t expected = target;
            if (steps >= 1 && target > max.msecsSinceStartOfDay())
                expected = t + (max.msecsSinceStartOfDay() - t) / unit * unit;
            else if (steps <= 0 && target < min.msecsSinceStartOfDay())
                expected = t - (t - min.msecsSinceStartOfDay()) / unit * unit;
            if (after.msecsSinceStartOfDay() != expected)
                fuzz::fail("stepBy did not land on the last whole unit within the range");
        }
        if (unit == 0 && moved != 0)
            fuzz::fail("stepBy moved a time in a section that does not step");
        if (steps == 0 && moved != 0)
            fuzz::fail("stepBy(0) moved the time");
    }
    return 0;
}
