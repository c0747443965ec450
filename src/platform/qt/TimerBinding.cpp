#include "platform/qt/TimerBinding.h"

#include "platform/Timer.h"

#include <QTimer>

void bindTimer(Timer &timer, QObject *owner)
{
    auto *qtimer = new QTimer(owner);
    auto sync = [qtimer, &timer] {
        if (timer.isEnabled() && timer.interval() > 0) {
            if (!qtimer->isActive() || qtimer->interval() != timer.interval())
                qtimer->start(timer.interval());
        } else {
            qtimer->stop();
        }
    };
    QObject::connect(&timer, &Timer::changed, qtimer, sync);
    QObject::connect(qtimer, &QTimer::timeout, &timer, &Timer::tick);
    sync();
}
