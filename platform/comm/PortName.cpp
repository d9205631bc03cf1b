#include "platform/comm/Comm.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace comm {

std::string PortsFolder() {
    if (const char* ports = std::getenv("DORVEL_PORTS"); ports && *ports)
        return ports;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "/tmp";
    }
    return std::string(home) + "/.dorvel/ports";
}

std::string PortDevicePath(int portNumber) {
    if (portNumber < 1)
        return {};
    // A link that exists names the device even when its target is gone: the
    // port then has no device rather than falling back to a serial line.
    const std::string link = PortsFolder() + "/com" + std::to_string(portNumber);
    struct stat entry {};
    if (lstat(link.c_str(), &entry) == 0)
        return link;
    struct Range {
        int first;
        const char* prefix;
    };
    static constexpr Range ranges[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
    for (const Range& range : ranges)
        if (portNumber >= range.first && portNumber < range.first + 32)
            return range.prefix + std::to_string(portNumber - range.first);
    return {};
}

} // namespace comm
