#pragma once

// The widgets run their periodic work on coarse timers of fixed intervals; the tests find
// them by interval to see that they run and to deliver their ticks at once.

#include <QAbstractEventDispatcher>
#include <QList>

inline QList<int> coarseTimers(QObject *object, int interval)
{
    QList<int> ids;
    for (const auto &timer : QAbstractEventDispatcher::instance()->registeredTimers(object))
        if (timer.interval == interval && timer.timerType == Qt::CoarseTimer)
            ids << timer.timerId;
    return ids;
}
