#ifndef UXAUTOTIMEEIDT_H
#define UXAUTOTIMEEIDT_H

#include "CommonCtrls.h"

#include <QTimeEdit>

/// \brief A time editor whose arrows, keys and wheel add whole units of the section under the
/// cursor (a millisecond, second, minute or hour) to the time as a whole, so that 10:59
/// plus a minute is 11:00.
///
/// A step that would pass the bound in its direction is pulled back by whole units to the
/// last time within it; a sum past midnight wraps and counts as the early time it is.
/// Sections without a unit (AM/PM) do not step.
///
/// A direction is enabled when one unit that way stays within the range; down never
/// passes below midnight, up is tested on the wrapped sum. Read-only or disabled
/// editors, and ranges whose maximum is not later than their minimum, do not step.
class COMMONCTRLS_EXPORT UxAutoTimeEidt : public QTimeEdit
{
    Q_OBJECT

public:
    /// \brief Creates the editor as a child of parent, with QTimeEdit's defaults.
    explicit UxAutoTimeEidt(QWidget *parent = nullptr);

    /// \brief Adds steps whole units of the section under the cursor to the time (negative
    /// steps subtract), pulled back by whole units to the last time within the range.
    ///
    /// Any count is taken, also one that spans days. Does nothing when the editor is
    /// read-only or disabled, the section has no unit, or the range's maximum is not later
    /// than its minimum.
    void stepBy(int steps) override;

protected:
    /// \brief Up while one unit more stays within the range; down while one unit less stays
    /// within it without passing below midnight; neither in the cases where stepBy() does
    /// nothing.
    StepEnabled stepEnabled() const override;
};

#endif // UXAUTOTIMEEIDT_H
