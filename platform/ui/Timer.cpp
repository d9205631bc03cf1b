#include "platform/ui/Timer.h"

#include "platform/ui/Handler.h"

TTimer::TTimer(QObject* owner) : QObject(owner) {
    timer_.setTimerType(Qt::PreciseTimer);
    BindEvent(&timer_, &QTimer::timeout, this, [this] { Fire(OnTimer, this); });
    restart();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void TTimer::SetInterval(int milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    restart();
}

void TTimer::restart() {
    timer_.stop();
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
}
