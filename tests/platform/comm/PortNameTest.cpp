#include "PseudoPort.h"
#include "platform/comm/Comm.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(PortDevicePath, WithoutLink_FollowsTheNumberRanges) {
    PortsFolder folder;
    const struct {
        int port;
        const char* device;
    } cases[] = {{1, "/dev/ttyS0"},
                 {32, "/dev/ttyS31"},
                 {33, "/dev/ttyUSB0"},
                 {64, "/dev/ttyUSB31"},
                 {65, "/dev/ttyACM0"},
                 {96, "/dev/ttyACM31"},
                 {97, ""},
                 {256, ""},
                 {0, ""},
                 {-1, ""},
                 {257, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(comm::PortDevicePath(c.port), c.device) << "COM" << c.port;
}

TEST(PortDevicePath, LinkInPortsFolder_TakesPrecedence) {
    PortsFolder folder;
    PseudoPort port(folder, 3);
    EXPECT_EQ(comm::PortDevicePath(3), folder.Link(3));
    EXPECT_EQ(comm::PortDevicePath(4), "/dev/ttyS3");
    // A link beyond the fixed ranges names a device too.
    PseudoPort high(folder, 200);
    EXPECT_EQ(comm::PortDevicePath(200), folder.Link(200));
}

TEST(PortDevicePath, DanglingLink_NamesNoDeviceToOpen) {
    PortsFolder folder;
    ASSERT_EQ(symlink("/nonexistent/tty", folder.Link(5).c_str()), 0);
    EXPECT_EQ(comm::PortDevicePath(5), folder.Link(5));
    EXPECT_EQ(comm::OpenPort(5), comm::InvalidHandle);
}

TEST(PortsFolder, WithoutVariable_IsUnderHome) {
    const std::string saved = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* ports = std::getenv("DORVEL_PORTS");
    const std::string savedPorts = ports ? ports : "";
    unsetenv("DORVEL_PORTS");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(comm::PortsFolder(), "/home/someone/.dorvel/ports");
    setenv("DORVEL_PORTS", "", 1);
    EXPECT_EQ(comm::PortsFolder(), "/home/someone/.dorvel/ports");
    setenv("HOME", saved.c_str(), 1);
    if (ports)
        setenv("DORVEL_PORTS", savedPorts.c_str(), 1);
    else
        unsetenv("DORVEL_PORTS");
}

} // namespace
