#include "UxProgressBar.h"

#include "frame/UxAccessible.h"
#include "frame/UxNineSlice.h"
#include "frame/UxNumeric.h"
#include "frame/UxPackedText.h"

#include <QPainter>
#include <QStyleOptionProgressBar>

#include <cmath>

namespace {

// What QColor::setNamedColor makes of a name, without its warning for unknown names.
QColor namedColor(const QString &name)
{
    return QColor::isValidColor(name) ? QColor(name) : QColor();
}

QMargins marginsOf(const QRect &corners)
{
    return QMargins(corners.left(), corners.top(), corners.right(), corners.bottom());
}

} // namespace

UxProgressBar::UxProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
}

void UxProgressBar::setProgressPixmap(const QString &strPixmap)
{
    m_pixmapText = strPixmap;
    const UxPackedText paths(strPixmap);
    if (paths.count() != 2)
        return;
    m_background = CommonCtrls::getPixmapFromString(paths.part(0));
    m_progress = CommonCtrls::getPixmapFromString(paths.part(1));
}

QString UxProgressBar::progressPixmap() const
{
    return m_pixmapText;
}

void UxProgressBar::setProgressMargin(const QString &strMargin)
{
    m_marginText = strMargin;
    QMargins margins;
    if (UxPackedText::readMargins(strMargin, &margins))
        m_margins =
            QRect(QPoint(margins.left(), margins.top()), QPoint(margins.right(), margins.bottom()));
}

QString UxProgressBar::progressMargin() const
{
    return m_marginText;
}

void UxProgressBar::setTextColor(QString strColor)
{
    m_colorText = strColor;
    const UxPackedText colours(strColor, QLatin1Char('*'));
    if (colours.count() < 2)
        return;
    m_lowTextColor = namedColor(colours.part(0));
    m_highTextColor = namedColor(colours.part(1));
}

QString UxProgressBar::textColor()
{
    return m_colorText;
}

void UxProgressBar::useFloat(bool isFloat)
{
    m_floatText = isFloat;
}

// The value's place in the range as a percentage; 0 for a range without length.
double UxProgressBar::percent() const
{
    const qint64 length = qint64(maximum()) - minimum();
    return length != 0 ? (qint64(value()) - minimum()) * 100.0 / length : 0.0;
}

void UxProgressBar::setDoubleValue(int nValue, int nDecimals)
{
    setMinimum(0);
    setMaximum(uxTruncToInt(100 * std::pow(10.0, nDecimals)));
    setValue(nValue);
    const QString number = QString::number(percent(), 'f', 2);
    setFormat(QString::fromLocal8Bit("%1%").arg(number));
    uxAccessibleValueChanged(this, value()); // the text changed, maybe not the value
}

bool UxProgressBar::scaleImage(const QPixmap &skin, const QRect &margins, QPixmap &target,
                               const QSize &size)
{
    UxNineSliceOptions options;
    options.refuseBelowTwoPixels = true;
    options.joinEndsWhenNarrow = true;
    options.smoothPixmapTransform = true;
    return uxPaintNineSlice(skin, marginsOf(margins), target, size, options);
}

// The minimum is not subtracted here, unlike for the fill: for bars starting at 0
// the two agree.
QColor UxProgressBar::chosenTextColor() const
{
    const qint64 length = qint64(maximum()) - minimum();
    const qint64 colourPercent = qint64(value()) * 100 / length;
    return colourPercent > 50 ? m_highTextColor : m_lowTextColor;
}

// Without both skins, or with a left margin of 0, the style draws the bar.
bool UxProgressBar::paintsSkins() const
{
    return !m_progress.isNull() && !m_background.isNull() && m_margins.left() != 0;
}

// The text the bar paints: the format's, or on the skinned bar with useFloat() the
// percentage with two decimals.
QString UxProgressBar::shownText() const
{
    if (!m_floatText || maximum() == minimum() || !paintsSkins())
        return text();
    return QString::number(float(percent()), 'f', 2) + QLatin1Char('%');
}

void UxProgressBar::paintEvent(QPaintEvent *event)
{
    if (maximum() == minimum()) { // the busy indicator, for one
        QProgressBar::paintEvent(event);
        return;
    }
    const QColor text = chosenTextColor();
    if (!paintsSkins()) {
        QPalette pal = palette();
        pal.setBrush(QPalette::Text, QBrush(text));
        setPalette(pal);
        QProgressBar::paintEvent(event);
        return;
    }

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    const QRect groove = style()->subElementRect(QStyle::SE_ProgressBarGroove, &option, this);
    const int w = groove.width();
    const int h = groove.height();

    QPixmap background(w, h);
    if (scaleImage(m_background, m_margins, background, QSize(w, h)))
        painter.drawPixmap(groove, background);

    const qint64 length = qint64(maximum()) - minimum();
    const int fill = int((qint64(value()) - minimum()) * w / length);
    QPixmap progress(fill, h);
    if (scaleImage(m_progress, m_margins, progress, QSize(fill, h)) && fill > 1)
        painter.drawPixmap(QRect(groove.left(), groove.top(), fill, h), progress);

    if (option.textVisible) {
        const QString caption = shownText();
        painter.save();
        painter.setPen(text);
        painter.drawText(groove, Qt::AlignCenter, caption);
        painter.restore();
    }
}
