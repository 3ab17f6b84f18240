#include "UxAccessible.h"

#include "UxCircleProgressBar.h"
#include "UxPlaySeekingBar.h"
#include "UxProgressBar.h"
#include "UxTrimSeekingBar.h"
#include "UxVideoOperationViewer.h"
#include "UxVideoViewer.h"
#include "sliders/UxSliderAxis.h"
#include "video/UxOperationScreen.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

#include <cmath>

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
    QString ownDescription() const override
    {
        return UxAccessible::tr("Usable from %1 to %2")
            .arg(bar().minUsablePos())
            .arg(bar().maxUsablePos());
    }
};

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

// The video viewer is an animation (it shows moving pictures), described by what it shows.
// The role stays when it shows a still picture: tools expect a widget to keep its role.
class UxAccessibleVideo : public UxAccessibleWidget
{
public:
    explicit UxAccessibleVideo(QWidget *widget)
        : UxAccessibleWidget(widget, QAccessible::Animation)
    {
    }

protected:
    UxVideoViewer &viewer() const { return *static_cast<UxVideoViewer *>(widget()); }
    QString ownName() const override { return UxAccessible::tr("Video"); }
    QString ownDescription() const override
    {
        const QString picture = !viewer().hasFrame() ? UxAccessible::tr("No picture")
                                : viewer().isShowStaticPicture()
                                    ? UxAccessible::tr("Showing a still picture")
                                    : UxAccessible::tr("Showing video");
        return viewer().isFullScreen() ? UxAccessible::tr("%1, full screen").arg(picture) : picture;
    }
};

// The crop rectangle on one view of an operation viewer: no widget of its own, so a child
// of the viewer's interface. Its rectangle is where it shows on the screen; its description
// gives it in the host's video pixels.
class UxAccessibleCrop : public QAccessibleInterface
{
public:
    UxAccessibleCrop(UxVideoOperationViewer *viewer, int view)
        : m_viewer(viewer)
        , m_view(view)
    {
    }

    // Stereoscopic input shows the rectangle on both views.
    static int viewCount(const UxVideoOperationViewer &viewer)
    {
        return viewer.m_second->isActive() ? 2 : 1;
    }
    static const UxOperationScreen *editorOf(const UxVideoOperationViewer &viewer, int view)
    {
        return view == 0 ? viewer.m_first : viewer.m_second;
    }

    bool isValid() const override { return m_viewer && m_view < viewCount(*m_viewer); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_viewer ? m_viewer->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_viewer.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Graphic; }

    // Widths in 64 bits: a host's rectangle may span all of int.
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description))
            return QString();
        if (t == QAccessible::Name)
            return UxAccessible::tr("Crop rectangle");
        const QRect crop = m_viewer->focusRect();
        return UxAccessible::tr("Left %1, top %2, width %3, height %4 video pixels")
            .arg(crop.left())
            .arg(crop.top())
            .arg(qint64(crop.right()) - crop.left() + 1)
            .arg(qint64(crop.bottom()) - crop.top() + 1);
    }
    // The part of the rectangle on its view, on the screen.
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const UxOperationScreen *editor = editorOf(*m_viewer, m_view);
        const QRect shown = editor->screenFocusRect() & editor->videoRect();
        if (shown.isEmpty())
            return QRect();
        return QRect(uxMapToGlobal(*m_viewer, shown.topLeft()),
                     uxMapToGlobal(*m_viewer, shown.bottomRight()));
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible =
            !isValid() || !editorOf(*m_viewer, m_view)->showFocusZone() || rect().isEmpty();
        state.disabled = !m_viewer || !m_viewer->isEnabled();
        state.movable = !state.disabled;
        state.sizeable = !state.disabled;
        return state;
    }

private:
    QPointer<UxVideoOperationViewer> m_viewer;
    int m_view;
};

// The operation viewer: the video, and after its child widgets one crop rectangle for each
// view, made when first asked for and deleted with the viewer's interface.
class UxAccessibleOperationViewer : public UxAccessibleVideo
{
public:
    using UxAccessibleVideo::UxAccessibleVideo;
    ~UxAccessibleOperationViewer() override
    {
        for (QAccessible::Id id : m_cropIds) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return widgetCount() + cropCount(); }
    QAccessibleInterface *child(int index) const override
    {
        const int widgets = widgetCount();
        return index < widgets ? UxAccessibleVideo::child(index) : crop(index - widgets);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int view = 0; view < cropCount(); ++view) {
            if (child && crop(view) == child)
                return widgetCount() + view;
        }
        return UxAccessibleVideo::indexOfChild(child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (QAccessibleInterface *widget = UxAccessibleVideo::childAt(x, y))
            return widget;
        for (int view = 0; view < cropCount(); ++view) {
            QAccessibleInterface *shown = crop(view);
            if (!shown->state().invisible && shown->rect().contains(x, y))
                return shown;
        }
        return nullptr;
    }
    // The child indexes of the crop rectangles.
    QVector<int> cropIndexes() const
    {
        QVector<int> indexes;
        for (int view = 0; view < cropCount(); ++view)
            indexes.append(widgetCount() + view);
        return indexes;
    }

private:
    UxVideoOperationViewer &operationViewer() const
    {
        return *static_cast<UxVideoOperationViewer *>(widget());
    }
    int widgetCount() const { return UxAccessibleVideo::childCount(); }
    int cropCount() const { return UxAccessibleCrop::viewCount(operationViewer()); }
    QAccessibleInterface *crop(int view) const
    {
        if (view < 0 || view >= cropCount())
            return nullptr;
        if (!m_cropIds[view])
            m_cropIds[view] = QAccessible::registerAccessibleInterface(
                new UxAccessibleCrop(&operationViewer(), view));
        return QAccessible::accessibleInterface(m_cropIds[view]);
    }

    mutable QAccessible::Id m_cropIds[2] = {0, 0};
};

namespace {

using Maker = QAccessibleInterface *(*)(QWidget *);

template <typename Interface>
QAccessibleInterface *make(QWidget *widget)
{
    return new Interface(widget);
}

QAccessibleInterface *makeGroup(QWidget *widget)
{
    return new QAccessibleWidget(widget, QAccessible::Grouping);
}

// The library's classes by name. Qt asks for a widget's classes from the most derived
// one up, so a host's subclass gets the interface of the library class it extends. The
// buttons are missing on purpose: Qt's own interfaces give their caption (the one the
// disabled skin paints), their disabled state and their actions.
const struct
{
    const char *className;
    Maker make;
} kInterfaces[] = {
    {"UxPlaySeekingBar", make<UxAccessibleSeekBar>},
    {"UxTrimSeekingBar", makeGroup},
    {"UxProgressBar", make<UxAccessibleProgressBar>},
    {"UxCircleProgressBar", make<UxAccessibleCircle>},
    {"UxVideoViewer", make<UxAccessibleVideo>},
    {"UxVideoOperationViewer", make<UxAccessibleOperationViewer>},
};

QAccessibleInterface *uxAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    QWidget *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("QToolButton") && UxAccessibleTrimHandle::describes(widget))
        return new UxAccessibleTrimHandle(widget);
    for (const auto &entry : kInterfaces) {
        if (className == QLatin1String(entry.className))
            return entry.make(widget);
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

void uxAccessibleCropChanged(QWidget *viewer)
{
    if (!viewer || !QAccessible::isActive())
        return;
    const auto *viewerInterface =
        dynamic_cast<UxAccessibleOperationViewer *>(QAccessible::queryAccessibleInterface(viewer));
    for (int child : viewerInterface ? viewerInterface->cropIndexes() : QVector<int>())
        uxAccessibleNotify(viewer, QAccessible::DescriptionChanged, child);
}
