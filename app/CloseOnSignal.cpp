#include "app/CloseOnSignal.h"

#include "app/MainForm.h"
#include "app/Program.h"

#include <QSocketNotifier>
#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t closeSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

void BlockCloseSignals() {
    const sigset_t set = closeSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TCloseOnSignal::TCloseOnSignal(TProgram& program) {
    TMainForm* window = program.MainForm;
    const sigset_t set = closeSignals();
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, window, [this, window] {
        signalfd_siginfo info;
        while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
        window->close();
    });
}

TCloseOnSignal::~TCloseOnSignal() {
    delete notifier_;
    if (fd_ >= 0)
        ::close(fd_);
}
