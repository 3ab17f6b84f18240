#include "UxOperationScreen.h"

#include "frame/UxNumeric.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace {

const int kGrabTolerance = 3; // pixels on either side of an edge that still grab it
const double kSamePosition = 1e-12;

// a / b, or 0 when b is 0: a shape with a zero term is no shape.
double ratio(double a, double b)
{
    return b != 0 ? a / b : 0.0;
}

bool isNear(int coordinate, int edge)
{
    return qAbs(qint64(coordinate) - edge) <= kGrabTolerance;
}

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Host values are taken as they are, so rectangles may span the whole int range: their
// sizes are computed in 64 bits, and every edge derived from an edge and a length is
// saturated instead of overflowing. Exact whenever the result fits in int.
qint64 widthOf(const QRect &r)
{
    return qint64(r.right()) - r.left() + 1;
}

qint64 heightOf(const QRect &r)
{
    return qint64(r.bottom()) - r.top() + 1;
}

// The last pixel of a run of trunc(length) pixels from start, and the first one of a
// run ending at end.
int runEnd(int start, double length)
{
    return uxTruncToInt(start + std::trunc(length) - 1);
}

// A host edge kept by a drag may lie so far from the moved one that the width or height
// no longer fits in int (a reversed host rectangle far off the video, say): the kept edge
// is then drawn in just enough for QRect::width() and height() to hold the span.
void fitSpans(QRect &g, bool rightMoved, bool bottomMoved)
{
    const auto fitted = [](qint64 span) { return qBound(qint64(INT_MIN), span, qint64(INT_MAX)); };
    const qint64 width = fitted(widthOf(g));
    if (width != widthOf(g)) {
        if (rightMoved)
            g.setLeft(uxSaturateToInt(qint64(g.right()) - width + 1));
        else
            g.setRight(uxSaturateToInt(qint64(g.left()) + width - 1));
    }
    const qint64 height = fitted(heightOf(g));
    if (height != heightOf(g)) {
        if (bottomMoved)
            g.setTop(uxSaturateToInt(qint64(g.bottom()) - height + 1));
        else
            g.setBottom(uxSaturateToInt(qint64(g.top()) + height - 1));
    }
}

// One axis of a rectangle: x (left, right, width) or y (top, bottom, height), so that the
// host's edits of left and top, and of width and height, are one edit along either axis.
struct Axis
{
    Qt::Orientation orientation;

    bool horizontal() const { return orientation == Qt::Horizontal; }
    Axis across() const { return {horizontal() ? Qt::Vertical : Qt::Horizontal}; }
    int start(const QRect &r) const { return horizontal() ? r.left() : r.top(); }
    int end(const QRect &r) const { return horizontal() ? r.right() : r.bottom(); }
    qint64 length(const QRect &r) const { return qint64(end(r)) - start(r) + 1; }
    int extent(const QSize &s) const { return horizontal() ? s.width() : s.height(); }
    void setStart(QRect &r, int v) const { horizontal() ? r.setLeft(v) : r.setTop(v); }
    void setEnd(QRect &r, int v) const { horizontal() ? r.setRight(v) : r.setBottom(v); }
};

int runStart(int end, double length)
{
    return uxTruncToInt(end - std::trunc(length) + 1);
}

// QRect::contains, edges included, without its int arithmetic on the edges.
bool contains(const QRect &r, const QPoint &p)
{
    const auto within = [](qint64 a, qint64 b, int v) {
        return b < a - 1 ? (b + 1 <= v && v <= a - 1) : (a <= v && v <= b);
    };
    return within(r.left(), r.right(), p.x()) && within(r.top(), r.bottom(), p.y());
}

// r with every edge limited to box. Axis-parallel drawing clipped to a rectangle inside
// box looks the same, and the coordinates stay far from int's limits.
QRect clampedInto(const QRect &r, const QRect &box)
{
    const auto clamp = [](int v, int low, int high) { return qBound(low, v, high); };
    return fromEdges(
        clamp(r.left(), box.left(), box.right()), clamp(r.top(), box.top(), box.bottom()),
        clamp(r.right(), box.left(), box.right()), clamp(r.bottom(), box.top(), box.bottom()));
}

} // namespace

UxOperationScreen::UxOperationScreen(QWidget *viewer, QObject *parent)
    : QObject(parent)
    , m_viewer(viewer)
{
}

// Mapping needs a logic video and a view that both have area.
bool UxOperationScreen::hasGeometry() const
{
    return m_logicSize.width() >= 1 && m_logicSize.height() >= 1 && widthOf(m_view) >= 1 &&
           heightOf(m_view) >= 1;
}

// The part of the view that can be seen.
QRect UxOperationScreen::shownView() const
{
    return m_visible.isNull() ? m_view : m_view & m_visible;
}

// The focus rectangle as grabbed and outlined: cut to the visible part of a view that
// reaches beyond it, so that edges out of sight are grabbed where the view ends and a
// rectangle larger than what shows can still be resized.
QRect UxOperationScreen::grabRect() const
{
    const QRect shown = shownView();
    if (shown == m_view || !m_screenFocus.intersects(shown))
        return m_screenFocus;
    return clampedInto(m_screenFocus, shown);
}

void UxOperationScreen::repaintView()
{
    if (m_viewer)
        m_viewer->update(m_view);
}

void UxOperationScreen::mapLogicToScreen()
{
    if (!hasGeometry())
        return;
    const QRect &g = m_logicFocus;
    const double sx = double(widthOf(m_view)) / m_logicSize.width();
    const double sy = double(heightOf(m_view)) / m_logicSize.height();
    const int left = uxTruncToInt(g.left() * sx + m_view.left());
    const int top = uxTruncToInt(g.top() * sy + m_view.top());
    const QRect mapped =
        fromEdges(left, top, runEnd(left, widthOf(g) * sx), runEnd(top, heightOf(g) * sy));
    if (mapped == m_screenFocus)
        return;
    m_screenFocus = mapped;
    repaintView();
}

void UxOperationScreen::mapScreenToLogic(int changedEdges)
{
    if (!hasGeometry())
        return;
    const QRect &f = m_screenFocus;
    const double fx = m_logicSize.width() / double(widthOf(m_view));
    const double fy = m_logicSize.height() / double(heightOf(m_view));
    const int left = uxTruncToInt((double(f.left()) - m_view.left()) * fx);
    const int top = uxTruncToInt((double(f.top()) - m_view.top()) * fy);
    int right = runEnd(left, widthOf(f) * fx);
    int bottom = runEnd(top, heightOf(f) * fy);
    if (m_keepAspect && m_aspect > 0) {
        int h = uxTruncToInt(lockedAcross(qint64(right) - left + 1, Qt::Horizontal));
        if (qint64(top) + h > m_logicSize.height()) {
            h = uxSaturateToInt(qint64(m_logicSize.height()) - top);
            right = runEnd(left, lockedAcross(h, Qt::Vertical));
        }
        bottom = runEnd(top, h);
    }
    QRect &g = m_logicFocus;
    if (g == fromEdges(left, top, right, bottom)) {
        repaintView();
        return;
    }
    if (changedEdges == 0) {
        g = fromEdges(left, top, right, bottom);
    } else if (changedEdges == FocusHandle_Move) {
        // QRect::moveTopLeft shifts the far edges in int, which huge host rectangles overflow.
        g = fromEdges(left, top, uxSaturateToInt(qint64(left) + g.right() - g.left()),
                      uxSaturateToInt(qint64(top) + g.bottom() - g.top()));
    } else {
        // Only the edges the user moved: the others keep their exact logic values.
        if (changedEdges & FocusHandle_Left)
            g.setLeft(left);
        if (changedEdges & FocusHandle_Top)
            g.setTop(top);
        if (changedEdges & FocusHandle_Right)
            g.setRight(right);
        if (changedEdges & FocusHandle_Bottom)
            g.setBottom(bottom);
        fitSpans(g, changedEdges & FocusHandle_Right, changedEdges & FocusHandle_Bottom);
    }
    repaintView();
}

void UxOperationScreen::updateMinimumScreenSize()
{
    if (!hasGeometry())
        return;
    m_minScreen =
        QSize(uxTruncToInt(double(widthOf(m_view)) * m_minLogic.width() / m_logicSize.width()),
              uxTruncToInt(double(heightOf(m_view)) * m_minLogic.height() / m_logicSize.height()));
}

void UxOperationScreen::setVideoRect(const QRect &rc)
{
    if (rc == m_view)
        return;
    m_view = rc;
    if (m_logicSize.width() >= 1 && m_logicSize.height() >= 1) {
        mapLogicToScreen();
        updateMinimumScreenSize();
    }
}

void UxOperationScreen::setLogicVideo(const QSize &szLogic, double pixelAspect,
                                      const QRect &rcFocus, const QSize &szMin)
{
    // A pixel aspect without a sound value would reach a division: square pixels then.
    m_pixelAspect = (std::isfinite(pixelAspect) && pixelAspect > 0) ? pixelAspect : 1.0;
    m_logicSize = szLogic;
    m_logicFocus = rcFocus;
    m_minLogic = szMin;
    if (m_view.isValid()) {
        mapLogicToScreen();
        updateMinimumScreenSize();
    }
}

// --- Aspect ratio ---------------------------------------------------------------------

void UxOperationScreen::updateScreenAspect()
{
    // Unstretched stereoscopic views are shown squeezed to half their width or height.
    const double factor = !m_isUnstretched ? 1.0 : (m_isTopBottom ? 2.0 : 0.5);
    m_screenAspect = m_aspect * factor;
}

void UxOperationScreen::set3DLayout(bool isUnstretched, bool isTopBottom)
{
    if (isUnstretched == m_isUnstretched && isTopBottom == m_isTopBottom)
        return;
    m_isUnstretched = isUnstretched;
    m_isTopBottom = isTopBottom;
    updateScreenAspect();
}

void UxOperationScreen::setKeepAspectRatio(bool keep, double aspect, bool reshape, double a,
                                           double b)
{
    m_keepAspect = keep;
    if (reshape) {
        applyAspectRatio(a, b);
        return;
    }
    m_aspect = aspect;
    updateScreenAspect();
}

void UxOperationScreen::setKeepAspectRatioByLogic(bool keep, int nW, int nH, bool isKeepRect)
{
    if (keep && (nW <= 0 || nH <= 0))
        return; // no shape to keep
    const qint64 w = widthOf(m_logicFocus);
    const qint64 h = heightOf(m_logicFocus);
    const bool reshape = keep && !isKeepRect && (nW != w || nH != h) &&
                         h != uxTruncToInt(double(w) / nW * nH) &&
                         w != uxTruncToInt(double(h) / nH * nW);
    const double a = nW * m_pixelAspect;
    setKeepAspectRatio(keep, ratio(a, nH), reshape, a, nH);
}

void UxOperationScreen::setKeepAspectRatioByView(bool keep, int nW, int nH, bool isKeepRect)
{
    if (keep && (nW <= 0 || nH <= 0))
        return;
    const qint64 w = widthOf(m_logicFocus);
    const qint64 h = heightOf(m_logicFocus);
    const bool reshape = keep && !isKeepRect && h != uxTruncToInt(w * m_pixelAspect / nW * nH) &&
                         w != uxTruncToInt(h / m_pixelAspect * nW / nH);
    setKeepAspectRatio(keep, ratio(nW, nH), reshape, nW, nH);
}

void UxOperationScreen::applyAspectRatio(double a, double b)
{
    m_aspect = ratio(a, b);
    updateScreenAspect();
    if (!m_keepAspect || m_aspect <= 0)
        return;
    QRect &g = m_logicFocus;
    double width = widthOf(g);
    int h = uxTruncToInt(lockedAcross(width, Qt::Horizontal));
    if (qint64(g.top()) + h > m_logicSize.height()) {
        h = uxSaturateToInt(qint64(m_logicSize.height()) - g.top());
        width = uxTruncToInt(lockedAcross(h, Qt::Vertical));
    }
    g.setRight(runEnd(g.left(), width));
    g.setBottom(runEnd(g.top(), h));
    fitSpans(g, false, false);
    mapLogicToScreen();
    Q_EMIT focusRectChanged(g);
}

// --- Host-driven edits ----------------------------------------------------------------

void UxOperationScreen::onFocusLeftChanged(int nValue)
{
    moveStartTo(Qt::Horizontal, nValue);
}

void UxOperationScreen::onFocusTopChanged(int nValue)
{
    moveStartTo(Qt::Vertical, nValue);
}

void UxOperationScreen::onFocusWidthChanged(int nValue)
{
    setLength(Qt::Horizontal, nValue);
}

void UxOperationScreen::onFocusHeightChanged(int nValue)
{
    setLength(Qt::Vertical, nValue);
}

// Moves the rectangle's start edge along one axis, keeping its length there.
void UxOperationScreen::moveStartTo(Qt::Orientation along, int nValue)
{
    const Axis axis{along};
    QRect &g = m_logicFocus;
    if (nValue == axis.start(g))
        return;
    axis.setEnd(g, uxSaturateToInt(qint64(axis.end(g)) + nValue - axis.start(g)));
    axis.setStart(g, nValue);
    mapLogicToScreen();
}

// Sets the length along one axis from the start edge. With a lock the length across
// follows; where that would pass the logic video's far edge across, it is cut there and
// the length along follows the cut one, though never shrinking a rectangle the host
// asked to grow.
void UxOperationScreen::setLength(Qt::Orientation along, int nValue)
{
    const Axis axis{along};
    const Axis across = axis.across();
    QRect &g = m_logicFocus;
    const qint64 current = axis.length(g);
    if (nValue == current)
        return;
    if (!m_keepAspect || m_aspect <= 0) {
        axis.setEnd(g, runEnd(axis.start(g), nValue));
        mapLogicToScreen();
        return;
    }
    qint64 length = nValue;
    int crossLength = uxTruncToInt(lockedAcross(nValue, along));
    const int room = across.extent(m_logicSize);
    if (qint64(across.start(g)) + crossLength > room) {
        crossLength = uxSaturateToInt(qint64(room) - across.start(g));
        const int fitting = uxTruncToInt(lockedAcross(crossLength, across.orientation));
        length = (fitting < current && current < nValue) ? current : fitting;
    }
    if (length == current)
        return;
    axis.setEnd(g, runEnd(axis.start(g), length));
    across.setEnd(g, runEnd(across.start(g), crossLength));
    mapLogicToScreen();
}

// The logic length across that keeps the locked shape with length along: the height of
// a width, or the width of a height.
double UxOperationScreen::lockedAcross(double length, Qt::Orientation along) const
{
    return along == Qt::Horizontal ? length * m_pixelAspect / m_aspect
                                   : length / m_pixelAspect * m_aspect;
}

void UxOperationScreen::onFocusRectChanged(const QRect &rcFocus)
{
    if (rcFocus == m_logicFocus)
        return;
    m_logicFocus = rcFocus;
    mapLogicToScreen();
}

void UxOperationScreen::copyFocusFrom(const UxOperationScreen *twin)
{
    if (!twin)
        return;
    m_logicFocus = twin->m_logicFocus;
    const QRect &f = twin->m_screenFocus;
    const qint64 dx = qint64(m_view.left()) - twin->m_view.left();
    const qint64 dy = qint64(m_view.top()) - twin->m_view.top();
    m_screenFocus = fromEdges(uxSaturateToInt(f.left() + dx), uxSaturateToInt(f.top() + dy),
                              uxSaturateToInt(f.right() + dx), uxSaturateToInt(f.bottom() + dy));
    repaintView();
}

void UxOperationScreen::setShowFocusZone(bool show)
{
    if (show == m_showFocusZone)
        return;
    m_showFocusZone = show;
    repaintView();
}

void UxOperationScreen::setMaskUnfocusZone(bool mask)
{
    if (mask == m_maskUnfocusZone)
        return;
    m_maskUnfocusZone = mask;
    repaintView();
}

void UxOperationScreen::reset()
{
    m_logicSize = QSize(0, 0);
    m_view = QRect();
    m_logicFocus = QRect();
    m_screenFocus = QRect();
    m_minLogic = QSize(0, 0);
    m_minScreen = QSize(0, 0);
    m_dragHandle = FocusHandle_None;
    m_keepAspect = false;
    m_aspect = 1.0;
    m_screenAspect = 1.0;
    m_pixelAspect = 1.0;
    m_isUnstretched = false;
    m_isTopBottom = false;
    m_showFocusZone = true;
    m_maskUnfocusZone = true;
}

// --- Mouse editing --------------------------------------------------------------------

int UxOperationScreen::hitTest(const QPoint &pos)
{
    const QRect f = grabRect();
    const int x = pos.x();
    const int y = pos.y();
    struct Grab
    {
        bool hit;
        int handle;
    };
    const Grab grabs[] = {
        {isNear(x, f.left()) && isNear(y, f.top()), FocusHandle_TopLeft},
        {isNear(x, f.left()) && isNear(y, f.bottom()), FocusHandle_BottomLeft},
        {isNear(x, f.right()) && isNear(y, f.top()), FocusHandle_TopRight},
        {isNear(x, f.right()) && isNear(y, f.bottom()), FocusHandle_BottomRight},
        {f.left() < x && x < f.right() && isNear(y, f.top()), FocusHandle_Top},
        {f.top() < y && y < f.bottom() && isNear(x, f.left()), FocusHandle_Left},
        {f.left() < x && x < f.right() && isNear(y, f.bottom()), FocusHandle_Bottom},
        {f.top() < y && y < f.bottom() && isNear(x, f.right()), FocusHandle_Right},
    };
    for (const Grab &grab : grabs) {
        if (grab.hit) {
            m_anchor = anchorOf(grab.handle);
            return grab.handle;
        }
    }
    return contains(f, pos) ? FocusHandle_Move : FocusHandle_None;
}

// What stays put while a handle resizes: the opposite corner, or the middle of the
// opposite edge.
QPointF UxOperationScreen::anchorOf(int handle) const
{
    const QRect &f = m_screenFocus;
    const double middleX = (double(f.left()) + f.right()) * 0.5;
    const double middleY = (double(f.top()) + f.bottom()) * 0.5;
    const double x = (handle & FocusHandle_Left)    ? f.right()
                     : (handle & FocusHandle_Right) ? f.left()
                                                    : middleX;
    const double y = (handle & FocusHandle_Top)      ? f.bottom()
                     : (handle & FocusHandle_Bottom) ? f.top()
                                                     : middleY;
    return QPointF(x, y);
}

void UxOperationScreen::updateCursor(int handle)
{
    if (!m_viewer)
        return;
    switch (handle) {
    case FocusHandle_Left:
    case FocusHandle_Right:
        m_viewer->setCursor(Qt::SizeHorCursor);
        break;
    case FocusHandle_Top:
    case FocusHandle_Bottom:
        m_viewer->setCursor(Qt::SizeVerCursor);
        break;
    case FocusHandle_TopLeft:
    case FocusHandle_BottomRight:
        m_viewer->setCursor(Qt::SizeFDiagCursor);
        break;
    case FocusHandle_TopRight:
    case FocusHandle_BottomLeft:
        m_viewer->setCursor(Qt::SizeBDiagCursor);
        break;
    case FocusHandle_Move:
        m_viewer->setCursor(Qt::SizeAllCursor);
        break;
    default:
        m_viewer->unsetCursor();
        break;
    }
}

// Before the host has set a logic video and the viewer a view there is nothing to grab.
// A rectangle dragged down to no width or height keeps its edges and handles.
bool UxOperationScreen::canEdit() const
{
    return m_active && m_showFocusZone && hasGeometry();
}

bool UxOperationScreen::mousePress(const QPoint &pos)
{
    if (!canEdit())
        return false;
    const int handle = hitTest(pos);
    if (handle == FocusHandle_None)
        return false;
    m_dragHandle = handle;
    m_lastPos = pos;
    updateCursor(handle);
    return true;
}

bool UxOperationScreen::mouseMove(const QPoint &pos)
{
    if (!m_active)
        return false;
    if (isDragging()) {
        dragTo(m_dragHandle, pos);
        return true;
    }
    if (!m_showFocusZone)
        return false;
    updateCursor(canEdit() ? hitTest(pos) : FocusHandle_None);
    return true;
}

bool UxOperationScreen::mouseRelease(const QPoint &pos)
{
    if (!m_active || !isDragging())
        return false;
    dragTo(m_dragHandle, pos);
    m_dragHandle = FocusHandle_None;
    updateCursor(FocusHandle_None);
    return true;
}

// A key step is the drag it stands for: a move from a point of the rectangle inside the
// view (so that the drag's clamp to the view cannot shorten the step), or the right or
// bottom edge grabbed where it lies and pulled by the step.
bool UxOperationScreen::keyStep(const QPoint &step, bool resize)
{
    if (!canEdit() || isDragging() || step.isNull())
        return false;
    const QRect &f = m_screenFocus;
    if (!resize) {
        const QPointF middle = anchorOf(FocusHandle_None);
        m_lastPos = QPointF(qBound<double>(m_view.left(), middle.x(), m_view.right()),
                            qBound<double>(m_view.top(), middle.y(), m_view.bottom()));
        dragTo(FocusHandle_Move, m_lastPos + step);
        return true;
    }
    const int handle = step.x() != 0 ? FocusHandle_Right : FocusHandle_Bottom;
    m_anchor = anchorOf(handle);
    dragTo(handle, QPointF(double(f.right()) + step.x(), double(f.bottom()) + step.y()));
    return true;
}

// Moving edges keep the rectangle at least the minimum screen size.
void UxOperationScreen::clampToMinimumSize(int handle, double &x, double &y) const
{
    const QRect &f = m_screenFocus;
    const int minW = m_minScreen.width();
    const int minH = m_minScreen.height();
    if ((handle & FocusHandle_Left) && minW + x - 1 > f.right())
        x = double(f.right()) - minW + 1;
    if ((handle & FocusHandle_Right) && f.left() > x - minW + 1)
        x = double(f.left()) + minW - 1;
    if ((handle & FocusHandle_Top) && minH + y - 1 > f.bottom())
        y = double(f.bottom()) - minH + 1;
    if ((handle & FocusHandle_Bottom) && f.top() > y - minH + 1)
        y = double(f.top()) + minH - 1;
}

bool UxOperationScreen::isUnchanged(int handle, double x, double y) const
{
    const QRect &f = m_screenFocus;
    switch (handle) {
    case FocusHandle_Left:
        return x == f.left();
    case FocusHandle_Right:
        return x == f.right();
    case FocusHandle_Top:
        return y == f.top();
    case FocusHandle_Bottom:
        return y == f.bottom();
    default: {
        const double cornerX = (handle & FocusHandle_Left) ? f.left() : f.right();
        const double cornerY = (handle & FocusHandle_Top) ? f.top() : f.bottom();
        return std::fabs(x - cornerX) <= kSamePosition && std::fabs(y - cornerY) <= kSamePosition;
    }
    }
}

// Resizes with the locked shape; returns the edges that changed. Edges grow or shrink
// the perpendicular size about the anchor, corners keep the opposite corner.
int UxOperationScreen::resizeKeepingAspect(int handle, double x, double y)
{
    QRect &f = m_screenFocus;
    const QRect &v = m_view;
    const double a = m_screenAspect;
    const double ax = m_anchor.x();
    const double ay = m_anchor.y();
    const auto limitWidth = [&](int w) {
        if (v.left() > ax - w / 2 + 1)
            w = uxTruncToInt((ax - v.left() + 1) * 2);
        if (ax + w / 2 - 1 > v.right())
            w = uxTruncToInt((v.right() - ax + 1) * 2);
        return w;
    };
    const auto limitHeight = [&](int h) {
        if (v.top() > ay - h / 2 + 1)
            h = uxTruncToInt((ay - v.top() + 1) * 2);
        if (ay + h / 2 - 1 > v.bottom())
            h = uxTruncToInt((v.bottom() - ay + 1) * 2);
        return h;
    };
    switch (handle) {
    case FocusHandle_Left: {
        double h = (f.right() - x + 1) / a;
        if (v.top() > ay - h * 0.5 + 1)
            h = (ay - v.top() + 1) * 2;
        if (ay + h * 0.5 - 1 > v.bottom())
            h = (v.bottom() - ay + 1) * 2;
        f.setLeft(uxTruncToInt(f.right() - a * h + 1));
        f.setTop(uxTruncToInt(ay - h * 0.5 + 1));
        f.setBottom(runEnd(f.top(), h));
        return FocusHandle_Left | FocusHandle_Top | FocusHandle_Bottom;
    }
    case FocusHandle_Top: {
        const int w = limitWidth(uxTruncToInt(uxTruncToInt(f.bottom() - y + 1) * a));
        f.setTop(runStart(f.bottom(), w / a));
        f.setLeft(uxTruncToInt(ax - w / 2 + 1));
        f.setRight(runEnd(f.left(), w));
        return FocusHandle_Left | FocusHandle_Top | FocusHandle_Right;
    }
    case FocusHandle_Right: {
        const int h = limitHeight(uxTruncToInt(uxTruncToInt(x - f.left() + 1) / a));
        f.setRight(runEnd(f.left(), h * a));
        f.setTop(uxTruncToInt(ay - h / 2 + 1));
        f.setBottom(runEnd(f.top(), h));
        return FocusHandle_Top | FocusHandle_Right | FocusHandle_Bottom;
    }
    case FocusHandle_Bottom: {
        const int w = limitWidth(uxTruncToInt(uxTruncToInt(y - f.top() + 1) * a));
        f.setBottom(runEnd(f.top(), w / a));
        f.setLeft(uxTruncToInt(ax - w / 2 + 1));
        f.setRight(runEnd(f.left(), w));
        return FocusHandle_Left | FocusHandle_Right | FocusHandle_Bottom;
    }
    default:
        break;
    }
    // Corners: the height follows the width and stops at the view's top or bottom.
    const bool left = handle & FocusHandle_Left;
    const bool top = handle & FocusHandle_Top;
    const int w = left ? uxTruncToInt(f.right() - x + 1) : uxTruncToInt(x - f.left() + 1);
    int h = uxTruncToInt(w / a);
    if (top && v.top() > ay - h + 1)
        h = uxTruncToInt(ay - v.top() + 1);
    if (!top && ay + h - 1 > v.bottom())
        h = uxTruncToInt(v.bottom() - ay + 1);
    if (left)
        f.setLeft(runStart(f.right(), h * a));
    else
        f.setRight(runEnd(f.left(), h * a));
    if (top)
        f.setTop(uxTruncToInt(ay - h + 1));
    else
        f.setBottom(runEnd(f.top(), h));
    return handle;
}

// Moves by whole pixels; the rectangle stops one pixel short of the view's right and
// bottom edges. Returns false when it did not move.
bool UxOperationScreen::moveBy(double x, double y)
{
    QRect &f = m_screenFocus;
    const QRect &v = m_view;
    const int dx = uxTruncToInt(x - m_lastPos.x());
    const int dy = uxTruncToInt(y - m_lastPos.y());
    const qint64 width = widthOf(f);
    const qint64 height = heightOf(f);
    qint64 left = f.left();
    if (dx != 0) {
        left = f.left() + qint64(dx);
        if (left + width > v.right())
            left = v.right() - width;
    }
    left = qMax<qint64>(left, v.left());
    qint64 top = f.top();
    if (dy != 0) {
        top = f.top() + qint64(dy);
        if (top + height > v.bottom())
            top = v.bottom() - height;
    }
    top = qMax<qint64>(top, v.top());
    if (left == f.left() && top == f.top())
        return false;
    f = fromEdges(uxSaturateToInt(left), uxSaturateToInt(top), uxSaturateToInt(left + width - 1),
                  uxSaturateToInt(top + height - 1));
    m_lastPos = QPointF(x, y);
    return true;
}

void UxOperationScreen::dragTo(int handle, const QPointF &pos)
{
    if (!hasGeometry())
        return;
    const QRect &v = m_view;
    double x = qBound<double>(v.left(), pos.x(), v.right());
    double y = qBound<double>(v.top(), pos.y(), v.bottom());
    int changed = handle;
    if (handle == FocusHandle_Move) {
        if (std::fabs(x - m_lastPos.x()) <= kSamePosition &&
            std::fabs(y - m_lastPos.y()) <= kSamePosition)
            return;
        if (!moveBy(x, y)) {
            fitSpans(m_logicFocus, false, false);
            Q_EMIT focusRectChanged(m_logicFocus);
            return;
        }
    } else {
        clampToMinimumSize(handle, x, y);
        if (isUnchanged(handle, x, y))
            return;
        if (m_keepAspect && m_screenAspect > 0) {
            changed = resizeKeepingAspect(handle, x, y);
        } else {
            QRect &f = m_screenFocus;
            if (handle & FocusHandle_Left)
                f.setLeft(uxTruncToInt(x));
            if (handle & FocusHandle_Top)
                f.setTop(uxTruncToInt(y));
            if (handle & FocusHandle_Right)
                f.setRight(uxTruncToInt(x));
            if (handle & FocusHandle_Bottom)
                f.setBottom(uxTruncToInt(y));
        }
    }
    mapScreenToLogic(changed);
    fitSpans(m_logicFocus, false, false);
    Q_EMIT focusRectChanged(m_logicFocus);
}

// --- Painting -------------------------------------------------------------------------

void UxOperationScreen::paint(QPainter &painter)
{
    if (!m_active || !m_showFocusZone)
        return;
    // Everything is clipped to the view: a rectangle reaching far beyond it is drawn
    // from coordinates just outside it, which looks the same.
    const QRect shown = shownView();
    const int margin = 16; // more than a handle's half and the cross's arm
    const QRect box = fromEdges(uxClampCoordinate(qint64(shown.left()) - margin),
                                uxClampCoordinate(qint64(shown.top()) - margin),
                                uxClampCoordinate(qint64(shown.right()) + margin),
                                uxClampCoordinate(qint64(shown.bottom()) + margin));
    const QRect full = grabRect();
    const QRect f = clampedInto(full, box);
    if (m_maskUnfocusZone) {
        painter.setClipRegion(QRegion(shown) - QRegion(f), Qt::ReplaceClip);
        painter.fillRect(shown, m_clipRegionColor);
    }
    if (!m_logicFocus.isValid() || !m_screenFocus.isValid())
        return;
    painter.setClipRect(shown, Qt::ReplaceClip);
    painter.setPen(QPen(QBrush(m_clipRectColor), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const QRect outline(f.topLeft(), QPoint(f.right() - 1, f.bottom() - 1));
    painter.drawRects(&outline, 1);
    const int midX = qBound(box.left(), int((qint64(full.left()) + full.right()) / 2), box.right());
    const int midY = qBound(box.top(), int((qint64(full.top()) + full.bottom()) / 2), box.bottom());
    const QPoint handles[] = {{f.left(), f.top()}, {midX, f.top()},        {f.right(), f.top()},
                              {f.left(), midY},    {f.right(), midY},      {f.left(), f.bottom()},
                              {midX, f.bottom()},  {f.right(), f.bottom()}};
    QRect square(QPoint(0, 0), QPoint(6, 6));
    for (const QPoint &centre : handles) {
        square.moveCenter(centre);
        painter.drawRect(QRect(square.left(), square.top(), 6, 6));
    }
    painter.drawLine(QPoint(midX - 8, midY), QPoint(midX + 8, midY));
    painter.drawLine(QPoint(midX, midY - 8), QPoint(midX, midY + 8));
}
