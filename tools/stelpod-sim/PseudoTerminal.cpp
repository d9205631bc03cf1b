#include "tools/stelpod-sim/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        Fail("posix_openpt");
    char name[128];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0) {
        const int error = errno;
        ::close(master_);
        errno = error;
        Fail("preparing the pseudo-terminal");
    }
    slavePath_ = name;
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    if (!HoldSlave()) {
        const int error = errno;
        ::close(master_);
        errno = error;
        Fail("opening the pseudo-terminal's device");
    }
}

PseudoTerminal::~PseudoTerminal() {
    ReleaseSlave();
    if (master_ >= 0)
        ::close(master_);
}

bool PseudoTerminal::HoldSlave() {
    if (slave_ >= 0)
        return true;
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0)
        return false;
    termios settings{};
    if (tcgetattr(slave_, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetispeed(&settings, B38400);
        cfsetospeed(&settings, B38400);
        tcsetattr(slave_, TCSANOW, &settings);
    }
    return true;
}

void PseudoTerminal::ReleaseSlave() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
}

} // namespace sim
