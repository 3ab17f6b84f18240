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
    if (m_controlBar) {
        m_controlBar->setWindowFlags(m_controlBar->windowFlags() ^ Qt::Window);
        m_controlBar->setParent(nullptr);
    }
    m_controlBar = bar;
    if (m_controlBar) {
        m_controlBar->setParent(this);
        m_controlBar->setWindowFlags(m_controlBar->windowFlags() | Qt::Window |
                                     Qt::FramelessWindowHint);
        m_controlBar->hide();
    }
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
    const QPoint globalPointer = QCursor::pos();
    const QPoint pointer = mapFromGlobal(globalPointer);
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
