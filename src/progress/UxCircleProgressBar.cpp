#include "UxCircleProgressBar.h"

#include "UxCircleArc.h"
#include "frame/UxAccessible.h"
#include "frame/UxNumeric.h"

#include <QBitmap>
#include <QPainter>

namespace {

// Drawn into the rectangle rather than at its corner, so that a ring with a device-pixel
// ratio above 1 (an "@2x" file) still fills it. The scaled ring is kept in cache and made
// again only when the image or the ring's size change.
void paintRing(QPainter &painter, const QRect &ring, const QImage &image, QImage &cache,
               qint64 &cachedFrom)
{
    if (cachedFrom != image.cacheKey() || cache.size() != ring.size()) {
        cache = image.scaled(ring.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        cachedFrom = image.cacheKey();
    }
    painter.drawImage(ring, cache);
}

} // namespace

UxCircleProgressBar::UxCircleProgressBar(QWidget *parent)
    : QWidget(parent)
{
}

QString UxCircleProgressBar::circleProgressBgImage() const
{
    return m_bgImagePath;
}

void UxCircleProgressBar::setCircleProgressBgImage(const QString &strPath)
{
    m_bgImagePath = strPath;
    m_bgImage = CommonCtrls::getImageFromString(strPath);
}

QString UxCircleProgressBar::circleProgressImage() const
{
    return m_progressImagePath;
}

void UxCircleProgressBar::setCircleProgressImage(const QString &strPath)
{
    m_progressImagePath = strPath;
    m_progressImage = CommonCtrls::getImageFromString(strPath);
}

QString UxCircleProgressBar::circleProgressMaskImage() const
{
    return m_maskImagePath;
}

void UxCircleProgressBar::setCircleProgressMaskImage(const QString &strPath)
{
    m_maskImagePath = strPath;
    m_maskImage = CommonCtrls::getImageFromString(strPath);
}

QColor UxCircleProgressBar::circleProgressTextColor() const
{
    return m_textColor;
}

void UxCircleProgressBar::setCircleProgressTextColor(const QColor &color)
{
    m_textColor = color;
}

int UxCircleProgressBar::circleProgressFontSize() const
{
    return m_fontSize;
}

void UxCircleProgressBar::setCircleProgressFontSize(int nSize)
{
    m_fontSize = nSize;
}

QImage UxCircleProgressBar::imageCircleProgressBg()
{
    return m_bgImage;
}

QImage UxCircleProgressBar::imageCircleProgress()
{
    return m_progressImage;
}

QImage UxCircleProgressBar::imageCircleProgressMask()
{
    return m_maskImage;
}

void UxCircleProgressBar::setMaximum(int nMax)
{
    m_maximum = nMax;
}

void UxCircleProgressBar::setMinimum(int nMin)
{
    m_minimum = nMin;
}

void UxCircleProgressBar::setRange(int nMin, int nMax)
{
    m_minimum = nMin;
    m_maximum = nMax;
}

void UxCircleProgressBar::setValue(int nValue)
{
    m_value = nValue;
    Q_EMIT valueChanged(nValue);
    uxAccessibleValueChanged(this, nValue);
    update();
}

void UxCircleProgressBar::getArc(int value, int &startAngle, int &spanAngle)
{
    uxCircleArc(value, m_minimum, m_maximum, startAngle, spanAngle);
}

// The loaded ring already carries the zoom; its size passes the zoom rule once more.
// A ring past the picture bound (a zoom far above any screen's) is not drawn at all,
// as for a ring that does not load.
QRect UxCircleProgressBar::imageRect() const
{
    QRect ring = CommonCtrls::RectAdujstDpi(QRect(QPoint(0, 0), m_bgImage.size()));
    if (!uxPictureSizeFits(ring.width(), ring.height()))
        return QRect();
    ring.moveCenter(rect().center());
    return ring;
}

// The progress ring shows only inside the clockwise sector, which is inscribed in the
// whole widget and found as the red pixels of a pie drawn off screen.
void UxCircleProgressBar::paintSector(QPainter &painter, const QRect &ring)
{
    int startAngle = 0;
    int spanAngle = 0;
    getArc(m_value, startAngle, spanAngle);
    if (spanAngle == 0 || size().isEmpty() || ring.isEmpty() || m_progressImage.isNull())
        return;
    if (m_sectorSize != size() || m_sectorStart != startAngle || m_sectorSpan != spanAngle) {
        QPixmap sector(size());
        sector.fill(Qt::white);
        QPainter pie(&sector);
        pie.setPen(Qt::red);
        pie.setBrush(QBrush(Qt::red, Qt::SolidPattern));
        pie.drawPie(QRectF(0, 0, width(), height()), startAngle, spanAngle);
        pie.end();
        m_sector = QRegion(sector.createMaskFromColor(Qt::red, Qt::MaskOutColor));
        m_sectorSize = size();
        m_sectorStart = startAngle;
        m_sectorSpan = spanAngle;
    }
    painter.save();
    painter.setClipRegion(m_sector, Qt::ReplaceClip);
    paintRing(painter, ring, m_progressImage, m_progressRing, m_progressRingFrom);
    painter.restore();
}

void UxCircleProgressBar::paintPercentage(QPainter &painter)
{
    painter.setPen(m_textColor);
    if (m_fontSize > 0) {
        QFont font = this->font();
        const double zoom = CommonCtrls::getDpi();
        if (zoom > 1.0 && zoom <= 1.25)
            m_fontSize = 8; // and so it reads from then on
        font.setPointSize(m_fontSize);
        painter.setFont(font);
    }
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignVCenter, percentageText());
}

// The value as it is, whatever the range, followed by "%".
QString UxCircleProgressBar::percentageText() const
{
    return QString::number(m_value, 10) + QLatin1Char('%');
}

void UxCircleProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_maskImage);
    const QRect ring = imageRect();
    if (!ring.isEmpty() && !m_bgImage.isNull())
        paintRing(painter, ring, m_bgImage, m_bgRing, m_bgRingFrom);
    paintSector(painter, ring);
    paintPercentage(painter);
}
