#include "UxPlaySeekingBar.h"

#include "UxSeekPreviewPopup.h"
#include "UxSliderGroove.h"
#include "frame/UxAccessible.h"
#include "frame/UxNineSlice.h"
#include "frame/UxPackedText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>
#include <numeric>
#include <utility>

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

// The value a left click at pos would jump to, laid out as the groove lays it.
int UxPlaySeekingBar::clickTarget(const QPoint &pos) const
{
    return pixelPosToRangeValue(orientation() == Qt::Horizontal ? pos.x() : pos.y());
}

// Whether a click may jump to target: inside the usable range, whichever way round it was
// given, or anywhere when outer clicks are allowed.
bool UxPlaySeekingBar::acceptsJumpTo(int target) const
{
    return m_outerClickable ||
           (qMin(m_minUsable, m_maxUsable) <= target && target <= qMax(m_minUsable, m_maxUsable));
}

void UxPlaySeekingBar::mousePressEvent(QMouseEvent *event)
{
    endPreview(); // a press begins a click or a drag, which the popup must not cover
    if (m_showOnly && uxIsLeftPress(*this, *event))
        return; // swallowed: no jump, no drag
    QStyleOptionSlider option;
    initStyleOption(&option);
    if (!UxSliderGroove(*this, option).jumpsOn(*this, *event)) {
        QSlider::mousePressEvent(event);
        return;
    }
    const int target = clickTarget(event->pos());
    if (acceptsJumpTo(target))
        uxJumpTo(*this, target);
}

void UxPlaySeekingBar::mouseMoveEvent(QMouseEvent *event)
{
    QSlider::mouseMoveEvent(event);
    if (!m_previewEnabled || event->buttons() != Qt::NoButton || isSliderDown())
        return;
    const int target = clickTarget(event->pos());
    if (m_showOnly || !acceptsJumpTo(target)) {
        endPreview();
        return;
    }
    const bool horizontal = orientation() == Qt::Horizontal;
    requestPreview(target, horizontal ? QPoint(event->pos().x(), 0) : event->pos());
    event->accept();
}

void UxPlaySeekingBar::leaveEvent(QEvent *event)
{
    endPreview();
    QSlider::leaveEvent(event);
}

void UxPlaySeekingBar::hideEvent(QHideEvent *event)
{
    endPreview();
    QSlider::hideEvent(event);
}

void UxPlaySeekingBar::setPreviewEnabled(bool isEnabled)
{
    if (isEnabled == m_previewEnabled)
        return;
    m_previewEnabled = isEnabled;
    if (isEnabled) {
        m_trackedBeforePreview = hasMouseTracking();
        setMouseTracking(true); // moves without a button reach the bar
    } else {
        endPreview();
        setMouseTracking(m_trackedBeforePreview);
    }
}

bool UxPlaySeekingBar::isPreviewEnabled() const
{
    return m_previewEnabled;
}

// Asks the host for a picture of value, unless it is the one asked for already; the popup,
// if it shows a picture, follows anchor (in this bar's coordinates) at once.
void UxPlaySeekingBar::requestPreview(int value, const QPoint &anchor)
{
    m_previewAnchor = anchor;
    if (m_previewing && value == m_previewValue) {
        showPopup();
        return;
    }
    m_previewing = true;
    m_previewValue = value;
    Q_EMIT previewRequested(value);
    // The host may have answered at once, which placed the popup already.
}

void UxPlaySeekingBar::endPreview()
{
    if (m_previewPopup)
        m_previewPopup->hide();
    if (!m_previewing)
        return;
    m_previewing = false;
    Q_EMIT previewEnded();
}

void UxPlaySeekingBar::showPreview(const QPixmap &picture, const QString &caption)
{
    if (!m_previewing)
        return; // an answer to a preview that ended
    if (!m_previewPopup)
        m_previewPopup = new UxSeekPreviewPopup(this);
    m_previewPopup->setContent(picture, caption);
    showPopup();
}

void UxPlaySeekingBar::showPopup()
{
    if (!m_previewPopup || !m_previewPopup->hasContent())
        return;
    m_previewPopup->showAt(mapToGlobal(m_previewAnchor), mapToGlobal(rect().bottomLeft()).y());
}

void UxPlaySeekingBar::setChapters(const QList<int> &positions, const QStringList &titles)
{
    QVector<int> order(positions.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&positions](int a, int b) { return positions.at(a) < positions.at(b); });
    m_chapters.clear();
    m_chapterTitles.clear();
    for (int i : order) {
        m_chapters << positions.at(i);
        m_chapterTitles << titles.value(i);
    }
    uxAccessibleNotify(this, QAccessible::DescriptionChanged); // it lists the chapters
    update();
}

QList<int> UxPlaySeekingBar::chapters() const
{
    return m_chapters;
}

QStringList UxPlaySeekingBar::chapterTitles() const
{
    return m_chapterTitles;
}

int UxPlaySeekingBar::chapterAt(int value) const
{
    return int(std::upper_bound(m_chapters.cbegin(), m_chapters.cend(), value) -
               m_chapters.cbegin()) -
           1;
}

QString UxPlaySeekingBar::chapterTitleAt(int value) const
{
    return m_chapterTitles.value(chapterAt(value));
}

void UxPlaySeekingBar::setChapterMarkColor(const QColor &color)
{
    m_chapterMarkColor = color;
    update();
}

QColor UxPlaySeekingBar::chapterMarkColor() const
{
    return m_chapterMarkColor;
}

void UxPlaySeekingBar::setChapterMarkImage(const QString &strImage)
{
    m_chapterMarkImagePath = strImage;
    m_chapterMarkSkin = CommonCtrls::getPixmapFromString(strImage);
    update();
}

QString UxPlaySeekingBar::chapterMarkImage() const
{
    return m_chapterMarkImagePath;
}

// The value Page Up or Page Down stops at from value: the first chapter beyond it that
// way, or the range's end that way.
int UxPlaySeekingBar::nextChapterStop(int value, bool forward) const
{
    if (forward) {
        const auto next = std::upper_bound(m_chapters.cbegin(), m_chapters.cend(), value);
        return next == m_chapters.cend() ? maximum() : qMin(*next, maximum());
    }
    const auto next = std::lower_bound(m_chapters.cbegin(), m_chapters.cend(), value);
    return next == m_chapters.cbegin() ? minimum() : qMax(*(next - 1), minimum());
}

void UxPlaySeekingBar::keyPressEvent(QKeyEvent *event)
{
    const bool pageUp = event->key() == Qt::Key_PageUp;
    if (m_chapters.isEmpty() || (!pageUp && event->key() != Qt::Key_PageDown)) {
        QSlider::keyPressEvent(event);
        return;
    }
    uxJumpTo(*this, nextChapterStop(value(), pageUp != invertedControls()));
    event->accept();
}

// Each chapter's mark lies on the pixel where its value is shown, the handle's and a
// click's pixel: a line across the groove, or the mark picture centred on it.
void UxPlaySeekingBar::paintChapterMarks(QPainter &painter, const QRect &groove)
{
    const bool horizontal = orientation() == Qt::Horizontal;
    const QColor color =
        m_chapterMarkColor.isValid() ? m_chapterMarkColor : palette().color(QPalette::WindowText);
    const QSize skin = uxLogicalSize(m_chapterMarkSkin);
    for (int chapter : std::as_const(m_chapters)) {
        if (chapter < minimum() || chapter > maximum())
            continue;
        const int pixel = rangeValueToPixelPos(chapter);
        if (pixel < -QWIDGETSIZE_MAX || pixel > QWIDGETSIZE_MAX)
            continue; // outer spaces near the int limits put it far off the bar
        const QPoint centre =
            horizontal ? QPoint(pixel, groove.center().y()) : QPoint(groove.center().x(), pixel);
        if (!m_chapterMarkSkin.isNull()) {
            QRect target(QPoint(), skin);
            target.moveCenter(centre);
            painter.drawPixmap(target, m_chapterMarkSkin);
        } else if (horizontal) {
            painter.fillRect(QRect(pixel, groove.top(), 1, groove.height()), color);
        } else {
            painter.fillRect(QRect(groove.left(), pixel, groove.width(), 1), color);
        }
    }
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
        painter.setClipping(false);
    }

    if (!m_chapters.isEmpty())
        paintChapterMarks(painter, UxSliderGroove(*this, option).rect());

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
