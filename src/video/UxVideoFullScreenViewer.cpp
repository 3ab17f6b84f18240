#include "UxVideoFullScreenViewer.h"

#include "frame/UxNumeric.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimerEvent>

namespace {
const int kPollMs = 1000;
const int kBottomRows = 5; // the pointer this close to the bottom edge shows the bar
} // namespace

UxVideoFullScreenViewer::UxVideoFullScreenViewer(QWidget *parent)
    : UxVideoViewer(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_pollTimerId = startTimer(kPollMs, Qt::CoarseTimer);
}

UxVideoFullScreenViewer::~UxVideoFullScreenViewer()
{
    killTimer(m_pollTimerId);
}

void UxVideoFullScreenViewer::setControlBar(QWidget *bar)
{
    if (m_controlBar)
        releaseControlBar();
    m_controlBar = bar;
    if (m_controlBar)
        adoptControlBar();
}

// The bar becomes a frameless tool window of the viewer's: window managers keep a tool
// window above the window it belongs to, also one in full screen, where a plain window
// would be stacked under it. It is shown without taking the keyboard, which Escape and
// Space need to keep reaching the viewer.
void UxVideoFullScreenViewer::adoptControlBar()
{
    m_controlBar->setParent(this);
    m_controlBar->setWindowFlags(m_controlBar->windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    m_barShowedWithoutActivating = m_controlBar->testAttribute(Qt::WA_ShowWithoutActivating);
    m_controlBar->setAttribute(Qt::WA_ShowWithoutActivating);
    m_controlBar->hide();
}

// The caller gets the bar back without a parent, so a plain window again (setParent keeps
// only the hints), showing as it did before.
void UxVideoFullScreenViewer::releaseControlBar()
{
    m_controlBar->setWindowFlags(m_controlBar->windowFlags() ^ Qt::Window);
    m_controlBar->setAttribute(Qt::WA_ShowWithoutActivating, m_barShowedWithoutActivating);
    m_controlBar->setParent(nullptr);
}

QWidget *UxVideoFullScreenViewer::controlBar() const
{
    return m_controlBar;
}

void UxVideoFullScreenViewer::showControlBar()
{
    if (!m_controlBar || m_controlBar->isVisible())
        return;
    QRect area = rect();
    // No widget is taller than QWIDGETSIZE_MAX, whatever the bar's hint says.
    area.setTop(height() - uxClampCoordinate(m_controlBar->sizeHint().height()));
    // The bar is a window of its own, so its geometry is in desktop coordinates; mapping
    // keeps it on the viewer also when the viewer is not at the desktop's origin.
    m_controlBar->setGeometry(QRect(mapToGlobal(area.topLeft()), area.size()));
    m_controlBar->raise();
    m_controlBar->show();
}

void UxVideoFullScreenViewer::hideControlBar()
{
    if (m_controlBar && m_controlBar->isVisible())
        m_controlBar->hide();
}

void UxVideoFullScreenViewer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_pollTimerId) {
        UxVideoViewer::timerEvent(event);
        return;
    }
    const QPoint pointer = polledPointer();
    const QPoint globalPointer = mapToGlobal(pointer);
    if (m_controlBar) {
        const bool atBottomEdge =
            rect().contains(pointer) && rect().bottom() - pointer.y() < kBottomRows;
        if (isVisible() && m_controlBar->isHidden() && atBottomEdge)
            showControlBar();
        else if (m_controlBar->isVisible() && !m_controlBar->geometry().contains(globalPointer))
            m_controlBar->hide();
    }
    QObject::timerEvent(event);
}

// QCursor::pos() rounds the server's device pixels to logical ones, so above a ratio of 1
// the last device rows and columns of the viewer come back one past its bottom and right
// edges: there the pointer is taken to be on the edge it is touching.
QPoint UxVideoFullScreenViewer::polledPointer() const
{
    QPoint pointer = mapFromGlobal(QCursor::pos());
    if (devicePixelRatioF() > 1) {
        if (pointer.y() == height())
            pointer.ry() = height() - 1;
        if (pointer.x() == width())
            pointer.rx() = width() - 1;
    }
    return pointer;
}

QSize UxVideoFullScreenViewer::screenSize() const
{
    const QScreen *s = screen();
    return s ? s->geometry().size() : QSize();
}

QSize UxVideoFullScreenViewer::sizeHint() const
{
    return screenSize();
}

QSize UxVideoFullScreenViewer::minimumSizeHint() const
{
    return screenSize();
}

void UxVideoFullScreenViewer::resizeEvent(QResizeEvent *)
{
    setViewerRect(rect());
    calcVideoRect();
}
