#pragma once

// Input sent straight to a widget, as the window system delivers it, without waiting for
// a real pointer or keyboard.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

// A press, release, double click or move at `at`. A move holds `button` down and names no
// button of its own; a release holds nothing.
inline void sendMouse(QWidget &widget, QEvent::Type type, const QPoint &at,
                      Qt::MouseButton button = Qt::NoButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget.mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// Presses at from, moves to to and releases there.
inline void drag(QWidget &widget, const QPoint &from, const QPoint &to, Qt::MouseButton button)
{
    sendMouse(widget, QEvent::MouseButtonPress, from, button);
    sendMouse(widget, QEvent::MouseMove, to, button);
    sendMouse(widget, QEvent::MouseButtonRelease, to, button);
}

// A press, release and double click with its release, as a double click arrives.
inline void doubleClick(QWidget &widget, const QPoint &at,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        sendMouse(widget, type, at, Qt::LeftButton, modifiers);
}

inline void sendWheel(QWidget &widget, const QPoint &at, const QPoint &angle,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

// Sends a key event; returns whether the widget accepted it.
inline bool sendKey(QWidget &widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    QEvent::Type type = QEvent::KeyPress, bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

// Widgets get their resize events when shown.
inline void showAt(QWidget &widget, const QSize &size)
{
    widget.resize(size);
    widget.show();
}
