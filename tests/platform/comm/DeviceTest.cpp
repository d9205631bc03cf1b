#include "PseudoPort.h"
#include "platform/comm/Comm.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
    return long(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

class Device : public ::testing::Test {
  protected:
    void TearDown() override {
        if (handle != comm::InvalidHandle)
            comm::CloseHandle(handle);
    }
    comm::Handle Open() {
        handle = comm::OpenPort(3);
        return handle;
    }
    void SetTimeouts(uint32_t writeConstant) {
        comm::COMMTIMEOUTS timeouts;
        timeouts.WriteTotalTimeoutConstant = writeConstant;
        ASSERT_TRUE(comm::SetCommTimeouts(handle, timeouts));
    }
    uint32_t InQueue() {
        comm::COMSTAT counts;
        uint32_t errors = 99;
        EXPECT_TRUE(comm::ClearCommError(handle, &errors, &counts));
        EXPECT_EQ(errors, 0u);
        return counts.cbInQue;
    }

    PortsFolder folder;
    PseudoPort port{folder, 3};
    comm::Handle handle = comm::InvalidHandle;
};

TEST_F(Device, Open_MissingDevice_ReturnsInvalidHandle) {
    EXPECT_EQ(comm::OpenPort(97), comm::InvalidHandle);
    EXPECT_EQ(comm::OpenPort(0), comm::InvalidHandle);
    EXPECT_EQ(comm::OpenPort(300), comm::InvalidHandle);
}

TEST_F(Device, Open_FileThatIsNoTerminal_ReturnsInvalidHandle) {
    const std::string file = folder.Path() + "/plain";
    std::ofstream(file) << "x";
    ASSERT_EQ(symlink(file.c_str(), folder.Link(9).c_str()), 0);
    EXPECT_EQ(comm::OpenPort(9), comm::InvalidHandle);
}

TEST_F(Device, Open_DeviceInUse_FailsUntilClosed) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    EXPECT_EQ(comm::OpenPort(3), comm::InvalidHandle) << "a second open of the same port";
    ASSERT_TRUE(comm::CloseHandle(handle));
    // Exclusive mode went with the close, although the test still holds the device.
    handle = comm::OpenPort(3);
    EXPECT_NE(handle, comm::InvalidHandle);
}

TEST_F(Device, Open_DeviceLockedByAnotherProgram_Fails) {
    const int other = open(port.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(Open(), comm::InvalidHandle);
    close(other);
    EXPECT_NE(Open(), comm::InvalidHandle);
}

TEST_F(Device, Calls_OnHandleNotOpened_Fail) {
    uint32_t value = 0;
    comm::COMSTAT counts;
    char buffer[4];
    for (comm::Handle stray : {comm::InvalidHandle, port.Device(), 12345}) {
        EXPECT_FALSE(comm::SetCommState(stray, comm::DCB{}));
        EXPECT_FALSE(comm::SetupComm(stray, 2048, 2048));
        EXPECT_FALSE(comm::SetCommTimeouts(stray, comm::COMMTIMEOUTS{}));
        EXPECT_FALSE(comm::PurgeComm(stray, 0));
        EXPECT_FALSE(comm::ClearCommError(stray, &value, &counts));
        EXPECT_FALSE(comm::ReadFile(stray, buffer, 4, &value));
        EXPECT_FALSE(comm::WriteFile(stray, buffer, 4, &value));
        EXPECT_FALSE(comm::GetCommModemStatus(stray, &value));
        EXPECT_FALSE(comm::CloseHandle(stray));
    }
}

TEST_F(Device, Read_ReturnsQueuedBytesExactlyAndNeverWaits) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    char buffer[64];
    uint32_t read = 99;
    EXPECT_TRUE(comm::ReadFile(handle, buffer, sizeof buffer, &read));
    EXPECT_EQ(read, 0u);

    const std::string bytes("A\0B\r\n\xff\x11\x13", 8);
    ASSERT_TRUE(port.Write(bytes));
    ASSERT_TRUE(WaitForQueued(port, 8));
    EXPECT_EQ(InQueue(), 8u);
    ASSERT_TRUE(comm::ReadFile(handle, buffer, 3, &read));
    EXPECT_EQ(std::string(buffer, read), bytes.substr(0, 3));
    ASSERT_TRUE(comm::ReadFile(handle, buffer, sizeof buffer, &read));
    EXPECT_EQ(std::string(buffer, read), bytes.substr(3));
    EXPECT_EQ(InQueue(), 0u);
}

TEST_F(Device, Write_ReachesThePeer) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    SetTimeouts(10);
    const std::string bytes("V\r\0x", 4);
    uint32_t written = 0;
    ASSERT_TRUE(comm::WriteFile(handle, bytes.data(), uint32_t(bytes.size()), &written));
    EXPECT_EQ(written, 4u);
    EXPECT_EQ(port.Read(4), bytes);
}

TEST_F(Device, Write_PeerNotReading_ReturnsZeroAfterTheWriteTimeout) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    SetTimeouts(30);
    const std::string block(4096, 'x');
    uint32_t written = 0;
    size_t total = 0;
    // Fill whatever the pseudo-terminal buffers.
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(comm::WriteFile(handle, block.data(), uint32_t(block.size()), &written));
        total += written;
        if (written == 0)
            break;
    }
    ASSERT_EQ(written, 0u) << "the device never filled up";
    const auto start = Clock::now();
    ASSERT_TRUE(comm::WriteFile(handle, block.data(), uint32_t(block.size()), &written));
    EXPECT_EQ(written, 0u);
    EXPECT_GE(ElapsedMs(start), 25);
    EXPECT_EQ(port.Read(total + 1, 200).size(), total);
}

TEST_F(Device, Purge_DiscardsTheInputQueue_NoFlagsKeepIt) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    ASSERT_TRUE(port.Write("hello"));
    ASSERT_TRUE(WaitForQueued(port, 5));
    EXPECT_TRUE(comm::PurgeComm(handle, 0));
    EXPECT_EQ(InQueue(), 5u);
    EXPECT_TRUE(comm::PurgeComm(handle, comm::PURGE_TXABORT | comm::PURGE_TXCLEAR));
    EXPECT_EQ(InQueue(), 5u);
    EXPECT_TRUE(comm::PurgeComm(handle, comm::PURGE_RXABORT | comm::PURGE_RXCLEAR));
    EXPECT_EQ(InQueue(), 0u);
}

TEST_F(Device, SetupComm_IsAcceptedForAnOpenDevice) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    EXPECT_TRUE(comm::SetupComm(handle, 65536, 2048));
}

TEST_F(Device, ModemStatus_PseudoTerminalHasNoModemLines) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    uint32_t status = 99;
    EXPECT_FALSE(comm::GetCommModemStatus(handle, &status));
    EXPECT_EQ(status, 0u);
}

TEST_F(Device, VanishedDevice_CallsFailWithoutWaiting_CloseSucceeds) {
    ASSERT_NE(Open(), comm::InvalidHandle);
    SetTimeouts(0); // no write limit: only the hang-up can end a write
    port.CloseMaster();
    char buffer[16] = {};
    uint32_t count = 0;
    comm::COMSTAT counts;
    comm::DCB settings;
    settings.BaudRate = 38400;
    settings.ByteSize = 8;
    const auto start = Clock::now();
    EXPECT_FALSE(comm::ReadFile(handle, buffer, sizeof buffer, &count));
    EXPECT_FALSE(comm::WriteFile(handle, buffer, sizeof buffer, &count));
    EXPECT_FALSE(comm::ClearCommError(handle, &count, &counts));
    EXPECT_FALSE(comm::SetCommState(handle, settings));
    EXPECT_FALSE(comm::PurgeComm(handle, comm::PURGE_RXCLEAR));
    EXPECT_LT(ElapsedMs(start), 5000);
    EXPECT_TRUE(comm::CloseHandle(handle));
    handle = comm::InvalidHandle;
}

TEST(TickCount, CountsMilliseconds) {
    const uint32_t first = comm::GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GE(uint32_t(comm::GetTickCount() - first), 30u);
}

TEST(VersionRecord, ReportsNtFamilyVersion51) {
    comm::OSVERSIONINFO info;
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(comm::GetVersionEx(&info));
    EXPECT_EQ(info.dwPlatformId, comm::VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    info.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(comm::GetVersionEx(&info));
    EXPECT_FALSE(comm::GetVersionEx(nullptr));
}

} // namespace
