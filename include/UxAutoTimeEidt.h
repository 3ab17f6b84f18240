#ifndef UXAUTOTIMEEIDT_H
#define UXAUTOTIMEEIDT_H

#include "CommonCtrls.h"

#include <QTimeEdit>

// A time editor whose arrows, keys and wheel add whole units of the section under the
// cursor (a millisecond, second, minute or hour) to the time as a whole, so that 10:59
// plus a minute is 11:00. A step that would pass the bound in its direction is pulled
// back by whole units to the last time within it; a sum past midnight wraps and counts
// as the early time it is. Sections without a unit (AM/PM) do not step.
//
// A direction is enabled when one unit that way stays within the range; down never
// passes below midnight, up is tested on the wrapped sum. Read-only or disabled
// editors, and ranges whose maximum is not later than their minimum, do not step.
class COMMONCTRLS_EXPORT UxAutoTimeEidt : public QTimeEdit
{
    Q_OBJECT

public:
    explicit UxAutoTimeEidt(QWidget *parent = nullptr);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
};

#endif // UXAUTOTIMEEIDT_H
