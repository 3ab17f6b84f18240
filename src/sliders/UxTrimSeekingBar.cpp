#include "UxTrimSeekingBar.h"

#include "UxSliderAxis.h"
#include "frame/UxAccessible.h"
#include "frame/UxNumeric.h"

#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionToolButton>

namespace {

// Farther than any int lies from any other: Home and End stop only at a handle's limit.
const qint64 kToTheLimit = qint64(1) << 33;

// How far a key moves a focused handle, in slider values; 0 for keys that mean nothing
// to a handle.
qint64 keyDelta(const QKeyEvent &key, int singleStep)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return 0;
    const qint64 step = qint64(singleStep) * (modifiers == Qt::ShiftModifier ? 10 : 1);
    switch (key.key()) {
    case Qt::Key_Left:
        return -step;
    case Qt::Key_Right:
        return step;
    case Qt::Key_Home:
        return -kToTheLimit;
    case Qt::Key_End:
        return kToTheLimit;
    default:
        return 0;
    }
}

// Whether the button's style paints it differently when it has focus; asked only while
// a handle has focus.
bool styleShowsFocus(const QToolButton &button)
{
    if (button.width() < 1 || button.height() < 1)
        return true; // nothing to show focus on
    QStyleOptionToolButton option;
    option.initFrom(&button);
    option.subControls = QStyle::SC_ToolButton;
    option.toolButtonStyle = button.toolButtonStyle();
    const auto render = [&](QStyle::State focus) {
        QImage image(button.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        option.state = (option.state & ~QStyle::State_HasFocus) | focus;
        button.style()->drawComplexControl(QStyle::CC_ToolButton, &option, &painter, &button);
        return image;
    };
    return render(QStyle::State_HasFocus) != render(QStyle::State_None);
}

} // namespace

UxTrimSeekingBar::UxTrimSeekingBar(QWidget *parent)
    : QFrame(parent)
    , m_playBar(this)
    , m_startButton(this)
    , m_endButton(this)
{
    m_playBar.setObjectName(QStringLiteral("playSeekingBar"));
    m_playBar.setOrientation(Qt::Horizontal);
    m_playBar.setOutterTrimRangeClickable(true);
    m_startButton.setObjectName(QStringLiteral("btnTrimLeft"));
    m_endButton.setObjectName(QStringLiteral("btnTrimRight"));
    // The handles take focus from Tab and from a click, after the seek bar.
    for (QToolButton *handle : {&m_startButton, &m_endButton})
        handle->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(&m_playBar, &m_startButton);
    setTabOrder(&m_startButton, &m_endButton);
    retranslateUi();
    connect(&m_playBar, SIGNAL(valueChanged(int)), this, SIGNAL(valueChanged(int)));
    connect(&m_playBar, SIGNAL(actionTriggered(int)), this, SIGNAL(actionTriggered(int)));
    connect(&m_playBar, SIGNAL(previewRequested(int)), this, SIGNAL(previewRequested(int)));
    connect(&m_playBar, SIGNAL(previewEnded()), this, SIGNAL(previewEnded()));
    m_startButton.installEventFilter(this);
    m_endButton.installEventFilter(this);
    uxInstallAccessibleFactory(); // describes the handles, which are plain tool buttons
}

void UxTrimSeekingBar::retranslateUi()
{
    m_startButton.setToolTip(tr("Drag to set the start point"));
    m_endButton.setToolTip(tr("Drag to set the end point"));
}

void UxTrimSeekingBar::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

void UxTrimSeekingBar::setRange(int nMin, int nMax)
{
    m_playBar.setRange(nMin, nMax);
}

void UxTrimSeekingBar::setValue(int nValue)
{
    m_playBar.setValue(nValue);
}

int UxTrimSeekingBar::value() const
{
    return m_playBar.value();
}

void UxTrimSeekingBar::setTrimStartEnd(int nStart, int nEnd, int nMinLength)
{
    m_trimStart = nStart;
    m_trimEnd = nEnd;
    m_minTrimLength = nMinLength;
    m_playBar.setUsableRange(nStart, nEnd);
    layoutTrimStartComponent();
    layoutTrimEndComponent();
    uxAccessibleValueChanged(&m_startButton, nStart);
    uxAccessibleValueChanged(&m_endButton, nEnd);
}

int UxTrimSeekingBar::trimStart() const
{
    return m_trimStart;
}

int UxTrimSeekingBar::trimEnd() const
{
    return m_trimEnd;
}

// Trim points may lie anywhere in int; a length past int saturates.
int UxTrimSeekingBar::trimLength() const
{
    return uxSaturateToInt(qint64(m_trimEnd) - m_trimStart);
}

void UxTrimSeekingBar::onTrimStartChanged(int value)
{
    if (value == m_trimStart)
        return;
    m_trimStart = value;
    m_playBar.setMinUsablePos(value);
    layoutTrimStartComponent();
    uxAccessibleValueChanged(&m_startButton, value);
}

void UxTrimSeekingBar::onTrimEndChanged(int value)
{
    if (value == m_trimEnd)
        return;
    m_trimEnd = value;
    m_playBar.setMaxUsablePos(value);
    layoutTrimEndComponent();
    uxAccessibleValueChanged(&m_endButton, value);
}

void UxTrimSeekingBar::onTrimLengthChanged(int value)
{
    if (qint64(m_trimEnd) - m_trimStart == value)
        return;
    m_trimEnd = uxSaturateToInt(qint64(m_trimStart) + value);
    m_playBar.setMaxUsablePos(m_trimEnd);
    layoutTrimEndComponent();
    uxAccessibleValueChanged(&m_endButton, m_trimEnd);
}

void UxTrimSeekingBar::setPreviewEnabled(bool isEnabled)
{
    m_playBar.setPreviewEnabled(isEnabled);
    if (isEnabled && !m_startDragging && !m_endDragging) {
        if (m_startButton.hasFocus())
            previewHandle(m_startButton);
        else if (m_endButton.hasFocus())
            previewHandle(m_endButton);
    }
}

bool UxTrimSeekingBar::isPreviewEnabled() const
{
    return m_playBar.isPreviewEnabled();
}

void UxTrimSeekingBar::setChapters(const QList<int> &positions, const QStringList &titles)
{
    m_playBar.setChapters(positions, titles);
}

QList<int> UxTrimSeekingBar::chapters() const
{
    return m_playBar.chapters();
}

void UxTrimSeekingBar::showPreview(const QPixmap &picture, const QString &caption)
{
    m_playBar.showPreview(picture, caption);
}

// A focused handle's trim point is previewed as the pointer's value is, the popup above
// the point's pixel on the play bar.
void UxTrimSeekingBar::previewHandle(const QToolButton &handle)
{
    if (!m_playBar.isPreviewEnabled())
        return;
    const int value = &handle == &m_startButton ? m_trimStart : m_trimEnd;
    m_playBar.requestPreview(value, QPoint(m_playBar.rangeValueToPixelPos(value), 0));
}

// A value's pixel in this widget, found through the screen as the play bar maps it.
int UxTrimSeekingBar::xOfValue(int value)
{
    return uxMapFromGlobal(*this, QPoint(m_playBar.calcGlobalPosByValue(value), 0)).x();
}

// Outer spaces near the int limits put a value's pixel far off the bar; the handle
// then stops at the edge of the range widget coordinates can take.
void UxTrimSeekingBar::layoutTrimStartComponent()
{
    m_startButton.move(uxClampCoordinate(qint64(xOfValue(m_trimStart)) - m_startButton.width()),
                       m_startButton.y());
}

void UxTrimSeekingBar::layoutTrimEndComponent()
{
    m_endButton.move(uxClampCoordinate(xOfValue(m_trimEnd)), m_endButton.y());
}

// The buttons hang below the bar; its outer spaces reach over them.
void UxTrimSeekingBar::resizeEvent(QResizeEvent *)
{
    const QSize bar = m_playBar.sizeHint();
    const QSize start = m_startButton.sizeHint();
    const QSize end = m_endButton.sizeHint();
    const qint64 minOuter = m_playBar.grooveMinOutter();
    const qint64 maxOuter = m_playBar.grooveMaxOutter();
    const qint64 left = minOuter < start.width() ? start.width() - minOuter : 0;
    const qint64 right = maxOuter < end.width() ? width() - end.width() + maxOuter : width() - 1;
    m_playBar.setGeometry(uxRect(left, 0, right - left + 1, bar.height()));
    m_startButton.setGeometry(QRect(QPoint(0, height() - start.height()), start));
    m_endButton.setGeometry(QRect(QPoint(width() - end.width(), height() - end.height()), end));
    layoutTrimStartComponent();
    layoutTrimEndComponent();
}

QSize UxTrimSeekingBar::sizeHint() const
{
    const QSize bar = m_playBar.sizeHint();
    const QSize start = m_startButton.sizeHint();
    const QSize end = m_endButton.sizeHint();
    const qint64 outers = qint64(m_playBar.grooveMinOutter()) + m_playBar.grooveMaxOutter();
    const qint64 total = qint64(start.width()) + bar.width() + end.width() - outers;
    return QSize(uxSaturateToInt(qMax<qint64>(total, bar.width())),
                 qMax(start.height(), end.height()) + bar.height());
}

QSize UxTrimSeekingBar::minimumSizeHint() const
{
    return sizeHint();
}

// Where a handle may put its trim point: inside the range, and at least the minimum trim
// length from the other point. Measured in 64 bits, so that a length or range near the
// int limits cannot wrap a point past the other; low > high when there is no room.
UxTrimSeekingBar::Limits UxTrimSeekingBar::limitsOf(const QToolButton &handle) const
{
    if (&handle == &m_startButton)
        return {m_playBar.minimum(),
                qMin<qint64>(m_playBar.maximum(), qint64(m_trimEnd) - m_minTrimLength)};
    return {qMax<qint64>(m_playBar.minimum(), qint64(m_trimStart) + m_minTrimLength),
            m_playBar.maximum()};
}

// Drags and keys move a trim point only here: a candidate outside the handle's limits is
// dropped, not clamped. The play position follows an accepted one.
bool UxTrimSeekingBar::moveTrimPoint(QToolButton &handle, qint64 candidate)
{
    const bool start = &handle == &m_startButton;
    const Limits limits = limitsOf(handle);
    if (candidate == (start ? m_trimStart : m_trimEnd) || candidate < limits.low ||
        candidate > limits.high)
        return false;
    if (start)
        onTrimStartChanged(int(candidate));
    else
        onTrimEndChanged(int(candidate));
    m_playBar.setValue(int(candidate));
    return true;
}

void UxTrimSeekingBar::reportTrimPoint(const QToolButton &handle)
{
    if (&handle == &m_startButton)
        Q_EMIT trimStartChanged(m_trimStart);
    else
        Q_EMIT trimEndChanged(m_trimEnd);
}

// The trim point follows the button's centre under the cursor, wherever on the button
// the press began: it sits on the start button's right edge and the end button's left.
void UxTrimSeekingBar::dragHandle(QToolButton &handle)
{
    QPoint pointer = QCursor::pos();
    const int half = handle.width() / 2;
    pointer.rx() += &handle == &m_startButton ? half : -half;
    moveTrimPoint(handle, m_playBar.calcValueByGlobalPos(pointer));
}

// A key moves the focused handle's trim point towards its limit, stopping there, and
// reports it as a drag's release does; a key that moves nothing reports nothing.
bool UxTrimSeekingBar::keyHandle(QToolButton &handle, QKeyEvent *event)
{
    const qint64 delta = keyDelta(*event, m_playBar.singleStep());
    if (delta == 0)
        return false;
    const qint64 current = &handle == &m_startButton ? m_trimStart : m_trimEnd;
    const Limits limits = limitsOf(handle);
    const qint64 target = qMax(limits.low, qMin(limits.high, current + delta));
    // Never against the key, even where a host placed the points too close together.
    const bool alongTheKey = delta > 0 ? target > current : target < current;
    if (alongTheKey && moveTrimPoint(handle, target)) {
        reportTrimPoint(handle);
        previewHandle(handle);
    }
    event->accept();
    return true;
}

// Some styles show no focus on a tool button (a host style sheet that gives the handles
// an image, say): a focused handle then gets the style's focus frame over its own
// painting, inset as the common style insets it.
void UxTrimSeekingBar::paintFocusedHandle(QToolButton &handle, QEvent *event)
{
    static_cast<QObject &>(handle).event(event);
    if (styleShowsFocus(handle))
        return;
    QPainter painter(&handle);
    QStyleOptionFocusRect option;
    option.initFrom(&handle);
    option.rect.adjust(3, 3, -3, -3);
    handle.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &handle);
}

bool UxTrimSeekingBar::filterHandle(QToolButton &handle, bool &dragging, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton || !isEnabled())
            return QObject::eventFilter(&handle, event);
        dragging = true;
        m_playBar.endPreview(); // the popup must not cover a drag
        event->accept();
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging)
            return false;
        dragging = false;
        if (isEnabled())
            reportTrimPoint(handle);
        if (handle.hasFocus())
            previewHandle(handle);
        event->accept();
        return true;
    case QEvent::FocusIn:
        if (!dragging)
            previewHandle(handle);
        return false;
    case QEvent::FocusOut:
        m_playBar.endPreview();
        return false;
    case QEvent::MouseMove:
        if (!dragging || !isEnabled())
            return false;
        dragHandle(handle);
        event->accept();
        return true;
    case QEvent::Paint:
        if (!handle.hasFocus())
            return false;
        paintFocusedHandle(handle, event);
        return true;
    case QEvent::KeyPress:
        return keyHandle(handle, static_cast<QKeyEvent *>(event));
    case QEvent::ShortcutOverride:
        // A focused handle's keys win over host shortcuts on the same keys.
        if (keyDelta(*static_cast<QKeyEvent *>(event), m_playBar.singleStep()) == 0)
            return false;
        event->accept();
        return true;
    default:
        return false;
    }
}

bool UxTrimSeekingBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_startButton)
        return filterHandle(m_startButton, m_startDragging, event);
    if (watched == &m_endButton)
        return filterHandle(m_endButton, m_endDragging, event);
    return QObject::eventFilter(watched, event);
}
