#include "KernelRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

uint32_t KernelOutputRate(int fd) {
    termios2 settings{};
    return ioctl(fd, TCGETS2, &settings) == 0 ? settings.c_ospeed : 0;
}
