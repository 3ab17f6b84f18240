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

UxDisabledSkin::UxDisabledSkin(InfoForm form, int standardDpi)
    : m_form(form)
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
    const bool longForm = m_form == InfoForm::Long;
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

void UxDisabledSkin::drawImage(QPainter &painter, const QRect &target, qreal sourceX, qreal sourceY,
                               qreal sourceWidthCut, qreal sourceHeightCut) const
{
    if (m_image.isNull() || target.width() <= 0 || target.height() <= 0)
        return;
    const qreal d = m_image.devicePixelRatio();
    const QRectF source(sourceX * d, sourceY * d, m_image.width() - sourceWidthCut * d,
                        m_image.height() - sourceHeightCut * d);
    if (source.width() <= 0 || source.height() <= 0)
        return;
    painter.drawPixmap(QRectF(target), m_image, source);
}

void UxDisabledSkin::drawCaption(QPainter &painter, const QString &caption, const QRect &target,
                                 Qt::Alignment alignment) const
{
    painter.setPen(m_textColor);
    painter.drawText(target, static_cast<int>(alignment), caption);
}
