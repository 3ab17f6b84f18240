#include "UxScrollButton.h"

#include "frame/UxNumeric.h"

#include <QPainter>

UxScrollButton::UxScrollButton(QWidget *parent)
    : QToolButton(parent)
{
}

QString UxScrollButton::arrowImage()
{
    return m_arrowImagePath;
}

void UxScrollButton::setArrowImage(const QString &path)
{
    m_arrowImagePath = path;
    m_arrowImage = CommonCtrls::getPixmapFromString(path);
}

QString UxScrollButton::arrowDisableImage()
{
    return m_arrowDisableImagePath;
}

void UxScrollButton::setArrowDisableImage(const QString &path)
{
    m_arrowDisableImagePath = path;
    m_arrowDisableImage = CommonCtrls::getPixmapFromString(path);
}

// The arrow is centred in device pixels first and only then brought to the widget's
// coordinates, so that an "@2x" arrow lands on the same pixels as its ratio-1 twin.
void UxScrollButton::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    const QPixmap &arrow = isEnabled() ? m_arrowImage : m_arrowDisableImage;
    if (arrow.isNull())
        return;
    const double ratio = arrow.devicePixelRatio();
    const QPoint centre = rect().center();
    const int x = centre.x() - arrow.width() / 2;
    const int y = centre.y() - arrow.height() / 2;
    const QRect target(uxTruncToInt(x / ratio), uxTruncToInt(y / ratio),
                       uxTruncToInt(arrow.width() / ratio), uxTruncToInt(arrow.height() / ratio));
    QPainter painter(this);
    painter.drawPixmap(target, arrow);
}
