#include "platform/comm/LineRate.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace comm {

bool SetArbitraryLineRate(int fd, uint32_t bitsPerSecond) {
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = bitsPerSecond;
    settings.c_ospeed = bitsPerSecond;
    return ioctl(fd, TCSETS2, &settings) == 0;
}

bool GetLineRate(int fd, uint32_t* bitsPerSecond) {
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    *bitsPerSecond = settings.c_ospeed;
    return true;
}

} // namespace comm
