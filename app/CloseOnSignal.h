#pragma once

#include <QObject>

class QSocketNotifier;
class TProgram;

// SIGTERM (log-out, shutdown), SIGINT (Ctrl+C) and SIGHUP (the terminal went
// away) close the program as closing its main window does.
//
// The embedded database engine installs handlers of its own for SIGINT and
// SIGTERM at its first use, which shut the engine down and leave the program
// running. So the three signals are blocked in every thread from the start
// and read on the event loop from a signalfd: no handler, the engine's or
// any other, ever runs for them, whenever it was installed.

// Blocks the three signals in the calling thread and in every thread it
// starts later. Call it first in main, before any thread exists.
void BlockCloseSignals();

// Closes the program's main window when one of the blocked signals arrives,
// also during a nested event loop (an open message box).
class TCloseOnSignal : public QObject {
  public:
    explicit TCloseOnSignal(TProgram& program);
    ~TCloseOnSignal() override;

  private:
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};
