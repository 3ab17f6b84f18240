#include "UxAccessibleBase.h"

namespace {

// The library's classes get their interfaces from their subsystems. Qt asks for a widget's
// classes from the most derived one up, so a host's subclass gets the interface of the
// library class it extends. The buttons are missing on purpose: Qt's own interfaces give
// their caption (the one the disabled skin paints), their disabled state and their actions.
QAccessibleInterface *uxAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    QWidget *widget = static_cast<QWidget *>(object);
    for (auto subsystem : {uxSliderAccessible, uxProgressAccessible, uxVideoAccessible}) {
        if (QAccessibleInterface *iface = subsystem(className, widget))
            return iface;
    }
    return nullptr;
}

} // namespace

void uxInstallAccessibleFactory()
{
    QAccessible::removeFactory(uxAccessibleFactory);
    QAccessible::installFactory(uxAccessibleFactory);
}

Q_COREAPP_STARTUP_FUNCTION(uxInstallAccessibleFactory)
