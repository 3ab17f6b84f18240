#include "UxDisabledSkin.h"

#include "CommonCtrls.h"
#include "frame/UxNumeric.h"
#include "frame/UxPackedText.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

double screenLogicalDpiX()
{
#ifdef Q_OS_WIN
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
#else
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 0.0;
#endif
}

int colourComponent(const UxPackedText &info, int index)
{
    return qBound(0, info.number(index), 255);
}

// Colour fields start at index first; alpha is read only when the text carries it.
QColor colourAt(const UxPackedText &info, int first, bool withAlpha)
{
    return QColor(colourComponent(info, first), colourComponent(info, first + 1),
                  colourComponent(info, first + 2),
                  withAlpha ? colourComponent(info, first + 3) : 255);
}

} // namespace

UxDisabledSkin::UxDisabledSkin(const Layout &layout, int standardDpi)
    : m_layout(layout)
    , m_standardDpi(standardDpi)
{
}

void UxDisabledSkin::setImagePath(const QString &path)
{
    m_imagePath = path;
    m_image = CommonCtrls::getPixmapFromString(path);
}

// The factor is measured at the first long-form info text and kept, so that setting
// the same text again gives the same geometry.
double UxDisabledSkin::screenFactor()
{
    if (!m_screenFactorMeasured) {
        const double dpi = screenLogicalDpiX();
        m_screenFactor = (dpi > 0.0 && m_standardDpi > 0) ? dpi / m_standardDpi : 1.0;
        m_screenFactorMeasured = true;
    }
    return m_screenFactor;
}

void UxDisabledSkin::setTextInfo(const QString &info)
{
    m_textInfo = info;
    const UxPackedText fields(info);
    const int n = fields.count();
    const bool longForm = m_layout.form == InfoForm::Long;
    const double factor = longForm ? screenFactor() : 1.0;
    if (n >= 2) {
        m_imageX = fields.number(0);
        m_imageWidthCut = fields.number(1);
    }
    const int geometryCount = longForm ? 6 : 4;
    if (n >= geometryCount) {
        m_textX = fields.number(2);
        m_textWidthCut = fields.number(3);
        if (longForm) {
            m_textY = uxTruncToInt(fields.number(4) * factor);
            m_textHeight = uxTruncToInt(fields.number(5) * factor);
        }
    }
    if (n == geometryCount + 3)
        m_textColor = colourAt(fields, geometryCount, false);
    else if (n == geometryCount + 4)
        m_textColor = colourAt(fields, geometryCount, true);
}

bool UxDisabledSkin::isDue(const QWidget &widget) const
{
    return !m_textInfo.trimmed().isEmpty() && !widget.isEnabled();
}

QRect UxDisabledSkin::imageRect(const QSize &widget) const
{
    const qint64 inset =
        m_layout.imageInset == Layout::kInsetIsImageX ? m_imageX : m_layout.imageInset;
    return uxRect(m_imageX, inset, qint64(widget.width()) - m_imageWidthCut,
                  widget.height() - 2 * inset);
}

// The source part as QPainter::drawPixmap reads it: a width or height of zero or less
// means up to the picture's right or bottom edge.
QRectF UxDisabledSkin::imageSource() const
{
    const qreal d = m_image.devicePixelRatio();
    const qreal frame = m_layout.sourceFrame * d;
    const qreal left = m_layout.sourceFollowsImageX ? m_imageX * d : frame;
    const qreal widthCut = m_layout.sourceFollowsImageX ? m_imageWidthCut * d : 2 * frame;
    QRectF source(left, frame, m_image.width() - widthCut, m_image.height() - 2 * frame);
    if (source.width() <= 0)
        source.setWidth(m_image.width() - source.x());
    if (source.height() <= 0)
        source.setHeight(m_image.height() - source.y());
    return source;
}

QRect UxDisabledSkin::captionRect(const QSize &widget) const
{
    const qint64 width = qint64(widget.width()) - m_textWidthCut;
    if (m_layout.form == InfoForm::Long)
        return uxRect(m_textX, m_textY, width, m_textHeight);
    const int inset = m_layout.captionInset;
    return uxRect(m_textX, inset, width, widget.height() - 2 * inset);
}

void UxDisabledSkin::paint(QWidget &widget, const QString &caption) const
{
    paint(widget, caption, m_layout.alignment);
}

// Order matters for check boxes and radio buttons: their image shows also without a
// caption, so the caption test comes after the image there.
void UxDisabledSkin::paint(QWidget &widget, const QString &caption, Qt::Alignment alignment) const
{
    if (!isDue(widget) || (m_layout.imageNeedsCaption && caption.isEmpty()))
        return;
    QPainter painter(&widget);
    const QRect image = imageRect(widget.size());
    const QRectF source = imageSource();
    if (!m_image.isNull() && !image.isEmpty() && !source.isEmpty())
        painter.drawPixmap(QRectF(image), m_image, source);
    if (caption.isEmpty())
        return;
    painter.setPen(m_textColor);
    painter.drawText(captionRect(widget.size()), static_cast<int>(alignment), caption);
}
