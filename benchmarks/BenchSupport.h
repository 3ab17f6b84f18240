#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

// Shows the widget and returns once its window is exposed (or after five seconds), so
// that what is measured next is a repaint, not the first show.
inline void showAndWait(QWidget &widget)
{
    widget.show();
    QElapsedTimer timer;
    timer.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}

#endif // BENCHSUPPORT_H
