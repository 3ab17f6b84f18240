#include "UxOperationScreen.h"

#include "frame/UxNumeric.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace {

const int kGrabTolerance = 3; // pixels on either side of an edge that still grab it
const double kSamePosition = 1e-12;

int truncated(double v)
{
    return uxTruncToInt(v);
}

// a / b, or 0 when b is 0: a shape with a zero term is no shape.
double ratio(double a, double b)
{
    return b != 0 ? a / b : 0.0;
}

bool isNear(int coordinate, int edge)
{
    return qAbs(qint64(coordinate) - edge) <= kGrabTolerance;
}

bool isValid(const QRect &r)
{
    return r.left() <= r.right() && r.top() <= r.bottom();
}

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
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
    return m_logicSize.width() >= 1 && m_logicSize.height() >= 1 && m_view.width() >= 1 &&
           m_view.height() >= 1;
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
    const double sx = double(m_view.width()) / m_logicSize.width();
    const double sy = double(m_view.height()) / m_logicSize.height();
    const int left = truncated(g.left() * sx + m_view.left());
    const int top = truncated(g.top() * sy + m_view.top());
    const QRect mapped = fromEdges(left, top, left + truncated(g.width() * sx) - 1,
                                   top + truncated(g.height() * sy) - 1);
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
    const double fx = double(m_logicSize.width()) / m_view.width();
    const double fy = double(m_logicSize.height()) / m_view.height();
    const int left = truncated((f.left() - m_view.left()) * fx);
    const int top = truncated((f.top() - m_view.top()) * fy);
    int right = left + truncated(f.width() * fx) - 1;
    int bottom = top + truncated(f.height() * fy) - 1;
    if (m_keepAspect && m_aspect > 0) {
        int h = truncated((right - left + 1) * m_pixelAspect / m_aspect);
        if (top + h > m_logicSize.height()) {
            h = m_logicSize.height() - top;
            right = left - 1 + truncated(h / m_pixelAspect * m_aspect);
        }
        bottom = top + h - 1;
    }
    QRect &g = m_logicFocus;
    if (g == fromEdges(left, top, right, bottom)) {
        repaintView();
        return;
    }
    if (changedEdges == 0) {
        g = fromEdges(left, top, right, bottom);
    } else if (changedEdges == FocusHandle_Move) {
        g.moveTopLeft(QPoint(left, top));
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
    }
    repaintView();
}

void UxOperationScreen::updateMinimumScreenSize()
{
    if (!hasGeometry())
        return;
    m_minScreen =
        QSize(truncated(double(m_view.width()) * m_minLogic.width() / m_logicSize.width()),
              truncated(double(m_view.height()) * m_minLogic.height() / m_logicSize.height()));
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
    if (isValid(m_view)) {
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
    const QSize g = m_logicFocus.size();
    const bool reshape = keep && !isKeepRect && QSize(nW, nH) != g &&
                         g.height() != truncated(double(g.width()) / nW * nH) &&
                         g.width() != truncated(double(g.height()) / nH * nW);
    const double a = nW * m_pixelAspect;
    setKeepAspectRatio(keep, ratio(a, nH), reshape, a, nH);
}

void UxOperationScreen::setKeepAspectRatioByView(bool keep, int nW, int nH, bool isKeepRect)
{
    if (keep && (nW <= 0 || nH <= 0))
        return;
    const QSize g = m_logicFocus.size();
    const bool reshape = keep && !isKeepRect &&
                         g.height() != truncated(g.width() * m_pixelAspect / nW * nH) &&
                         g.width() != truncated(g.height() / m_pixelAspect * nW / nH);
    setKeepAspectRatio(keep, ratio(nW, nH), reshape, nW, nH);
}

void UxOperationScreen::applyAspectRatio(double a, double b)
{
    m_aspect = ratio(a, b);
    updateScreenAspect();
    if (!m_keepAspect || m_aspect <= 0)
        return;
    QRect &g = m_logicFocus;
    int width = g.width();
    int h = truncated(width * m_pixelAspect / m_aspect);
    if (g.top() + h > m_logicSize.height()) {
        h = m_logicSize.height() - g.top();
        width = truncated(h / m_pixelAspect * m_aspect);
    }
    g.setRight(g.left() + width - 1);
    g.setBottom(g.top() + h - 1);
    mapLogicToScreen();
    Q_EMIT focusRectChanged(g);
}

// --- Host-driven edits ----------------------------------------------------------------

void UxOperationScreen::onFocusLeftChanged(int nValue)
{
    if (nValue == m_logicFocus.left())
        return;
    m_logicFocus.moveLeft(nValue);
    mapLogicToScreen();
}

void UxOperationScreen::onFocusTopChanged(int nValue)
{
    if (nValue == m_logicFocus.top())
        return;
    m_logicFocus.moveTop(nValue);
    mapLogicToScreen();
}

void UxOperationScreen::onFocusWidthChanged(int nValue)
{
    QRect &g = m_logicFocus;
    if (nValue == g.width())
        return;
    if (!m_keepAspect || m_aspect <= 0) {
        g.setRight(g.left() + nValue - 1);
        mapLogicToScreen();
        return;
    }
    int width = nValue;
    int h = truncated(nValue * m_pixelAspect / m_aspect);
    if (g.top() + h > m_logicSize.height()) {
        h = m_logicSize.height() - g.top();
        const int fitting = truncated(h / m_pixelAspect * m_aspect);
        const bool growing = g.width() < nValue;
        width = (fitting < g.width() && growing) ? g.width() : fitting;
    }
    if (width == g.width())
        return;
    g.setRight(g.left() + width - 1);
    g.setBottom(g.top() + h - 1);
    mapLogicToScreen();
}

void UxOperationScreen::onFocusHeightChanged(int nValue)
{
    QRect &g = m_logicFocus;
    if (nValue == g.height())
        return;
    if (!m_keepAspect || m_aspect <= 0) {
        g.setBottom(g.top() + nValue - 1);
        mapLogicToScreen();
        return;
    }
    int height = nValue;
    int w = truncated(nValue / m_pixelAspect * m_aspect);
    if (g.left() + w > m_logicSize.width()) {
        w = m_logicSize.width() - g.left();
        const int fitting = truncated(w * m_pixelAspect / m_aspect);
        const bool growing = g.height() < nValue;
        height = (fitting < g.height() && growing) ? g.height() : fitting;
    }
    if (height == g.height())
        return;
    g.setRight(g.left() + w - 1);
    g.setBottom(g.top() + height - 1);
    mapLogicToScreen();
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
    m_screenFocus = twin->m_screenFocus.translated(m_view.left() - twin->m_view.left(),
                                                   m_view.top() - twin->m_view.top());
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
    const QRect &f = m_screenFocus;
    const int x = pos.x();
    const int y = pos.y();
    const double middleX = (f.left() + f.right()) * 0.5;
    const double middleY = (f.top() + f.bottom()) * 0.5;
    struct Grab
    {
        bool hit;
        int handle;
        QPointF anchor;
    };
    const Grab grabs[] = {
        {isNear(x, f.left()) && isNear(y, f.top()), FocusHandle_TopLeft, f.bottomRight()},
        {isNear(x, f.left()) && isNear(y, f.bottom()), FocusHandle_BottomLeft, f.topRight()},
        {isNear(x, f.right()) && isNear(y, f.top()), FocusHandle_TopRight, f.bottomLeft()},
        {isNear(x, f.right()) && isNear(y, f.bottom()), FocusHandle_BottomRight, f.topLeft()},
        {f.left() < x && x < f.right() && isNear(y, f.top()), FocusHandle_Top,
         QPointF(middleX, f.bottom())},
        {f.top() < y && y < f.bottom() && isNear(x, f.left()), FocusHandle_Left,
         QPointF(f.right(), middleY)},
        {f.left() < x && x < f.right() && isNear(y, f.bottom()), FocusHandle_Bottom,
         QPointF(middleX, f.top())},
        {f.top() < y && y < f.bottom() && isNear(x, f.right()), FocusHandle_Right,
         QPointF(f.left(), middleY)},
    };
    for (const Grab &grab : grabs) {
        if (grab.hit) {
            m_anchor = grab.anchor;
            return grab.handle;
        }
    }
    return f.contains(pos) ? FocusHandle_Move : FocusHandle_None;
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
bool UxOperationScreen::canEdit() const
{
    return m_active && m_showFocusZone && hasGeometry() && isValid(m_screenFocus);
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

// Moving edges keep the rectangle at least the minimum screen size.
void UxOperationScreen::clampToMinimumSize(int handle, double &x, double &y) const
{
    const QRect &f = m_screenFocus;
    const int minW = m_minScreen.width();
    const int minH = m_minScreen.height();
    if ((handle & FocusHandle_Left) && minW + x - 1 > f.right())
        x = f.right() - minW + 1;
    if ((handle & FocusHandle_Right) && f.left() > x - minW + 1)
        x = f.left() + minW - 1;
    if ((handle & FocusHandle_Top) && minH + y - 1 > f.bottom())
        y = f.bottom() - minH + 1;
    if ((handle & FocusHandle_Bottom) && f.top() > y - minH + 1)
        y = f.top() + minH - 1;
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
            w = truncated((ax - v.left() + 1) * 2);
        if (ax + w / 2 - 1 > v.right())
            w = truncated((v.right() - ax + 1) * 2);
        return w;
    };
    const auto limitHeight = [&](int h) {
        if (v.top() > ay - h / 2 + 1)
            h = truncated((ay - v.top() + 1) * 2);
        if (ay + h / 2 - 1 > v.bottom())
            h = truncated((v.bottom() - ay + 1) * 2);
        return h;
    };
    switch (handle) {
    case FocusHandle_Left: {
        double h = (f.right() - x + 1) / a;
        if (v.top() > ay - h * 0.5 + 1)
            h = (ay - v.top() + 1) * 2;
        if (ay + h * 0.5 - 1 > v.bottom())
            h = (v.bottom() - ay + 1) * 2;
        f.setLeft(truncated(f.right() - a * h + 1));
        f.setTop(truncated(ay - h * 0.5 + 1));
        f.setBottom(f.top() + truncated(h) - 1);
        return FocusHandle_Left | FocusHandle_Top | FocusHandle_Bottom;
    }
    case FocusHandle_Top: {
        const int w = limitWidth(truncated(truncated(f.bottom() - y + 1) * a));
        f.setTop(f.bottom() - truncated(w / a) + 1);
        f.setLeft(truncated(ax - w / 2 + 1));
        f.setRight(f.left() + w - 1);
        return FocusHandle_Left | FocusHandle_Top | FocusHandle_Right;
    }
    case FocusHandle_Right: {
        const int h = limitHeight(truncated(truncated(x - f.left() + 1) / a));
        f.setRight(f.left() + truncated(h * a) - 1);
        f.setTop(truncated(ay - h / 2 + 1));
        f.setBottom(f.top() + h - 1);
        return FocusHandle_Top | FocusHandle_Right | FocusHandle_Bottom;
    }
    case FocusHandle_Bottom: {
        const int w = limitWidth(truncated(truncated(y - f.top() + 1) * a));
        f.setBottom(f.top() + truncated(w / a) - 1);
        f.setLeft(truncated(ax - w / 2 + 1));
        f.setRight(f.left() + w - 1);
        return FocusHandle_Left | FocusHandle_Right | FocusHandle_Bottom;
    }
    default:
        break;
    }
    // Corners: the height follows the width and stops at the view's top or bottom.
    const bool left = handle & FocusHandle_Left;
    const bool top = handle & FocusHandle_Top;
    const int w = left ? truncated(f.right() - x + 1) : truncated(x - f.left() + 1);
    int h = truncated(w / a);
    if (top && v.top() > ay - h + 1)
        h = truncated(ay - v.top() + 1);
    if (!top && ay + h - 1 > v.bottom())
        h = truncated(v.bottom() - ay + 1);
    if (left)
        f.setLeft(f.right() - truncated(h * a) + 1);
    else
        f.setRight(f.left() + truncated(h * a) - 1);
    if (top)
        f.setTop(truncated(ay - h + 1));
    else
        f.setBottom(f.top() + h - 1);
    return handle;
}

// Moves by whole pixels; the rectangle stops one pixel short of the view's right and
// bottom edges. Returns false when it did not move.
bool UxOperationScreen::moveBy(double x, double y)
{
    QRect &f = m_screenFocus;
    const QRect &v = m_view;
    const int dx = truncated(x - m_lastPos.x());
    const int dy = truncated(y - m_lastPos.y());
    int left = f.left();
    if (dx != 0) {
        left = f.left() + dx;
        if (left + f.width() > v.right())
            left = v.right() - f.width();
    }
    left = qMax(left, v.left());
    int top = f.top();
    if (dy != 0) {
        top = f.top() + dy;
        if (top + f.height() > v.bottom())
            top = v.bottom() - f.height();
    }
    top = qMax(top, v.top());
    if (left == f.left() && top == f.top())
        return false;
    f.moveTo(left, top);
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
                f.setLeft(truncated(x));
            if (handle & FocusHandle_Top)
                f.setTop(truncated(y));
            if (handle & FocusHandle_Right)
                f.setRight(truncated(x));
            if (handle & FocusHandle_Bottom)
                f.setBottom(truncated(y));
        }
    }
    mapScreenToLogic(changed);
    Q_EMIT focusRectChanged(m_logicFocus);
}

// --- Painting -------------------------------------------------------------------------

void UxOperationScreen::paint(QPainter &painter)
{
    if (!m_active || !m_showFocusZone)
        return;
    const QRect &f = m_screenFocus;
    if (m_maskUnfocusZone) {
        painter.setClipRegion(QRegion(m_view) - QRegion(f), Qt::ReplaceClip);
        painter.fillRect(m_view, m_clipRegionColor);
    }
    if (!isValid(m_logicFocus) || !isValid(f))
        return;
    painter.setClipRect(m_view, Qt::ReplaceClip);
    painter.setPen(QPen(QBrush(m_clipRectColor), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const QRect outline(f.left(), f.top(), f.right() - f.left(), f.bottom() - f.top());
    painter.drawRects(&outline, 1);
    const int midX = (f.left() + f.right()) / 2;
    const int midY = (f.top() + f.bottom()) / 2;
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
