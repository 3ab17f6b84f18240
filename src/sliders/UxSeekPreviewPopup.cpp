#include "UxSeekPreviewPopup.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace {

// Room round the caption, and between the popup and the point it belongs to.
const int kCaptionPadding = 2;
const int kGap = 4;

// Moves the span [start, start + length) inside [low, high]; a span longer than that
// starts at low.
int keptInside(int start, int length, int low, int high)
{
    return qMax(low, qMin(start, high - length + 1));
}

} // namespace

UxSeekPreviewPopup::UxSeekPreviewPopup(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("seekPreview"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void UxSeekPreviewPopup::setContent(const QPixmap &picture, const QString &caption)
{
    m_picture = picture;
    m_caption = caption;
    if (m_picture.isNull()) {
        hide();
        return;
    }
    resize(sizeHint());
    update();
}

QRect UxSeekPreviewPopup::captionRect() const
{
    if (m_caption.isEmpty())
        return QRect();
    const QFontMetrics metrics(font());
    const QSize text(metrics.horizontalAdvance(m_caption) + 2 * kCaptionPadding,
                     metrics.height() + 2 * kCaptionPadding);
    return QRect(0, uxLogicalSize(m_picture).height(),
                 qMax(text.width(), uxLogicalSize(m_picture).width()), text.height());
}

QSize UxSeekPreviewPopup::sizeHint() const
{
    const QSize picture = uxLogicalSize(m_picture);
    const QRect caption = captionRect();
    return QSize(qMax(picture.width(), caption.width()), picture.height() + caption.height());
}

void UxSeekPreviewPopup::showAt(const QPoint &anchor, int below)
{
    if (m_picture.isNull())
        return;
    const QSize size = sizeHint();
    const QScreen *screen = QGuiApplication::screenAt(anchor);
    const QRect area = screen ? screen->geometry() : this->screen()->geometry();
    const QRect window = parentWidget()->window()->frameGeometry();
    int x = anchor.x() - size.width() / 2;
    x = keptInside(x, size.width(), window.left(), window.right());
    x = keptInside(x, size.width(), area.left(), area.right());
    int y = anchor.y() - kGap - size.height();
    if (y < area.top())
        y = below + kGap;
    y = keptInside(y, size.height(), area.top(), area.bottom());
    setGeometry(QRect(QPoint(x, y), size));
    show();
}

// The picture is drawn in device pixels from a device-pixel origin, so that a picture made
// at the screen's ratio is copied unscaled, also at fractional ratios.
void UxSeekPreviewPopup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().toolTipBase());
    const qreal screenRatio = painter.device()->devicePixelRatioF();
    const qreal scale = screenRatio / m_picture.devicePixelRatio();
    const int left = (width() - uxLogicalSize(m_picture).width()) / 2;
    const QRect target(QPoint(int(std::lround(left * screenRatio)), 0),
                       QSize(int(std::lround(m_picture.width() * scale)),
                             int(std::lround(m_picture.height() * scale))));
    painter.save();
    painter.scale(1 / screenRatio, 1 / screenRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, target.size() != m_picture.size());
    painter.drawPixmap(target, m_picture, m_picture.rect());
    painter.restore();
    const QRect caption = captionRect();
    if (!caption.isNull()) {
        painter.setPen(palette().color(QPalette::ToolTipText));
        painter.drawText(caption, Qt::AlignCenter, m_caption);
    }
}
