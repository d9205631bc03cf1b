#include "platform/comm/Comm.h"

#include <ctime>

namespace comm {

bool GetVersionEx(OSVERSIONINFO* info) {
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO))
        return false;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = '\0';
    return true;
}

uint32_t GetTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

} // namespace comm
