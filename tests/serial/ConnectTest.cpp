#include "DriverFixture.h"
#include "platform/comm/Comm.h"
#include "platform/comm/KernelRate.h"

#include <termios.h>

namespace {

using Connect = DriverFixture;

TEST(NewDriver, StartsWithEveryPortClosedAndTheDefaults) {
    TMultiCommPortDriver driver;
    for (int port = 1; port <= 256; ++port) {
        EXPECT_FALSE(driver.IsOpen(port));
        EXPECT_EQ(BaudRateValue(driver.BaudRates()[port - 1]), 9600u);
    }
    EXPECT_EQ(driver.DataBits(), TDataBits::db8BITS);
    EXPECT_EQ(driver.StopBits(), TStopBits::sb1BITS);
    EXPECT_EQ(driver.Parity(), TParity::ptNONE);
    EXPECT_EQ(driver.HwFlow(), THwFlowControl::hfNONERTSON);
    EXPECT_EQ(driver.SwFlow(), TSwFlowControl::sfNONE);
    EXPECT_EQ(driver.InBufSize(), 2048u);
    EXPECT_EQ(driver.OutBufSize(), 2048u);
    EXPECT_EQ(driver.PollingDelay(), 50);
    EXPECT_TRUE(driver.EnableDTROnOpen());
    EXPECT_EQ(driver.OutputTimeout(), 500);
    EXPECT_FALSE(driver.CheckLineStatus());
    EXPECT_FALSE(driver.OnReceiveData);
    EXPECT_FALSE(driver.PollActive());
    ASSERT_EQ(driver.ReceivedText.size(), 257u);
    for (const std::string& entry : driver.ReceivedText)
        EXPECT_TRUE(entry.empty());
}

TEST(BaudRateValue, MapsEveryCode) {
    const uint32_t expected[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    for (TBaudRate code = 0; code < 16; ++code)
        EXPECT_EQ(BaudRateValue(code), expected[code]) << int(code);
    EXPECT_EQ(BaudRateValue(16), 0u);
    EXPECT_EQ(BaudRateValue(255), 0u);
}

TEST(Properties, SizesAndDelayAreClamped) {
    TMultiCommPortDriver driver;
    const struct {
        uint32_t written, stored;
    } sizes[] = {{0, 128},       {100, 128},       {128, 128},       {2048, 2048},
                 {65536, 65536}, {131072, 131072}, {131073, 131072}, {200000, 131072}};
    for (const auto& c : sizes) {
        driver.SetInBufSize(c.written);
        EXPECT_EQ(driver.InBufSize(), c.stored) << c.written;
        driver.SetOutBufSize(c.written);
        EXPECT_EQ(driver.OutBufSize(), c.stored) << c.written;
    }
    const struct {
        uint16_t written, stored;
    } delays[] = {{0, 5}, {3, 5}, {5, 5}, {50, 50}, {65535, 65535}};
    for (const auto& c : delays) {
        driver.SetPollingDelay(c.written);
        EXPECT_EQ(driver.PollingDelay(), c.stored) << c.written;
    }
}

TEST(Properties, NewPollingDelayStartsThePollEvenWithNoPortOpen) {
    TMultiCommPortDriver driver;
    driver.SetPollingDelay(50);
    EXPECT_FALSE(driver.PollActive()) << "the same value changes nothing";
    driver.SetPollingDelay(20);
    EXPECT_TRUE(driver.PollActive());
    driver.Disconnect(1);
    EXPECT_FALSE(driver.PollActive()) << "no port open: the poll stops";
}

TEST(PlatformTest, ReportsTheNtFamilyVersion51) {
    EXPECT_EQ(GetWindowsPlatform(), "WNT");
    EXPECT_EQ(GetWindowsVersion(), 0x50001u);
}

TEST_F(Connect, MissingDevice_ReturnsFalseAndLeavesThePollAlone) {
    ASSERT_EQ(symlink("/nonexistent/tty", folder.Link(4).c_str()), 0);
    EXPECT_FALSE(driver->Connect(4));
    EXPECT_FALSE(driver->IsOpen(4));
    EXPECT_FALSE(driver->PollActive());
    Port(1);
    ASSERT_TRUE(driver->Connect(1));
    EXPECT_FALSE(driver->Connect(4));
    EXPECT_TRUE(driver->PollActive()) << "port 1 is still polled";
    EXPECT_FALSE(driver->Connect(97)) << "COM97 names no device";
}

TEST_F(Connect, DeviceOpenElsewhere_ReturnsFalse) {
    Port(3);
    TMultiCommPortDriver other;
    ASSERT_TRUE(other.Connect(3));
    EXPECT_FALSE(driver->Connect(3));
    EXPECT_FALSE(driver->IsOpen(3));
    other.Disconnect(3);
    EXPECT_TRUE(driver->Connect(3)) << "free again once the other closed it";
}

TEST_F(Connect, MainWindowSettings_GiveA38400RawLineWithoutFlowControl) {
    ASSERT_TRUE(driver->Connect(1));
    EXPECT_TRUE(driver->IsOpen(1));
    EXPECT_TRUE(driver->PollActive());
    // DTR on and RTS off are asked for too, but a pseudo-terminal has no modem
    // lines to read back.
    const termios line = Port(1).Settings();
    EXPECT_EQ(cfgetospeed(&line), speed_t(B38400));
    EXPECT_EQ(cfgetispeed(&line), speed_t(B38400));
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | INPCK | ICRNL), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO), 0u);
}

TEST_F(Connect, LineProperties_ReachTheDevice) {
    // A pseudo-terminal keeps the kind of parity, the stop bits and the flow
    // control, but always has 8 bits without parity enabled.
    struct Case {
        const char* name;
        void (*set)(TMultiCommPortDriver&);
        tcflag_t cflag;
        tcflag_t iflag;
    };
    const Case cases[] = {
        {"two stop bits", [](TMultiCommPortDriver& d) { d.SetStopBits(TStopBits::sb2BITS); },
         CSTOPB, 0},
        {"one and a half", [](TMultiCommPortDriver& d) { d.SetStopBits(TStopBits::sb1HALFBITS); },
         CSTOPB, 0},
        {"odd parity", [](TMultiCommPortDriver& d) { d.SetParity(TParity::ptODD); }, PARODD, 0},
        {"mark parity", [](TMultiCommPortDriver& d) { d.SetParity(TParity::ptMARK); },
         PARODD | CMSPAR, 0},
        {"space parity", [](TMultiCommPortDriver& d) { d.SetParity(TParity::ptSPACE); }, CMSPAR, 0},
        {"RTS/CTS", [](TMultiCommPortDriver& d) { d.SetHwFlow(THwFlowControl::hfRTSCTS); }, CRTSCTS,
         0},
        {"XON/XOFF", [](TMultiCommPortDriver& d) { d.SetSwFlow(TSwFlowControl::sfXONXOFF); }, 0,
         IXON | IXOFF},
    };
    Port(2);
    for (const Case& c : cases) {
        TMultiCommPortDriver one;
        c.set(one);
        ASSERT_TRUE(one.Connect(2)) << c.name;
        const termios line = Port(2).Settings();
        EXPECT_EQ(line.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), c.cflag) << c.name;
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF), c.iflag) << c.name;
        EXPECT_EQ(line.c_cc[VSTART], 0x11);
        EXPECT_EQ(line.c_cc[VSTOP], 0x13);
    }
}

TEST_F(Connect, EveryNonZeroBaudCode_SetsItsRate) {
    for (TBaudRate code = 1; code < 16; ++code) {
        TMultiCommPortDriver one;
        one.SetBaudRates(Codes(code));
        ASSERT_TRUE(one.Connect(1)) << int(code);
        EXPECT_EQ(KernelOutputRate(Port(1).Device()), BaudRateValue(code));
    }
}

TEST_F(Connect, BaudCodeZero_FailsAndLeavesThePortClosed) {
    Port(1);
    for (TBaudRate code : {TBaudRate(0), TBaudRate(16)}) {
        driver->SetBaudRates(Codes(code));
        EXPECT_FALSE(driver->Connect(1)) << int(code);
        EXPECT_FALSE(driver->IsOpen(1));
        EXPECT_FALSE(driver->PollActive()) << "no other port is open";
        const termios line = Port(1).Settings();
        EXPECT_NE(cfgetospeed(&line), speed_t(B0)) << "the line must not be hung up";
    }
    // The failed port was closed properly: it opens again.
    driver->SetBaudRates(Codes(10));
    EXPECT_TRUE(driver->Connect(1));
}

TEST_F(Connect, OpenPortAgain_ReturnsTrueWithoutReapplying) {
    ASSERT_TRUE(driver->Connect(1));
    HoldPoll();
    ASSERT_TRUE(Port(1).Write("abc"));
    ASSERT_TRUE(WaitForQueued(Port(1), 3));
    driver->SetBaudRates(Codes(13));
    EXPECT_TRUE(driver->Connect(1));
    const termios line = Port(1).Settings();
    EXPECT_EQ(cfgetospeed(&line), speed_t(B38400)) << "settings were applied again";
    EXPECT_EQ(Port(1).Waiting(), 3) << "the queues were purged again";
}

TEST_F(Connect, SecondPort_BothStayOpen) {
    Port(3);
    ASSERT_TRUE(driver->Connect(1));
    ASSERT_TRUE(driver->Connect(3));
    EXPECT_TRUE(driver->IsOpen(1));
    EXPECT_TRUE(driver->IsOpen(3));
    driver->Disconnect(1);
    EXPECT_TRUE(driver->PollActive()) << "port 3 is still open";
    driver->Disconnect(3);
    EXPECT_FALSE(driver->PollActive());
}

TEST_F(Connect, Destroy_ClosesEveryPort) {
    Port(2);
    ASSERT_TRUE(driver->Connect(1));
    ASSERT_TRUE(driver->Connect(2));
    driver.reset();
    for (int port : {1, 2}) {
        const comm::Handle handle = comm::OpenPort(port);
        EXPECT_NE(handle, comm::InvalidHandle) << port;
        comm::CloseHandle(handle);
    }
}

TEST_F(Connect, PortNumbersOutside1To256_CountAsClosed) {
    ASSERT_TRUE(driver->Connect(1));
    for (int port : {0, -1, 257, 1000, -100000}) {
        EXPECT_FALSE(driver->Connect(port)) << port;
        EXPECT_FALSE(driver->IsOpen(port));
        EXPECT_TRUE(driver->GetLineStatus(port).none());
        EXPECT_FALSE(driver->FlushBuffers(true, true, port));
        EXPECT_EQ(driver->OutFreeSpace(port), 65535);
        EXPECT_EQ(driver->SendData("V\r", 2, port), 0u);
        EXPECT_FALSE(driver->SendText("V\r", port));
        EXPECT_TRUE(driver->SendText("", port));
        driver->Disconnect(port);
        EXPECT_TRUE(driver->IsOpen(1));
        EXPECT_TRUE(driver->PollActive());
    }
}

} // namespace
