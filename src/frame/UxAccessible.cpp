#include "UxAccessible.h"

void uxAccessibleNotify(QObject *object, QAccessible::Event change, int child)
{
    if (!object || !QAccessible::isActive())
        return;
    QAccessibleEvent event(object, change);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void uxAccessibleValueChanged(QObject *object, const QVariant &value)
{
    if (!object || !QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(object, value);
    QAccessible::updateAccessibility(&event);
}
