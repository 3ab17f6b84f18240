#ifndef UXACCESSIBLEBASE_H
#define UXACCESSIBLEBASE_H

#include "frame/UxAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QWidget>

#include <cmath>

// The bases of the library's accessibility interfaces and the factory's table of classes.
// This layer sits above the widget subsystems: each subsystem's interfaces (one file per
// subsystem in this folder) read its widgets, and the factory asks every subsystem in turn.

// The interfaces of one subsystem's widgets, by class name: null for a class or object
// that the subsystem does not describe. The factory asks each subsystem in turn.
QAccessibleInterface *uxSliderAccessible(const QString &className, QWidget *widget);
QAccessibleInterface *uxProgressAccessible(const QString &className, QWidget *widget);
QAccessibleInterface *uxVideoAccessible(const QString &className, QWidget *widget);

// A subsystem's classes by name and how to make their interfaces.
struct UxAccessibleKind
{
    const char *className;
    QAccessibleInterface *(*make)(QWidget *);
};

template <typename Interface>
QAccessibleInterface *uxMakeAccessible(QWidget *widget)
{
    return new Interface(widget);
}

template <size_t N>
QAccessibleInterface *uxAccessibleOfKind(const UxAccessibleKind (&kinds)[N],
                                         const QString &className, QWidget *widget)
{
    for (const UxAccessibleKind &kind : kinds) {
        if (className == QLatin1String(kind.className))
            return kind.make(widget);
    }
    return nullptr;
}

// The context of the texts that assistive tools read out.
struct UxAccessible
{
    Q_DECLARE_TR_FUNCTIONS(UxAccessible)
};

// Qt's widget interface with the library's own name, description and value text; the
// name and description that a host sets on the widget win over the library's.
class UxAccessibleWidget : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QString text(QAccessible::Text t) const override
    {
        QString own;
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            own = ownName();
        else if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            own = ownDescription();
        else if (t == QAccessible::Value)
            own = ownValue();
        return own.isEmpty() ? QAccessibleWidget::text(t) : own;
    }

protected:
    virtual QString ownName() const { return QString(); }
    virtual QString ownDescription() const { return QString(); }
    virtual QString ownValue() const { return QString(); }
};

// A widget that shows one number: its value and bounds through the value interface, and
// the text the widget shows as the value text.
class UxAccessibleValue : public UxAccessibleWidget, public QAccessibleValueInterface
{
public:
    using UxAccessibleWidget::UxAccessibleWidget;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return UxAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return value(); }
    QVariant minimumValue() const override { return bounds().first; }
    QVariant maximumValue() const override { return bounds().second; }
    QVariant minimumStepSize() const override { return step(); }
    // A value from an assistive tool is clamped into the bounds; one that is no number,
    // or one for a disabled widget, is ignored.
    void setCurrentValue(const QVariant &requested) override
    {
        bool isNumber = false;
        const double wanted = requested.toDouble(&isNumber);
        const Bounds b = bounds();
        if (isNumber && !std::isnan(wanted) && widget()->isEnabled() && b.first <= b.second)
            applyValue(int(qBound<double>(b.first, wanted, b.second)));
    }

protected:
    using Bounds = QPair<int, int>;

    virtual int value() const = 0;
    virtual Bounds bounds() const = 0;
    virtual int step() const { return 0; } // 0: the tool cannot set the value
    virtual void applyValue(int) {}
    QString ownValue() const override { return QString::number(value()); }
};

#endif // UXACCESSIBLEBASE_H
