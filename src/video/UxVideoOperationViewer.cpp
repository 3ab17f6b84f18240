#include "UxVideoOperationViewer.h"

#include "UxOperationScreen.h"
#include "frame/UxAccessible.h"
#include "frame/UxNumeric.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A crop key: an arrow moves the rectangle, with Shift its right or bottom edge; one
// screen pixel, ten with Ctrl. A null step for every other key.
struct CropStep
{
    QPoint step;
    bool resize = false;
};

CropStep cropStepOf(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier))
        return {};
    const int length = (modifiers & Qt::ControlModifier) ? 10 : 1;
    const bool resize = modifiers & Qt::ShiftModifier;
    switch (key.key()) {
    case Qt::Key_Left:
        return {QPoint(-length, 0), resize};
    case Qt::Key_Right:
        return {QPoint(length, 0), resize};
    case Qt::Key_Up:
        return {QPoint(0, -length), resize};
    case Qt::Key_Down:
        return {QPoint(0, length), resize};
    default:
        return {};
    }
}

} // namespace

UxVideoOperationViewer::UxVideoOperationViewer(QWidget *parent)
    : UxVideoViewer(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    m_first = new UxOperationScreen(this, this);
    m_second = new UxOperationScreen(this, this);
    connect(this, SIGNAL(videoRectChanged(QRect)), this, SLOT(onVideoRectChanged(QRect)));
    connect(m_first, SIGNAL(focusRectChanged(QRect)), this, SLOT(onScreenFocusRectChanged(QRect)));
    connect(m_second, SIGNAL(focusRectChanged(QRect)), this, SLOT(onScreenFocusRectChanged(QRect)));
}

void UxVideoOperationViewer::setLogicVideo(const QSize &szLogic, int nNum, int nDen,
                                           const QRect &rcFocus, const QSize &szMin)
{
    // Displayed width of one logic pixel relative to its height; square without a shape.
    const bool shaped = nNum >= 1 && nDen >= 1 && szLogic.width() >= 1 && szLogic.height() >= 1;
    m_pixelAspect = shaped ? double(nNum) / nDen * szLogic.height() / szLogic.width() : 1.0;
    m_logicSize = szLogic;
    m_minimumSize = szMin;
    layOutEditors(rcFocus);
}

// The editors work on the picture as shown: upright, in logic pixels turned with it.
void UxVideoOperationViewer::layOutEditors(const QRect &rcFocus)
{
    const bool quarterTurn = uprightRotation() % 180 != 0;
    const QSize logic = quarterTurn ? m_logicSize.transposed() : m_logicSize;
    const double pixelAspect = quarterTurn ? 1.0 / m_pixelAspect : m_pixelAspect;
    const QSize minimum = quarterTurn ? m_minimumSize.transposed() : m_minimumSize;
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->setLogicVideo(logic, pixelAspect, toUpright(rcFocus), minimum);
    onVideoRectChanged(videoRect());
}

// The rotation the editors follow: the frames', once a logic video has been set.
int UxVideoOperationViewer::uprightRotation() const
{
    return m_logicSize.width() >= 0 && m_logicSize.height() >= 0 ? m_rotation : 0;
}

// A rectangle of the picture as stored turned with it, and back.
QRect UxVideoOperationViewer::toUpright(const QRect &r) const
{
    return UxVideoFrame::turnedRect(r, m_logicSize, uprightRotation());
}

QRect UxVideoOperationViewer::toStored(const QRect &r) const
{
    const int rotation = uprightRotation();
    return UxVideoFrame::turnedRect(r, rotation % 180 ? m_logicSize.transposed() : m_logicSize,
                                    360 - rotation);
}

void UxVideoOperationViewer::frameShapeChanged()
{
    if (frameRotation() == m_rotation)
        return;
    const QRect stored = focusRect();
    m_rotation = frameRotation();
    if (m_logicSize.width() < 0 || m_logicSize.height() < 0)
        return; // nothing laid out yet
    layOutEditors(stored);
    applyLock(true);
}

void UxVideoOperationViewer::followInputLayout(bool is3D, bool isTopBottom, bool isUnstretched)
{
    m_second->setActive(is3D);
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->set3DLayout(isUnstretched, isTopBottom);
    onVideoRectChanged(videoRect());
}

void UxVideoOperationViewer::setInputVideo(const QSize &szVideo, bool is3D, bool isTopBottom,
                                           bool isUnstretched)
{
    UxVideoViewer::setInputVideo(szVideo, is3D, isTopBottom, isUnstretched);
    followInputLayout(is3D, isTopBottom, isUnstretched);
}

void UxVideoOperationViewer::update3DInput(bool is3D, bool isTopBottom, bool isUnstretched)
{
    UxVideoViewer::update3DInput(is3D, isTopBottom, isUnstretched);
    followInputLayout(is3D, isTopBottom, isUnstretched);
}

QRect UxVideoOperationViewer::focusRect() const
{
    return toStored(m_first->focusRect());
}

double UxVideoOperationViewer::pixelAspect() const
{
    return m_pixelAspect;
}

void UxVideoOperationViewer::setFocusZoneKeepAspectRatioByLogic(bool keep, int nW, int nH,
                                                                bool isKeepRect)
{
    if (keep && (nW <= 0 || nH <= 0))
        return; // no shape to keep
    m_lock = {keep, false, nW, nH};
    applyLock(isKeepRect);
}

void UxVideoOperationViewer::setFocusZoneKeepAspectRatioByView(bool keep, int nW, int nH,
                                                               bool isKeepRect)
{
    if (keep && (nW <= 0 || nH <= 0))
        return;
    m_lock = {keep, true, nW, nH};
    applyLock(isKeepRect);
}

// The lock's shape is the stored picture's; the editors see it turned with the picture.
void UxVideoOperationViewer::applyLock(bool isKeepRect)
{
    const bool quarterTurn = uprightRotation() % 180 != 0;
    const int w = quarterTurn ? m_lock.height : m_lock.width;
    const int h = quarterTurn ? m_lock.width : m_lock.height;
    for (UxOperationScreen *editor : {m_first, m_second}) {
        if (m_lock.byView)
            editor->setKeepAspectRatioByView(m_lock.keep, w, h, isKeepRect);
        else
            editor->setKeepAspectRatioByLogic(m_lock.keep, w, h, isKeepRect);
    }
}

void UxVideoOperationViewer::setShowFocusZone(bool show)
{
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->setShowFocusZone(show);
}

bool UxVideoOperationViewer::showFocusZone() const
{
    return m_first->showFocusZone();
}

void UxVideoOperationViewer::setMaskUnfocusZone(bool mask)
{
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->setMaskUnfocusZone(mask);
}

bool UxVideoOperationViewer::maskUnfocusZone() const
{
    return m_first->maskUnfocusZone();
}

void UxVideoOperationViewer::setClipRectColor(const QColor &color)
{
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->setClipRectColor(color);
}

void UxVideoOperationViewer::setClipRegionColor(const QColor &color)
{
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->setClipRegionColor(color);
}

void UxVideoOperationViewer::reset()
{
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->reset();
    m_pixelAspect = 1.0;
    m_logicSize = m_minimumSize = QSize(-1, -1);
    m_lock = Lock();
}

// A host edit of one value goes to both editors. For a picture shown turned it is made
// on the stored rectangle instead and the whole rectangle handed over turned: a lock does
// not reshape it then.
template <typename Edit>
void UxVideoOperationViewer::editFocus(int nValue, QRect (*turned)(const QRect &, int), Edit edit)
{
    if (uprightRotation() != 0) {
        onFocusRectChanged(turned(focusRect(), nValue));
        return;
    }
    for (UxOperationScreen *editor : {m_first, m_second})
        (editor->*edit)(nValue);
    uxAccessibleCropChanged(this);
}

void UxVideoOperationViewer::onFocusLeftChanged(int nValue)
{
    const auto moved = [](const QRect &r, int v) {
        return uxRectWithSize(v, r.top(), r.width(), r.height());
    };
    editFocus(nValue, moved, &UxOperationScreen::onFocusLeftChanged);
}

void UxVideoOperationViewer::onFocusTopChanged(int nValue)
{
    const auto moved = [](const QRect &r, int v) {
        return uxRectWithSize(r.left(), v, r.width(), r.height());
    };
    editFocus(nValue, moved, &UxOperationScreen::onFocusTopChanged);
}

void UxVideoOperationViewer::onFocusWidthChanged(int nValue)
{
    const auto sized = [](const QRect &r, int v) {
        return uxRectWithSize(r.left(), r.top(), v, r.height());
    };
    editFocus(nValue, sized, &UxOperationScreen::onFocusWidthChanged);
}

void UxVideoOperationViewer::onFocusHeightChanged(int nValue)
{
    const auto sized = [](const QRect &r, int v) {
        return uxRectWithSize(r.left(), r.top(), r.width(), v);
    };
    editFocus(nValue, sized, &UxOperationScreen::onFocusHeightChanged);
}

void UxVideoOperationViewer::onFocusRectChanged(const QRect &rcFocus)
{
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->onFocusRectChanged(toUpright(rcFocus));
    uxAccessibleCropChanged(this);
}

// A stereoscopic frame's views split the video rectangle; an odd size gives the
// second view the extra row or column.
void UxVideoOperationViewer::onVideoRectChanged(const QRect &rcVideo)
{
    QRect first = rcVideo;
    QRect second = rcVideo;
    if (is3D() && isTopBottom()) {
        const int half = rcVideo.height() / 2;
        first.setBottom(rcVideo.top() + half - 1);
        second.setTop(rcVideo.top() + half);
    } else if (is3D()) {
        const int half = rcVideo.width() / 2;
        first.setRight(rcVideo.left() + half - 1);
        second.setLeft(rcVideo.left() + half);
    }
    // A zoomed picture reaches beyond the viewer rectangle, which is all that shows.
    for (UxOperationScreen *editor : {m_first, m_second})
        editor->setVisibleRect(viewerRect());
    m_first->setVideoRect(first);
    m_second->setVideoRect(second);
    uxAccessibleCropChanged(this);
}

// Whatever view is edited, the other shows the same rectangle.
void UxVideoOperationViewer::onScreenFocusRectChanged(const QRect &rcFocus)
{
    if (sender() == m_first)
        m_second->copyFocusFrom(m_first);
    else if (sender() == m_second)
        m_first->copyFocusFrom(m_second);
    else
        return;
    uxAccessibleCropChanged(this);
    Q_EMIT focusRectChanged(toStored(rcFocus));
}

UxOperationScreen *UxVideoOperationViewer::editorAt(const QPoint &pos) const
{
    if (!viewerRect().contains(pos))
        return nullptr; // the part of a zoomed picture beyond what shows
    for (UxOperationScreen *editor : {m_first, m_second}) {
        if (editor->videoRect().contains(pos))
            return editor;
    }
    return nullptr;
}

UxOperationScreen *UxVideoOperationViewer::draggingEditor() const
{
    for (UxOperationScreen *editor : {m_first, m_second}) {
        if (editor->isDragging())
            return editor;
    }
    return nullptr;
}

void UxVideoOperationViewer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !startsPan(event)) {
        UxOperationScreen *target = editorAt(event->pos());
        if (target && target->mousePress(event->pos())) {
            event->accept();
            return;
        }
    }
    UxVideoViewer::mousePressEvent(event); // a press off the rectangle plays or pauses
}

void UxVideoOperationViewer::mouseMoveEvent(QMouseEvent *event)
{
    UxOperationScreen *target = draggingEditor();
    if (!target && !isPanning())
        target = editorAt(event->pos());
    if (!target) { // panning, or off the picture
        UxVideoViewer::mouseMoveEvent(event);
        return;
    }
    target->mouseMove(event->pos());
    event->accept();
}

void UxVideoOperationViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (UxOperationScreen *target = draggingEditor()) {
        target->mouseRelease(event->pos());
        event->accept();
        return;
    }
    UxVideoViewer::mouseReleaseEvent(event); // ends a pan
}

// The viewer's own keys come first and unchanged (Up and Down still change the volume,
// and every key still reaches the parent); the crop keys come on top. The first editor
// takes them and the second follows it, as after a drag.
void UxVideoOperationViewer::keyPressEvent(QKeyEvent *event)
{
    UxVideoViewer::keyPressEvent(event);
    const CropStep crop = cropStepOf(*event);
    m_first->keyStep(crop.step, crop.resize);
}

void UxVideoOperationViewer::paintEvent(QPaintEvent *event)
{
    UxVideoViewer::paintEvent(event);
    QPainter painter(this);
    for (UxOperationScreen *editor : {m_first, m_second}) {
        if (editor->videoRect().isValid())
            editor->paint(painter);
    }
}
