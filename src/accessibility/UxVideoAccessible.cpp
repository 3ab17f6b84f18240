#include "UxAccessibleBase.h"

#include "UxVideoOperationViewer.h"
#include "UxVideoViewer.h"
#include "frame/UxGeometry.h"
#include "video/UxOperationScreen.h"

#include <QPointer>

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
    // The part of the rectangle on its view, on the screen; a zoomed picture is cut to the
    // viewer rectangle.
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const UxOperationScreen *editor = editorOf(*m_viewer, m_view);
        const QRect shown =
            editor->screenFocusRect() & editor->videoRect() & m_viewer->viewerRect();
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

const UxAccessibleKind kVideoKinds[] = {
    {"UxVideoViewer", uxMakeAccessible<UxAccessibleVideo>},
    {"UxVideoOperationViewer", uxMakeAccessible<UxAccessibleOperationViewer>},
};

} // namespace

QAccessibleInterface *uxVideoAccessible(const QString &className, QWidget *widget)
{
    return uxAccessibleOfKind(kVideoKinds, className, widget);
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
