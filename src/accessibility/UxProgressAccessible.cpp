#include "UxAccessibleBase.h"

#include "UxCircleProgressBar.h"
#include "UxProgressBar.h"

// The progress bar, read out with the text it paints ("12.34%").
class UxAccessibleProgressBar : public UxAccessibleValue
{
public:
    explicit UxAccessibleProgressBar(QWidget *widget)
        : UxAccessibleValue(widget, QAccessible::ProgressBar)
    {
    }

protected:
    const UxProgressBar &bar() const { return *static_cast<UxProgressBar *>(widget()); }
    int value() const override { return bar().value(); }
    Bounds bounds() const override { return {bar().minimum(), bar().maximum()}; }
    QString ownValue() const override { return bar().shownText(); }
};

// The circle, read out with its centred percentage.
class UxAccessibleCircle : public UxAccessibleValue
{
public:
    explicit UxAccessibleCircle(QWidget *widget)
        : UxAccessibleValue(widget, QAccessible::ProgressBar)
    {
    }

protected:
    const UxCircleProgressBar &circle() const
    {
        return *static_cast<UxCircleProgressBar *>(widget());
    }
    int value() const override { return circle().m_value; }
    Bounds bounds() const override { return {circle().m_minimum, circle().m_maximum}; }
    QString ownValue() const override { return circle().percentageText(); }
};

namespace {

const UxAccessibleKind kProgressKinds[] = {
    {"UxProgressBar", uxMakeAccessible<UxAccessibleProgressBar>},
    {"UxCircleProgressBar", uxMakeAccessible<UxAccessibleCircle>},
};

} // namespace

QAccessibleInterface *uxProgressAccessible(const QString &className, QWidget *widget)
{
    return uxAccessibleOfKind(kProgressKinds, className, widget);
}
