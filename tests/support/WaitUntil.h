#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <functional>

// Runs the event loop until the condition holds or the time is up; returns
// whether it holds. Timers and the serial poll go on meanwhile.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for the given time.
inline void RunEventLoopFor(int milliseconds) {
    WaitUntil([] { return false; }, milliseconds);
}
