#ifndef UXOPERATIONSCREEN_H
#define UXOPERATIONSCREEN_H

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

// Edits one focus (crop) rectangle over one view of the picture of a video viewer.
//
// The rectangle lives in logic coordinates (pixels of the host's video) and in screen
// coordinates (pixels of the viewer, inside the view rectangle). Mouse drags reshape
// the screen rectangle, clamped to the view, a minimum size and an optional aspect
// ratio; only the logic edges that moved are rewritten, so untouched edges never
// drift. Not a widget: the viewer feeds it positions and lets it paint.
class UxOperationScreen : public QObject
{
    Q_OBJECT

public:
    // The low four bits name edges; corners combine two, Move all four.
    enum FocusHandle {
        FocusHandle_None = 0,
        FocusHandle_Left = 1,
        FocusHandle_Top = 2,
        FocusHandle_TopLeft = 3,
        FocusHandle_Right = 4,
        FocusHandle_TopRight = 6,
        FocusHandle_Bottom = 8,
        FocusHandle_BottomLeft = 9,
        FocusHandle_BottomRight = 12,
        FocusHandle_Move = 15,
    };

    UxOperationScreen(QWidget *viewer, QObject *parent);

    QRect videoRect() const { return m_view; }
    QRect focusRect() const { return m_logicFocus; }
    QRect screenFocusRect() const { return m_screenFocus; }
    QSize minimumScreenSize() const { return m_minScreen; }

    void setVideoRect(const QRect &rc);
    // Where the view can be seen, when a zoomed view reaches beyond it: painting is cut
    // to it, and the parts of the focus rectangle beyond it are grabbed at its edges. A
    // null rectangle (at first) leaves the whole view visible.
    void setVisibleRect(const QRect &rc) { m_visible = rc; }
    QRect visibleRect() const { return m_visible; }
    void setLogicVideo(const QSize &szLogic, double pixelAspect, const QRect &rcFocus,
                       const QSize &szMin);
    void mapLogicToScreen();
    void mapScreenToLogic(int changedEdges);

    void setKeepAspectRatioByLogic(bool keep, int nW, int nH, bool isKeepRect);
    void setKeepAspectRatioByView(bool keep, int nW, int nH, bool isKeepRect);
    void set3DLayout(bool isUnstretched, bool isTopBottom);
    void applyAspectRatio(double a, double b);
    bool keepsAspectRatio() const { return m_keepAspect; }
    double aspect() const { return m_aspect; }
    double screenAspect() const { return m_screenAspect; }

    void setActive(bool active) { m_active = active; }
    bool isActive() const { return m_active; }
    void setShowFocusZone(bool show);
    bool showFocusZone() const { return m_showFocusZone; }
    void setMaskUnfocusZone(bool mask);
    bool maskUnfocusZone() const { return m_maskUnfocusZone; }
    void setClipRectColor(const QColor &color) { m_clipRectColor = color; }
    void setClipRegionColor(const QColor &color) { m_clipRegionColor = color; }

    void reset();
    void copyFocusFrom(const UxOperationScreen *twin);

    bool mousePress(const QPoint &pos);
    bool mouseMove(const QPoint &pos);
    bool mouseRelease(const QPoint &pos);
    bool isDragging() const { return m_dragHandle != FocusHandle_None; }
    void paint(QPainter &painter);

    // One keyboard step in screen pixels, through the drag path: moves the rectangle, or
    // with resize moves its right edge by step.x() or else its bottom edge by step.y().
    // False when the editor takes no edits now (inactive, hidden, no geometry, dragging).
    bool keyStep(const QPoint &step, bool resize);

    int hitTest(const QPoint &pos);
    void updateCursor(int handle);
    void dragTo(int handle, const QPointF &pos);

Q_SIGNALS:
    void focusRectChanged(const QRect &rcFocus);

public Q_SLOTS:
    void onFocusLeftChanged(int nValue);
    void onFocusTopChanged(int nValue);
    void onFocusWidthChanged(int nValue);
    void onFocusHeightChanged(int nValue);
    void onFocusRectChanged(const QRect &rcFocus);

private:
    bool hasGeometry() const;
    QRect shownView() const;
    QRect grabRect() const;
    QPointF anchorOf(int handle) const;
    bool canEdit() const;
    void updateMinimumScreenSize();
    void updateScreenAspect();
    void repaintView();
    void setKeepAspectRatio(bool keep, double aspect, bool reshape, double a, double b);
    void clampToMinimumSize(int handle, double &x, double &y) const;
    bool isUnchanged(int handle, double x, double y) const;
    int resizeKeepingAspect(int handle, double x, double y);
    bool moveBy(double x, double y);
    void moveStartTo(Qt::Orientation along, int nValue);
    void setLength(Qt::Orientation along, int nValue);
    double lockedAcross(double length, Qt::Orientation along) const;

    QSize m_logicSize = QSize(-1, -1);
    QRect m_view;
    QRect m_visible;
    QRect m_logicFocus;
    QRect m_screenFocus;
    QSize m_minLogic = QSize(-1, -1);
    QSize m_minScreen = QSize(-1, -1);
    int m_dragHandle = FocusHandle_None;
    QPointF m_anchor;
    QPointF m_lastPos;
    bool m_keepAspect = false;
    double m_aspect = 1.0;
    double m_screenAspect = 1.0;
    double m_pixelAspect = 1.0;
    bool m_isUnstretched = false;
    bool m_isTopBottom = false;
    bool m_showFocusZone = true;
    bool m_maskUnfocusZone = true;
    QWidget *m_viewer;
    bool m_active = true;
    QColor m_clipRectColor = QColor("yellow");
    QColor m_clipRegionColor = QColor(255, 255, 255, 127);
};

#endif // UXOPERATIONSCREEN_H
