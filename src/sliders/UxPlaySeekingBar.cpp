#include "UxPlaySeekingBar.h"

#include "UxSliderGroove.h"
#include "frame/UxAccessible.h"
#include "frame/UxNineSlice.h"
#include "frame/UxPackedText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

namespace {

// Where the handle pass may paint: the handle, and the frame that some styles (Windows)
// draw round a focused slider in that pass. A style sheet's background for the slider is
// painted again in every pass; kept off the groove, it cannot cover the trim image. The
// pixel round the handle keeps its edges where they fall between device pixels (ratio
// 1.5) and where a style sheet's rounded border spills over.
QRegion handlePassRegion(const QSlider &slider, const QStyleOptionSlider &option)
{
    QRegion region(UxSliderGroove(slider, option).handle().adjusted(-1, -1, 1, 1));
    if (option.state & QStyle::State_HasFocus) {
        const QRect focus =
            slider.style()->subElementRect(QStyle::SE_SliderFocusRect, &option, &slider);
        region += QRegion(focus) - QRegion(focus.adjusted(1, 1, -1, -1));
    }
    return region;
}

} // namespace

UxPlaySeekingBar::UxPlaySeekingBar(QWidget *parent)
    : QSlider(parent)
{
}

void UxPlaySeekingBar::setUsableRange(int nMin, int nMax)
{
    m_minUsable = nMin;
    m_maxUsable = nMax;
    uxAccessibleNotify(this, QAccessible::DescriptionChanged); // it tells the usable range
    update();
}

void UxPlaySeekingBar::setMinUsablePos(int nValue)
{
    m_minUsable = nValue;
    uxAccessibleNotify(this, QAccessible::DescriptionChanged); // it tells the usable range
    update();
}

void UxPlaySeekingBar::setMaxUsablePos(int nValue)
{
    m_maxUsable = nValue;
    uxAccessibleNotify(this, QAccessible::DescriptionChanged); // it tells the usable range
    update();
}

int UxPlaySeekingBar::minUsablePos() const
{
    return m_minUsable;
}

int UxPlaySeekingBar::maxUsablePos() const
{
    return m_maxUsable;
}

void UxPlaySeekingBar::setOutterTrimRangeClickable(bool isClickable)
{
    m_outerClickable = isClickable;
}

bool UxPlaySeekingBar::isOutterTrimRangeClickable() const
{
    return m_outerClickable;
}

void UxPlaySeekingBar::setTrimRangeShowOnly(bool isShowOnly)
{
    m_showOnly = isShowOnly;
}

bool UxPlaySeekingBar::isTrimRangeShowOnly() const
{
    return m_showOnly;
}

void UxPlaySeekingBar::setTrimRangeImage(const QString &strImage)
{
    m_trimRangeImagePath = strImage;
    m_trimRangeSkin = CommonCtrls::getPixmapFromString(strImage);
}

QString UxPlaySeekingBar::trimRangeImage() const
{
    return m_trimRangeImagePath;
}

void UxPlaySeekingBar::setTrimRangeMargin(const QString &strMargin)
{
    if (strMargin.isEmpty() || strMargin == trimRangeMargin())
        return;
    QMargins margins;
    if (UxPackedText::readMargins(strMargin, &margins))
        m_trimRangeMargins =
            QRect(QPoint(margins.left(), margins.top()), QPoint(margins.right(), margins.bottom()));
}

QString UxPlaySeekingBar::trimRangeMargin() const
{
    const QRect &m = m_trimRangeMargins;
    return QStringLiteral("%1,%2,%3,%4").arg(m.top()).arg(m.right()).arg(m.bottom()).arg(m.left());
}

void UxPlaySeekingBar::setGrooveOutterSpace(const QString &strSpace)
{
    if (strSpace.isEmpty() || strSpace == grooveOutterSpace())
        return;
    const UxPackedText parts(strSpace);
    if (parts.count() != 2)
        return;
    m_grooveMinOuter = parts.number(0);
    m_grooveMaxOuter = parts.number(1);
}

QString UxPlaySeekingBar::grooveOutterSpace() const
{
    return QStringLiteral("%1,%2").arg(m_grooveMinOuter).arg(m_grooveMaxOuter);
}

int UxPlaySeekingBar::grooveMinOutter() const
{
    return m_grooveMinOuter;
}

int UxPlaySeekingBar::grooveMaxOutter() const
{
    return m_grooveMaxOuter;
}

QSize UxPlaySeekingBar::handleSize() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return UxSliderGroove(*this, option).handle().size();
}

int UxPlaySeekingBar::pixelPosToRangeValue(int pos) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const UxSliderGroove groove(*this, option);
    return groove.axis(m_grooveMinOuter, m_grooveMaxOuter).valueAt(pos, minimum(), maximum());
}

int UxPlaySeekingBar::rangeValueToPixelPos(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const UxSliderGroove groove(*this, option);
    return groove.axis(m_grooveMinOuter, m_grooveMaxOuter).pixelOf(value, minimum(), maximum());
}

int UxPlaySeekingBar::calcGlobalPosByValue(int nValue)
{
    const int p = rangeValueToPixelPos(nValue);
    const bool horizontal = orientation() == Qt::Horizontal;
    const QPoint global = uxMapToGlobal(*this, horizontal ? QPoint(p, 0) : QPoint(0, p));
    return horizontal ? global.x() : global.y();
}

int UxPlaySeekingBar::calcValueByGlobalPos(const QPoint &pos)
{
    const QPoint local = uxMapFromGlobal(*this, pos);
    return pixelPosToRangeValue(orientation() == Qt::Horizontal ? local.x() : local.y());
}

void UxPlaySeekingBar::mousePressEvent(QMouseEvent *event)
{
    if (m_showOnly && uxIsLeftPress(*this, *event))
        return; // swallowed: no jump, no drag
    QStyleOptionSlider option;
    initStyleOption(&option);
    const UxSliderGroove groove(*this, option);
    if (!groove.jumpsOn(*this, *event)) {
        QSlider::mousePressEvent(event);
        return;
    }
    const UxSliderAxis axis = groove.axis(m_grooveMinOuter, m_grooveMaxOuter);
    const int target = axis.valueAt(axis.along(event->pos()), minimum(), maximum());
    const bool usable =
        qMin(m_minUsable, m_maxUsable) <= target && target <= qMax(m_minUsable, m_maxUsable);
    if (m_outerClickable || usable)
        uxJumpTo(*this, target);
}

bool UxPlaySeekingBar::scaleTrimRangeImage(QPixmap &target, const QSize &size)
{
    const QRect &m = m_trimRangeMargins;
    return uxPaintNineSlice(m_trimRangeSkin, QMargins(m.left(), m.top(), m.right(), m.bottom()),
                            target, size);
}

// The skin sliced to the groove's size, made again only when the skin, its margins or
// the groove's size change.
const QPixmap &UxPlaySeekingBar::trimRangePicture(const QSize &size)
{
    const qint64 skinKey = m_trimRangeSkin.cacheKey();
    if (m_trimRangeCacheSkinKey != skinKey || m_trimRangeCacheMargins != m_trimRangeMargins ||
        m_trimRangeCache.size() != size) {
        m_trimRangeCache = QPixmap(size);
        scaleTrimRangeImage(m_trimRangeCache, size);
        m_trimRangeCacheSkinKey = skinKey;
        m_trimRangeCacheMargins = m_trimRangeMargins;
    }
    return m_trimRangeCache;
}

void UxPlaySeekingBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != QSlider::NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    if (!m_trimRangeSkin.isNull()) {
        // The skin covers the whole groove; only its part between the usable values,
        // those two pixels excluded, shows.
        const QRect groove = UxSliderGroove(*this, option).rect();
        QRect clip = groove;
        // Pixels of outer spaces near the int limits lie far off the bar.
        const auto edge = [this](int value, int step) {
            return uxClampCoordinate(qint64(rangeValueToPixelPos(value)) + step);
        };
        if (orientation() == Qt::Horizontal) {
            clip.setLeft(edge(m_minUsable, 1));
            clip.setRight(edge(m_maxUsable, -1));
        } else {
            clip.setBottom(edge(m_minUsable, -1));
            clip.setTop(edge(m_maxUsable, 1));
        }
        painter.setClipRect(clip, Qt::ReplaceClip);
        painter.drawPixmap(groove, trimRangePicture(groove.size()));
    }

    if (!m_showOnly) {
        painter.setClipRegion(handlePassRegion(*this, option), Qt::ReplaceClip);
        option.subControls = QStyle::SC_SliderHandle;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    }
}

void UxPlaySeekingBar::sliderChange(SliderChange change)
{
    QSlider::sliderChange(change);
    if (change == SliderRangeChange)
        uxNarrowHalfIntRange(*this);
}
