#pragma once

#include "platform/ui/Events.h"

#include <QObject>
#include <QTimer>

// A timer with the class library's semantics: writing the value that Enabled
// or Interval already has changes nothing; enabling a stopped timer, or giving
// a running one another interval, starts a full new period. Ticks run OnTimer
// on the user-interface thread, also inside a message box's nested loop.
class TTimer : public QObject {
    Q_OBJECT
public:
    explicit TTimer(QObject* owner = nullptr);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);

    TNotifyEvent OnTimer;

private:
    void restart();

    QTimer timer_;
    bool enabled_ = true;
    int interval_ = 1000;
};
