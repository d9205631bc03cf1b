#include "tools/stelpod-sim/PortLink.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace sim {

namespace fs = std::filesystem;

std::string PortLink::DefaultFolder() {
    if (const char* ports = std::getenv("DORVEL_PORTS"); ports && *ports)
        return ports;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "/tmp";
    }
    return std::string(home) + "/.dorvel/ports";
}

PortLink::PortLink(const std::string& folder, int port, const std::string& target)
    : target_(target) {
    if (port < 1)
        throw std::runtime_error("the port number must be 1 or more");
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw std::runtime_error("cannot create the ports folder " + folder + ": " +
                                 error.message());
    path_ = (fs::path(folder) / ("com" + std::to_string(port))).string();
    const fs::file_status existing = fs::symlink_status(path_, error);
    if (fs::exists(existing) && !fs::is_symlink(existing))
        throw std::runtime_error(path_ + " exists and is no link");
    if (fs::is_symlink(existing))
        fs::remove(path_, error);
    fs::create_symlink(target_, path_, error);
    if (error)
        throw std::runtime_error("cannot create the link " + path_ + ": " + error.message());
}

PortLink::~PortLink() {
    std::error_code error;
    if (fs::is_symlink(path_, error) && fs::read_symlink(path_, error) == fs::path(target_))
        fs::remove(path_, error);
}

} // namespace sim
