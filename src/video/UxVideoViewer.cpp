#include "UxVideoViewer.h"

#include "UxFramePath.h"
#include "UxYuvPath.h"
#include "frame/UxAccessible.h"
#include "frame/UxNumeric.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace {

const int kMouseHideMs = 1000;
const int kClickDelayMs = 300;
const double kMaxZoom = 8.0;
const double kWheelZoomStep = 1.25; // per notch of 120

// The largest w:h rectangle that fits box, centred on it. A shape without area, or a
// box without room, gives an empty rectangle at the box's centre rather than a
// division by zero.
QRect fitCentred(double w, double h, const QRect &box)
{
    QRect fitted(0, 0, 0, 0);
    if (w > 0 && h > 0) {
        double scale = box.width() / w;
        if (h * scale > box.height())
            scale = box.height() / h;
        fitted.setSize(QSize(qMax(0, uxTruncToInt(w * scale)), qMax(0, uxTruncToInt(h * scale))));
    }
    fitted.moveCenter(box.center());
    return fitted;
}

int saturatedDouble(int length)
{
    return uxSaturateToInt(2 * qint64(length));
}

int zoomedLength(int length, double zoom)
{
    return qMax(0, uxTruncToInt(length * zoom));
}

// Along one axis, the offset of a zoomed picture from its centred start, kept so that
// the picture covers the view where it is at least as long and stays centred where it
// is shorter. A NaN offset comes out as the largest one allowed, never as NaN.
double keptAxisPan(double pan, int fittedStart, int fittedLength, int zoomed, int viewStart,
                   int viewLength)
{
    if (zoomed <= viewLength)
        return 0.0;
    const double centred = fittedStart + (fittedLength - zoomed) / 2.0;
    return qBound(viewStart + double(viewLength) - zoomed - centred, pan, viewStart - centred);
}

double zoomedStart(double pan, int fittedStart, int fittedLength, int zoomed)
{
    return std::floor(fittedStart + (fittedLength - zoomed) / 2.0 + pan);
}

bool isFinitePoint(const QPointF &point)
{
    return qIsFinite(point.x()) && qIsFinite(point.y());
}

} // namespace

UxVideoViewer::UxVideoViewer(QWidget *parent)
    : QFrame(parent)
    , m_scaler(new UxFrameScaler)
    , m_yuv(new UxYuvPicture)
{
    qRegisterMetaType<UxVideoFrame>("UxVideoFrame"); // for queued connections
    calcViewerRect();
    changeVideoWidget();
    updateOpaquePainting();
}

UxVideoViewer::~UxVideoViewer() = default; // m_blankCursor pops the blank cursor it pushed

void UxVideoViewer::changeVideoWidget()
{
    setAttribute(Qt::WA_MouseTracking);
    m_mouseHidden = false;
    if (!m_mouseHideTimer)
        m_mouseHideTimer = new QTimer(this);
    connect(m_mouseHideTimer, SIGNAL(timeout()), this, SLOT(hideMouse()));
}

UxVideoViewer::AspectRatio UxVideoViewer::aspectRatio() const
{
    return m_aspectRatio;
}

void UxVideoViewer::setAspectRatio(AspectRatio ratio)
{
    if (ratio == m_aspectRatio)
        return;
    m_aspectRatio = ratio;
    calcViewerRect();
    calcVideoRect();
    update();
}

QColor UxVideoViewer::marginColor() const
{
    return m_marginColor;
}

void UxVideoViewer::setMarginColor(const QColor &color)
{
    if (color != m_marginColor) {
        m_marginColor = color;
        updateOpaquePainting();
        update();
    }
}

QColor UxVideoViewer::paddingColor() const
{
    return m_paddingColor;
}

void UxVideoViewer::setPaddingColor(const QColor &color)
{
    if (color != m_paddingColor) {
        m_paddingColor = color;
        updateOpaquePainting();
        update();
    }
}

QString UxVideoViewer::paddingBrush() const
{
    return QString();
}

void UxVideoViewer::setPaddingBrush(const QString &strImage)
{
    m_paddingImage = QImage(strImage);
    updateOpaquePainting();
}

QRect UxVideoViewer::viewerRect() const
{
    return m_viewerRect;
}

QRect UxVideoViewer::videoRect() const
{
    return m_videoRect;
}

void UxVideoViewer::setViewerRect(const QRect &rect)
{
    m_viewerRect = rect;
}

void UxVideoViewer::calcViewerRect()
{
    if (m_aspectRatio == AspectRatio_Auto) {
        m_viewerRect = rect();
        return;
    }
    const bool wide = m_aspectRatio == AspectRatio_16_9;
    m_viewerRect = fitCentred(wide ? 16 : 4, wide ? 9 : 3, rect());
}

void UxVideoViewer::calcVideoRect()
{
    if (m_inputSize.width() < 0 || m_inputSize.height() < 0)
        return; // no video announced yet
    const QSizeF shaped = shapedSize(m_displaySize.width(), m_displaySize.height());
    m_fittedRect = fitCentred(shaped.width(), shaped.height(), m_viewerRect);
    // A new viewer or video size may leave the pan out of bounds.
    const QPointF kept = keptPan(m_fittedRect, m_pan, m_zoom);
    const bool panMoved = kept.x() != m_pan.x() || kept.y() != m_pan.y();
    m_pan = kept;
    const QRect candidate = zoomedRect(m_fittedRect);
    if (candidate != m_videoRect) {
        m_videoRect = candidate;
        Q_EMIT videoRectChanged(m_videoRect);
    }
    if (panMoved)
        Q_EMIT panChanged(m_pan);
}

// --- Zoom and pan ----------------------------------------------------------------------

double UxVideoViewer::zoom() const
{
    return m_zoom;
}

QPointF UxVideoViewer::pan() const
{
    return m_pan;
}

bool UxVideoViewer::zoomGestures() const
{
    return m_zoomGestures;
}

void UxVideoViewer::setZoomGestures(bool enabled)
{
    m_zoomGestures = enabled;
    if (!enabled) {
        m_panButton = Qt::NoButton;
        m_spaceHeld = false;
    }
}

void UxVideoViewer::setZoom(double zoom)
{
    const QRectF viewer(m_viewerRect);
    setZoomAt(zoom, viewer.center());
}

void UxVideoViewer::setZoomAt(double zoom, const QPointF &widgetPoint)
{
    if (qIsNaN(zoom) || !isFinitePoint(widgetPoint))
        return;
    zoomAbout(zoom, widgetPoint, fractionAt(widgetPoint));
}

// Where the point lies on the picture as shown, as fractions of its width and height.
QPointF UxVideoViewer::fractionAt(const QPointF &widgetPoint) const
{
    const QRect shown = zoomedRect(fittedRect());
    if (shown.isEmpty())
        return QPointF();
    return QPointF((widgetPoint.x() - shown.left()) / shown.width(),
                   (widgetPoint.y() - shown.top()) / shown.height());
}

// Zooms so that the given fraction of the picture lands on the widget point.
void UxVideoViewer::zoomAbout(double zoom, const QPointF &widgetPoint, const QPointF &fraction)
{
    const double kept = qBound(1.0, zoom, kMaxZoom);
    const QRect fitted = fittedRect();
    if (fitted.isEmpty()) {
        applyView(kept, m_pan);
        return;
    }
    const int w = zoomedLength(fitted.width(), kept);
    const int h = zoomedLength(fitted.height(), kept);
    const double left = widgetPoint.x() - fraction.x() * w;
    const double top = widgetPoint.y() - fraction.y() * h;
    applyView(kept, QPointF(left - (fitted.left() + (fitted.width() - w) / 2.0),
                            top - (fitted.top() + (fitted.height() - h) / 2.0)));
}

void UxVideoViewer::setPan(const QPointF &offset)
{
    if (isFinitePoint(offset))
        applyView(m_zoom, offset);
}

void UxVideoViewer::resetZoom()
{
    applyView(1.0, QPointF());
}

void UxVideoViewer::applyView(double zoom, const QPointF &pan)
{
    const double keptZoom = qBound(1.0, zoom, kMaxZoom);
    const QPointF kept = keptPan(fittedRect(), pan, keptZoom);
    const bool zoomMoved = keptZoom != m_zoom;
    const bool panMoved = kept.x() != m_pan.x() || kept.y() != m_pan.y();
    if (!zoomMoved && !panMoved)
        return;
    m_zoom = keptZoom;
    m_pan = kept;
    calcVideoRect();
    update();
    if (zoomMoved)
        Q_EMIT zoomChanged(m_zoom);
    if (panMoved)
        Q_EMIT panChanged(m_pan);
}

QPointF UxVideoViewer::keptPan(const QRect &fitted, const QPointF &pan, double zoom) const
{
    if (fitted.isEmpty())
        return QPointF();
    const QRect &v = m_viewerRect;
    return QPointF(keptAxisPan(pan.x(), fitted.left(), fitted.width(),
                               zoomedLength(fitted.width(), zoom), v.left(), v.width()),
                   keptAxisPan(pan.y(), fitted.top(), fitted.height(),
                               zoomedLength(fitted.height(), zoom), v.top(), v.height()));
}

// The letter-boxed rectangle scaled about its centre by the zoom and moved by the pan;
// exactly the letter-boxed one at zoom 1.
QRect UxVideoViewer::zoomedRect(const QRect &fitted) const
{
    if (m_zoom == 1.0 || fitted.isEmpty())
        return fitted;
    const int w = zoomedLength(fitted.width(), m_zoom);
    const int h = zoomedLength(fitted.height(), m_zoom);
    const QPointF pan = keptPan(fitted, m_pan, m_zoom);
    return uxRect(qint64(zoomedStart(pan.x(), fitted.left(), fitted.width(), w)),
                  qint64(zoomedStart(pan.y(), fitted.top(), fitted.height(), h)), w, h);
}

// What the zoom scales: the video rectangle before zoom and pan, or, before a video is
// announced, the picture's letter-boxed rectangle.
QRect UxVideoViewer::fittedRect() const
{
    if (m_inputSize.width() < 0 || m_inputSize.height() < 0)
        return fittedPictureRect();
    return m_fittedRect;
}

QPointF UxVideoViewer::mapToVideo(const QPointF &widgetPoint) const
{
    const QRect &shown = m_videoRect;
    if (m_inputSize.width() < 1 || m_inputSize.height() < 1 || shown.isEmpty())
        return widgetPoint;
    // Fractions of the picture as shown, turned back to the picture as stored.
    const double u = (widgetPoint.x() - shown.left()) / shown.width();
    const double v = (widgetPoint.y() - shown.top()) / shown.height();
    QPointF stored(u, v);
    if (m_frameRotation == 90)
        stored = QPointF(v, 1.0 - u);
    else if (m_frameRotation == 180)
        stored = QPointF(1.0 - u, 1.0 - v);
    else if (m_frameRotation == 270)
        stored = QPointF(1.0 - v, u);
    return QPointF(stored.x() * m_inputSize.width(), stored.y() * m_inputSize.height());
}

QPointF UxVideoViewer::mapFromVideo(const QPointF &videoPoint) const
{
    const QRect &shown = m_videoRect;
    if (m_inputSize.width() < 1 || m_inputSize.height() < 1 || shown.isEmpty())
        return videoPoint;
    const double s = videoPoint.x() / m_inputSize.width();
    const double t = videoPoint.y() / m_inputSize.height();
    QPointF upright(s, t);
    if (m_frameRotation == 90) // the stored left column is the top row
        upright = QPointF(1.0 - t, s);
    else if (m_frameRotation == 180)
        upright = QPointF(1.0 - s, 1.0 - t);
    else if (m_frameRotation == 270) // the stored top row is the left column
        upright = QPointF(t, 1.0 - s);
    return QPointF(shown.left() + upright.x() * shown.width(),
                   shown.top() + upright.y() * shown.height());
}

void UxVideoViewer::setInputVideo(const QSize &szVideo, bool is3D, bool isTopBottom,
                                  bool isUnstretched)
{
    m_inputSize = szVideo;
    update3DInput(is3D, isTopBottom, isUnstretched);
}

void UxVideoViewer::update3DInput(bool is3D, bool isTopBottom, bool isUnstretched)
{
    m_is3D = is3D;
    m_isTopBottom = isTopBottom;
    m_isUnstretched = isUnstretched;
    m_displaySize = m_inputSize;
    if (is3D && !isUnstretched) {
        // Each view was squeezed to half size; stretch the pair back.
        if (isTopBottom)
            m_displaySize.setHeight(saturatedDouble(m_inputSize.height()));
        else
            m_displaySize.setWidth(saturatedDouble(m_inputSize.width()));
    }
    calcVideoRect();
    update();
}

// A size as shown: stretched by the sample aspect ratio and turned by the rotation of the
// last UxVideoFrame; unchanged for QImage frames.
QSizeF UxVideoViewer::shapedSize(double width, double height) const
{
    const QSizeF stretched(width * m_sampleAspect.width() / m_sampleAspect.height(), height);
    return m_frameRotation % 180 ? stretched.transposed() : stretched;
}

void UxVideoViewer::setFrameShape(const QSize &sampleAspect, int rotation)
{
    if (sampleAspect == m_sampleAspect && rotation == m_frameRotation)
        return;
    m_sampleAspect = sampleAspect;
    m_frameRotation = rotation;
    calcVideoRect();
    frameShapeChanged();
}

void UxVideoViewer::setFrame(std::unique_ptr<QImage> frame)
{
    const bool hadFrame = hasFrame();
    m_yuv->clear();
    m_yuvUpright = QImage();
    m_scaler->release(); // the old buffer goes, with any rows it left to the device copy
    m_frame = std::move(frame);
    updateOpaquePainting();
    if (hadFrame != hasFrame()) // screen readers are told whether there is a picture
        uxAccessibleNotify(this, QAccessible::DescriptionChanged);
}

// Where every pixel the viewer paints is opaque, Qt need not fill the background first.
void UxVideoViewer::updateOpaquePainting()
{
    const bool padding =
        m_paddingImage.isNull() ? m_paddingColor.alpha() == 255 : !m_paddingImage.hasAlphaChannel();
    const bool opaque =
        m_marginColor.alpha() == 255 && padding && (!m_frame || !m_frame->hasAlphaChannel());
    if (testAttribute(Qt::WA_OpaquePaintEvent) != opaque)
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

bool UxVideoViewer::hasFrame() const
{
    return (m_frame && !m_frame->isNull()) || !m_yuv->isNull();
}

// A YUV picture of the frame's size becomes the 24-bit buffer, as a QImage frame of that
// size would have been, so that a translucent frame shows it through.
void UxVideoViewer::adoptYuvAsBuffer(const QSize &size)
{
    if (m_yuv->isNull())
        return;
    QImage picture = m_yuv->image();
    if (picture.size() == size && !size.isEmpty())
        setFrame(std::make_unique<QImage>(picture.convertToFormat(QImage::Format_RGB888)));
    else
        setFrame(nullptr);
}

void UxVideoViewer::onUpdateVideo(const QImage &imgVideo)
{
    if (m_showStaticPicture)
        return;
    adoptYuvAsBuffer(imgVideo.size());
    setFrameShape(QSize(1, 1), 0);
    if (!m_frame || m_frame->size() != imgVideo.size()) {
        setFrame(std::make_unique<QImage>(imgVideo.size(), QImage::Format_RGB888));
        if (m_frame->isNull()) {
            // A null frame, or a buffer that could not be allocated: no picture, so
            // the padding colour shows until the next frame.
            m_frame.reset();
            update();
            return;
        }
        m_frame->fill(m_paddingColor.rgb());
    } else if (m_frame->format() != QImage::Format_RGB888) {
        // A still picture of the frame's size stays underneath, now as 24-bit buffer.
        *m_frame = m_frame->convertToFormat(QImage::Format_RGB888);
        updateOpaquePainting();
    }
    const int copied = m_scaler->ingest(imgVideo, *m_frame, pictureRect());
    if (copied < imgVideo.height()) {
        // Frames with transparency are blended over the previous buffer.
        QPainter painter(m_frame.get());
        const QRect rest(0, copied, imgVideo.width(), imgVideo.height() - copied);
        painter.drawImage(rest, imgVideo, rest);
    }
    update();
}

void UxVideoViewer::onUpdateVideoFrame(const UxVideoFrame &frame)
{
    if (m_showStaticPicture)
        return;
    const bool hadFrame = hasFrame();
    if (m_frame) { // the QImage buffer or still picture gives way
        m_scaler->release();
        m_frame.reset();
        updateOpaquePainting();
    }
    if (frame.isValid())
        setFrameShape(frame.sampleAspectRatio(), frame.rotation());
    m_yuv->take(frame, yuvPictureRect(frame.size())); // an invalid frame leaves no picture
    if (hadFrame != hasFrame())
        uxAccessibleNotify(this, QAccessible::DescriptionChanged);
    update();
}

void UxVideoViewer::setShowStaticPicture(bool isShow, const QImage &img)
{
    setFrame(nullptr);
    m_showStaticPicture = isShow;
    if (!img.isNull())
        setFrame(std::make_unique<QImage>(img));
    update();
}

void UxVideoViewer::setShowStaticPicture(bool isShow, const QString &strPath)
{
    setFrame(nullptr);
    m_showStaticPicture = isShow;
    if (isShow && !strPath.isEmpty()) {
        QImage picture(strPath);
        if (!picture.isNull()) // a picture that does not load is no picture
            setFrame(std::make_unique<QImage>(std::move(picture)));
    }
    update();
}

bool UxVideoViewer::isShowStaticPicture() const
{
    return m_showStaticPicture;
}

void UxVideoViewer::clearVideo()
{
    setFrame(nullptr);
    update();
}

QSize UxVideoViewer::calcVideoHint(int nWidth, const QSize &szVideo, int nNum, int nDen) const
{
    double w = szVideo.width();
    double h = szVideo.height();
    if (nNum >= 1 && nDen >= 1) {
        double scale = w / nNum;
        if (nDen * scale > h)
            scale = h / nDen;
        w = uxTruncToInt(nNum * scale);
        h = uxTruncToInt(nDen * scale);
    }
    if (w <= 0)
        return QSize(0, 0); // no shape to scale to the width
    const double f = nWidth / w;
    return QSize(uxTruncToInt(w * f) & ~7, uxTruncToInt(h * f) & ~3);
}

QSize UxVideoViewer::calcVideoHint(const QSize &szVideo, int nNum, int nDen) const
{
    return calcVideoHint(m_viewerRect.width(), szVideo, nNum, nDen);
}

QSize UxVideoViewer::sizeHint() const
{
    const int w = width() & ~15;
    switch (m_aspectRatio) {
    case AspectRatio_16_9:
        return QSize(w, w * 9 / 16);
    case AspectRatio_4_3:
        return QSize(w, w * 3 / 4);
    default:
        return QFrame::sizeHint();
    }
}

QSize UxVideoViewer::minimumSizeHint() const
{
    switch (m_aspectRatio) {
    case AspectRatio_16_9:
        return QSize(320, 180);
    case AspectRatio_4_3:
        return QSize(320, 240);
    default:
        return QWidget::minimumSizeHint();
    }
}

void UxVideoViewer::resizeEvent(QResizeEvent *)
{
    calcViewerRect();
    calcVideoRect();
    update();
}

QRect UxVideoViewer::yuvPictureRect(const QSize &stored) const
{
    const QSizeF shown = shapedSize(stored.width(), stored.height());
    return zoomedRect(fitCentred(shown.width(), shown.height(), m_viewerRect));
}

// The picture letter-boxed, before zoom and pan.
QRect UxVideoViewer::fittedPictureRect() const
{
    if (!m_yuv->isNull()) {
        const QSizeF shown =
            shapedSize(m_yuv->frame().size().width(), m_yuv->frame().size().height());
        return fitCentred(shown.width(), shown.height(), m_viewerRect);
    }
    if (!hasFrame())
        return m_fittedRect;
    return fitCentred(m_frame->width(), m_frame->height(), m_viewerRect);
}

QRect UxVideoViewer::pictureRect() const
{
    return zoomedRect(fittedPictureRect());
}

// Each pixel outside the picture is filled once: the margin outside the viewer
// rectangle, the padding between it and the picture, or the tiled padding image.
void UxVideoViewer::paintSurroundings(QPainter &painter, const QRect &picture)
{
    const QRegion widget(rect());
    if (m_paddingImage.isNull()) {
        painter.setClipRegion(widget - QRegion(m_viewerRect), Qt::ReplaceClip);
        painter.fillRect(rect(), m_marginColor);
        painter.setClipRegion(QRegion(m_viewerRect) - QRegion(picture), Qt::ReplaceClip);
        painter.fillRect(m_viewerRect, m_paddingColor);
    } else {
        painter.setClipRegion(widget - QRegion(picture), Qt::ReplaceClip);
        painter.fillRect(rect(), QBrush(m_paddingImage));
    }
}

void UxVideoViewer::paintFrame(QPainter &painter, const QRect &picture)
{
    if (!hasFrame()) {
        painter.fillRect(picture, m_paddingColor);
        return;
    }
    // The device copy is bounded by what the screen shows, or by the window when that
    // is larger (the window's own backing store already holds that many pixels).
    const qreal ratio = devicePixelRatioF();
    const QSize screenSize = screen() ? screen()->size() : QSize();
    const QSize windowSize = window()->size();
    const qint64 maxDevicePixels = qint64(qMax(qreal(screenSize.width()) * screenSize.height(),
                                               qreal(windowSize.width()) * windowSize.height()) *
                                          ratio * ratio);
    if (!m_yuv->isNull()) {
        if (!m_yuv->draw(painter, picture, maxDevicePixels, m_zoom == 1.0 ? QRect() : m_viewerRect))
            drawYuvImage(painter, picture, maxDevicePixels);
        return;
    }
    // A zoomed still picture is drawn from the picture as it is: its smooth copy at the
    // zoomed size could be many times the screen.
    if (m_showStaticPicture && m_zoom == 1.0 && !picture.isEmpty() &&
        m_frame->size() != picture.size())
        *m_frame = m_frame->scaled(picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!drawScaled(painter, *m_frame, picture, maxDevicePixels))
        painter.drawImage(picture, *m_frame);
}

// Draws a 24-bit picture through the scaler's device copy; false when the caller draws it.
// Zoomed, only the part in the viewer rectangle is sampled, once per frame.
bool UxVideoViewer::drawScaled(QPainter &painter, QImage &image, const QRect &picture,
                               qint64 maxDevicePixels)
{
    m_scaler->setMaxDevicePixels(maxDevicePixels);
    m_scaler->setVisible(m_zoom == 1.0 ? QRect() : picture & m_viewerRect);
    return m_scaler->draw(painter, image, picture);
}

// A YUV picture the display copy cannot serve (a painter that is not a plain raster one,
// or a part that shows larger than the screen): zoomed, the part that shows is sampled
// from a 24-bit copy of the upright picture made once per frame, so that a paint stays a
// blit; at zoom 1 QPainter draws the upright picture as before.
void UxVideoViewer::drawYuvImage(QPainter &painter, const QRect &picture, qint64 maxDevicePixels)
{
    const QImage upright = m_yuv->image();
    if (m_zoom == 1.0) {
        m_yuvUpright = QImage();
        painter.drawImage(picture, upright);
        return;
    }
    if (upright.cacheKey() != m_yuvUprightKey) {
        m_yuvUpright = QImage(); // the old copy goes before the new one is made
        m_yuvUpright = upright.convertToFormat(QImage::Format_RGB888);
        m_yuvUprightKey = upright.cacheKey();
    }
    if (!drawScaled(painter, m_yuvUpright, picture, maxDevicePixels))
        painter.drawImage(picture, upright);
}

void UxVideoViewer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect picture = pictureRect();
    // A zoomed picture is cut to the viewer rectangle; at zoom 1 it lies within it.
    const QRect shown = m_zoom == 1.0 ? picture : picture & m_viewerRect;
    paintSurroundings(painter, shown);
    painter.setClipRect(shown, Qt::ReplaceClip);
    paintFrame(painter, picture);
}

// --- Player commands -----------------------------------------------------------------

void UxVideoViewer::mousePressEvent(QMouseEvent *event)
{
    if (startsPan(event)) {
        m_panButton = event->button();
        m_spacePanned = m_spaceHeld;
        m_panGrab = event->pos();
        m_panAtGrab = m_pan;
        event->accept();
        return;
    }
    event->ignore();
    if (event->button() == Qt::LeftButton) {
        m_clickPending = true;
        QTimer::singleShot(kClickDelayMs, this, SLOT(onActPlayOrPause()));
    }
}

void UxVideoViewer::onActPlayOrPause()
{
    if (m_clickPending)
        Q_EMIT actPlayOrPause();
}

void UxVideoViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (isPanning() && event->button() == m_panButton) {
        m_panButton = Qt::NoButton;
        event->accept();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

void UxVideoViewer::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_clickPending = false;
    if (m_zoomGestures && (event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        resetZoom();
        return;
    }
    event->ignore();
    Q_EMIT changeScreen();
}

void UxVideoViewer::wheelEvent(QWheelEvent *event)
{
    // The dominant axis, as QWheelEvent::delta() reports it; compared in 64 bits, where
    // the magnitude of INT_MIN exists.
    const QPoint angle = event->angleDelta();
    const int delta = qAbs(qint64(angle.x())) > qAbs(qint64(angle.y())) ? angle.x() : angle.y();
    if (m_zoomGestures && (event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        const QPointF at = event->position();
        const bool sameAnchor = at == m_wheelPoint && m_zoom == m_wheelZoom && m_pan == m_wheelPan;
        if (!sameAnchor) {
            m_wheelPoint = at;
            m_wheelFraction = fractionAt(at);
        }
        zoomAbout(m_zoom * std::pow(kWheelZoomStep, delta / 120.0), at, m_wheelFraction);
        m_wheelZoom = m_zoom;
        m_wheelPan = m_pan;
        return;
    }
    event->ignore();
    Q_EMIT volumChange(delta / 5);
}

void UxVideoViewer::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (m_zoomGestures && key == Qt::Key_0 &&
        (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        resetZoom();
        event->accept();
        return;
    }
    if (isFullScreen()) {
        const bool leave =
            key == Qt::Key_Escape || (key == Qt::Key_Return && modifiers == Qt::AltModifier);
        if (leave || (key == Qt::Key_S && modifiers == Qt::ControlModifier)) {
            if (leave)
                Q_EMIT outFullscreen();
            else
                Q_EMIT stop();
            event->accept();
            return;
        }
    }
    if (key == Qt::Key_Space && m_zoomGestures) {
        // Held, Space lets the left button pan; its release plays or pauses.
        if (!event->isAutoRepeat()) {
            m_spaceHeld = true;
            m_spacePanned = false;
        }
    } else if (key == Qt::Key_Space) {
        Q_EMIT actPlayOrPause();
    } else if (key == Qt::Key_Up)
        Q_EMIT volumChange(10);
    else if (key == Qt::Key_Down)
        Q_EMIT volumChange(-10);
    QWidget::keyPressEvent(event);
}

void UxVideoViewer::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spaceHeld) {
        m_spaceHeld = false;
        if (!m_spacePanned)
            Q_EMIT actPlayOrPause();
    }
    QFrame::keyReleaseEvent(event);
}

void UxVideoViewer::focusOutEvent(QFocusEvent *event)
{
    m_spaceHeld = false;
    QFrame::focusOutEvent(event);
}

bool UxVideoViewer::startsPan(const QMouseEvent *event) const
{
    return m_zoomGestures && (event->button() == Qt::MiddleButton ||
                              (event->button() == Qt::LeftButton && m_spaceHeld));
}

// --- Full screen and the resting pointer ---------------------------------------------

void UxVideoViewer::toggleFullscreen()
{
    ensurePolished();
    const Qt::WindowFlags flags = windowFlags();
    // Qt::SubWindow is 0x12: entering sets the window bit and toggles those two bits,
    // leaving toggles all three back, so an embedded viewer returns to Qt::Widget and a
    // sub-window to Qt::SubWindow.
    const Qt::WindowType typeBits = Qt::SubWindow;
    const Qt::WindowStates kept =
        windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (!isFullScreen()) {
        // A window manager sizes a full-screen window; without one nobody does, so the
        // viewer takes the whole screen it is on (at the origin, on a single screen).
        const QScreen *shownOn = screen();
        setWindowFlags((flags | Qt::Window) ^ typeBits);
        if (shownOn)
            setGeometry(shownOn->geometry());
        else
            move(0, 0);
        setWindowState(kept | Qt::WindowFullScreen);
        show();
        activateWindow();
        m_mouseHideTimer->start(kMouseHideMs);
    } else {
        // Popped before the flags change hides the window, so that the hide does not
        // pop it a second time; m_mouseHidden stays set.
        popTopOverrideCursor();
        const bool hadKeyboard = isActiveWindow();
        setWindowFlags(flags ^ (typeBits | Qt::Window));
        setWindowState(kept);
        show();
        // The full-screen window held the keyboard; without a window manager nobody hands
        // it back to the window the viewer returns to.
        if (hadKeyboard)
            window()->activateWindow();
        m_mouseHideTimer->stop();
    }
    uxAccessibleNotify(this, QAccessible::DescriptionChanged); // it tells full screen
}

void UxVideoViewer::setMouseHidable(bool isHidable)
{
    m_mouseHidable = isHidable;
}

void UxVideoViewer::hideMouse()
{
    // A hidden viewer has no pointer to hide: a blank cursor pushed now would stay over
    // the whole application.
    if (!isFullScreen() || !isVisible() || m_mouseHidden || !m_mouseHidable)
        return;
    m_blankCursor.push();
    m_mouseHideTimer->stop();
    Q_EMIT mouseHide();
    m_mouseHidden = true;
}

void UxVideoViewer::mouseMoveEvent(QMouseEvent *event)
{
    if (isPanning() && !(event->buttons() & m_panButton))
        m_panButton = Qt::NoButton; // its release went elsewhere
    if (isPanning())
        setPan(m_panAtGrab + QPointF(event->pos() - m_panGrab));
    event->ignore();
    if (!isFullScreen())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    Q_EMIT mouseShow(event->globalPosition().toPoint());
#else
    Q_EMIT mouseShow(event->globalPos());
#endif
    if (m_mouseHidden) {
        popTopOverrideCursor();
        m_mouseHidden = false;
        m_mouseHideTimer->start(kMouseHideMs);
    }
}

void UxVideoViewer::BlankCursor::push()
{
    if (m_pushed)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    m_pushed = true;
}

bool UxVideoViewer::BlankCursor::pop()
{
    if (!m_pushed)
        return false;
    QGuiApplication::restoreOverrideCursor();
    m_pushed = false;
    return true;
}

UxVideoViewer::BlankCursor::~BlankCursor()
{
    pop();
}

// On purpose, as documented: leaving full screen, and the first move after the pointer
// hid, pop the application's top override cursor even when this viewer pushed none (it
// left full screen with the pointer hidden and came back).
void UxVideoViewer::popTopOverrideCursor()
{
    if (!m_blankCursor.pop())
        QGuiApplication::restoreOverrideCursor();
}

// The blank cursor is application-wide: a viewer that goes away (hidden, closed or
// destroyed) pops the one it pushed, and only that one. False when it had pushed none.
bool UxVideoViewer::releaseBlankCursor()
{
    if (!m_blankCursor.pop())
        return false;
    m_mouseHidden = false;
    return true;
}

void UxVideoViewer::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (!isFullScreen()) {
        releaseBlankCursor();
        m_mouseHideTimer->stop();
    } else if (!m_mouseHidden && !m_mouseHideTimer->isActive()) {
        m_mouseHideTimer->start(kMouseHideMs);
    }
}

void UxVideoViewer::hideEvent(QHideEvent *event)
{
    if (releaseBlankCursor())
        m_mouseHideTimer->start(kMouseHideMs); // hides again a second after it is shown
    QFrame::hideEvent(event);
}
