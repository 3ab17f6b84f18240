#include "UxAccessibleBase.h"

#include "UxPlaySeekingBar.h"
#include "UxTrimSeekingBar.h"
#include "frame/UxNumeric.h"

// The seek bar: a slider that also tells the part of the media in play.
class UxAccessibleSeekBar : public UxAccessibleValue
{
public:
    explicit UxAccessibleSeekBar(QWidget *widget)
        : UxAccessibleValue(widget, QAccessible::Slider)
    {
    }

protected:
    UxPlaySeekingBar &bar() const { return *static_cast<UxPlaySeekingBar *>(widget()); }
    int value() const override { return bar().value(); }
    Bounds bounds() const override { return {bar().minimum(), bar().maximum()}; }
    int step() const override { return bar().singleStep(); }
    void applyValue(int value) override { bar().setValue(value); }
    // The usable range, then the chapters, each as its start value and its title.
    QString ownDescription() const override
    {
        QString description = UxAccessible::tr("Usable from %1 to %2")
                                  .arg(bar().minUsablePos())
                                  .arg(bar().maxUsablePos());
        const QList<int> chapters = bar().chapters();
        if (chapters.isEmpty())
            return description;
        const QStringList titles = bar().chapterTitles();
        QStringList named;
        for (int i = 0; i < chapters.size(); ++i)
            named << (titles.at(i).isEmpty()
                          ? QString::number(chapters.at(i))
                          : QStringLiteral("%1 %2").arg(chapters.at(i)).arg(titles.at(i)));
        return description + QLatin1String("; ") +
               UxAccessible::tr("chapters: %1").arg(named.join(QLatin1String(", ")));
    }
};

// A trim handle: a slider for its trim point, bounded by the range and by the minimum trim
// length from the other point. A value set by an assistive tool moves the point as a key
// does and is reported as a drag's release is.
class UxAccessibleTrimHandle : public UxAccessibleValue
{
public:
    explicit UxAccessibleTrimHandle(QWidget *widget)
        : UxAccessibleValue(widget, QAccessible::Slider)
    {
    }

    static bool describes(const QObject *object)
    {
        const auto *trimBar = qobject_cast<const UxTrimSeekingBar *>(object->parent());
        return trimBar && (object == &trimBar->m_startButton || object == &trimBar->m_endButton);
    }

protected:
    UxTrimSeekingBar &bar() const { return *static_cast<UxTrimSeekingBar *>(widget()->parent()); }
    QToolButton &handle() const { return *static_cast<QToolButton *>(widget()); }
    bool isStart() const { return widget() == &bar().m_startButton; }
    int value() const override { return isStart() ? bar().trimStart() : bar().trimEnd(); }
    // Points that a host placed too close together leave a handle no room: its bounds
    // are then its value.
    Bounds bounds() const override
    {
        const auto limits = bar().limitsOf(handle());
        if (limits.low > limits.high)
            return {value(), value()};
        return {uxSaturateToInt(limits.low), uxSaturateToInt(limits.high)};
    }
    int step() const override { return bar().m_playBar.singleStep(); }
    void applyValue(int value) override
    {
        if (bar().moveTrimPoint(handle(), value))
            bar().reportTrimPoint(handle());
    }
    QString ownName() const override
    {
        return isStart() ? UxAccessible::tr("Trim start") : UxAccessible::tr("Trim end");
    }
};

namespace {

const UxAccessibleKind kSliderKinds[] = {
    {"UxPlaySeekingBar", uxMakeAccessible<UxAccessibleSeekBar>},
    {"UxTrimSeekingBar",
     [](QWidget *widget) -> QAccessibleInterface * {
         return new QAccessibleWidget(widget, QAccessible::Grouping);
     }},
};

} // namespace

// The trim handles are plain tool buttons, known by their place in a trim bar.
QAccessibleInterface *uxSliderAccessible(const QString &className, QWidget *widget)
{
    if (className == QLatin1String("QToolButton") && UxAccessibleTrimHandle::describes(widget))
        return new UxAccessibleTrimHandle(widget);
    return uxAccessibleOfKind(kSliderKinds, className, widget);
}
