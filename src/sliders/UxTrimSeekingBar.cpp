#include "UxTrimSeekingBar.h"

#include "UxSliderAxis.h"
#include "frame/UxNumeric.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>

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
    retranslateUi();
    connect(&m_playBar, SIGNAL(valueChanged(int)), this, SIGNAL(valueChanged(int)));
    connect(&m_playBar, SIGNAL(actionTriggered(int)), this, SIGNAL(actionTriggered(int)));
    m_startButton.installEventFilter(this);
    m_endButton.installEventFilter(this);
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
}

void UxTrimSeekingBar::onTrimEndChanged(int value)
{
    if (value == m_trimEnd)
        return;
    m_trimEnd = value;
    m_playBar.setMaxUsablePos(value);
    layoutTrimEndComponent();
}

void UxTrimSeekingBar::onTrimLengthChanged(int value)
{
    if (qint64(m_trimEnd) - m_trimStart == value)
        return;
    m_trimEnd = uxSaturateToInt(qint64(m_trimStart) + value);
    m_playBar.setMaxUsablePos(m_trimEnd);
    layoutTrimEndComponent();
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

// The trim point follows the button's centre under the cursor, wherever on the
// button the press began. Candidates too close to the other point are dropped; the
// distance is measured in 64 bits, so that a length or range near the int limits
// cannot wrap a point past the other.
void UxTrimSeekingBar::dragStart()
{
    QPoint pointer = QCursor::pos();
    pointer.rx() += m_startButton.width() / 2;
    const int candidate = m_playBar.calcValueByGlobalPos(pointer);
    if (candidate == m_trimStart || qint64(candidate) + m_minTrimLength > m_trimEnd)
        return;
    m_trimStart = candidate;
    m_playBar.setMinUsablePos(candidate);
    layoutTrimStartComponent();
    m_playBar.setValue(m_trimStart);
}

void UxTrimSeekingBar::dragEnd()
{
    QPoint pointer = QCursor::pos();
    pointer.rx() -= m_endButton.width() / 2;
    const int candidate = m_playBar.calcValueByGlobalPos(pointer);
    if (candidate == m_trimEnd || qint64(candidate) - m_minTrimLength < m_trimStart)
        return;
    m_trimEnd = candidate;
    m_playBar.setMaxUsablePos(candidate);
    layoutTrimEndComponent();
    m_playBar.setValue(m_trimEnd);
}

bool UxTrimSeekingBar::filterHandle(QToolButton &handle, bool &dragging, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton || !isEnabled())
            return QObject::eventFilter(&handle, event);
        dragging = true;
        event->accept();
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging)
            return false;
        dragging = false;
        if (isEnabled()) {
            if (&handle == &m_startButton)
                Q_EMIT trimStartChanged(m_trimStart);
            else
                Q_EMIT trimEndChanged(m_trimEnd);
        }
        event->accept();
        return true;
    case QEvent::MouseMove:
        if (!dragging || !isEnabled())
            return false;
        if (&handle == &m_startButton)
            dragStart();
        else
            dragEnd();
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
