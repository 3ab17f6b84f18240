#pragma once

// A shown 400 x 60 trim bar over 0..100 keeping 10..50, all moved by an offset, its parts
// found by the names style sheets use.

#include <UxPlaySeekingBar.h>
#include <UxTrimSeekingBar.h>

#include <QCursor>
#include <QToolButton>
#include <QtTest>

struct ShownTrimBar
{
    UxTrimSeekingBar widget;
    UxPlaySeekingBar *bar = widget.findChild<UxPlaySeekingBar *>("playSeekingBar");
    QToolButton *start = widget.findChild<QToolButton *>("btnTrimLeft");
    QToolButton *end = widget.findChild<QToolButton *>("btnTrimRight");

    explicit ShownTrimBar(int minLength = 5, int offset = 0)
    {
        widget.setRange(offset, offset + 100);
        widget.setTrimStartEnd(offset + 10, offset + 50, minLength);
        widget.setGeometry(100, 100, 400, 60);
        widget.show();
        if (!bar || !start || !end || !QTest::qWaitForWindowExposed(&widget))
            qFatal("trim bar not ready");
    }
    int xOf(int v) { return widget.mapFromGlobal(QPoint(bar->calcGlobalPosByValue(v), 0)).x(); }
    // Focus as from the keyboard, in the active window.
    void focus(QWidget *part)
    {
        widget.activateWindow();
        if (!QTest::qWaitForWindowActive(&widget))
            qFatal("trim bar not active");
        widget.setAttribute(Qt::WA_KeyboardFocusChange);
        part->setFocus(Qt::TabFocusReason);
    }
    // Puts the pointer where a drag of the handle reaches the value, and moves.
    void dragTo(QToolButton *handle, int value)
    {
        const int half = handle == start ? -handle->width() / 2 : handle->width() / 2;
        QCursor::setPos(bar->calcGlobalPosByValue(value) + half, handle->mapToGlobal(QPoint()).y());
        QMouseEvent move(QEvent::MouseMove, QPoint(), QCursor::pos(), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(handle, &move);
    }
};
