#include "KernelRate.h"
#include "PseudoPort.h"
#include "platform/comm/Comm.h"

#include <gtest/gtest.h>

namespace {

// 38400 bit/s, 8 data bits, no parity, 1 stop bit, DTR on, RTS off.
comm::DCB PlainLine() {
    comm::DCB settings;
    settings.DCBlength = sizeof settings;
    settings.BaudRate = 38400;
    settings.fBinary = 1;
    settings.fDtrControl = comm::DTR_CONTROL_ENABLE;
    settings.ByteSize = 8;
    settings.XonChar = 0x11;
    settings.XoffChar = 0x13;
    settings.XonLim = settings.XoffLim = 4096;
    return settings;
}

class LineSettings : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(handle = comm::OpenPort(1), comm::InvalidHandle); }
    void TearDown() override { comm::CloseHandle(handle); }

    PortsFolder folder;
    PseudoPort port{folder, 1};
    comm::Handle handle = comm::InvalidHandle;
};

TEST_F(LineSettings, PlainLine_IsRawAndFramedAsAsked) {
    ASSERT_TRUE(comm::SetCommState(handle, PlainLine()));
    const termios line = port.Settings();
    EXPECT_EQ(cfgetospeed(&line), speed_t(B38400));
    EXPECT_EQ(cfgetispeed(&line), speed_t(B38400));
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | INPCK | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
}

TEST_F(LineSettings, FrameAndFlowFields_MapOntoTheTerminalFlags) {
    // A pseudo-terminal forces 8 data bits and clears PARENB whatever is
    // asked, so the data bits and the parity-enable bit cannot be read back
    // here; the kind of parity, the stop bits and the flow control can.
    struct Case {
        const char* name;
        uint8_t byteSize, parity, stopBits;
        bool cts, xonxoff;
        tcflag_t cflag; // of PARODD | CMSPAR | CSTOPB | CRTSCTS
    };
    const Case cases[] = {
        {"8N1", 8, comm::NOPARITY, comm::ONESTOPBIT, false, false, 0},
        {"6O1", 6, comm::ODDPARITY, comm::ONESTOPBIT, false, false, PARODD},
        {"7E2", 7, comm::EVENPARITY, comm::TWOSTOPBITS, false, false, CSTOPB},
        {"8M1", 8, comm::MARKPARITY, comm::ONESTOPBIT, false, false, CMSPAR | PARODD},
        {"8S1", 8, comm::SPACEPARITY, comm::ONESTOPBIT, false, false, CMSPAR},
        {"5N1.5", 5, comm::NOPARITY, comm::ONE5STOPBITS, false, false, CSTOPB},
        {"RTS/CTS", 8, comm::NOPARITY, comm::ONESTOPBIT, true, false, CRTSCTS},
        {"XON/XOFF", 8, comm::NOPARITY, comm::ONESTOPBIT, false, true, 0},
    };
    const tcflag_t mask = PARODD | CMSPAR | CSTOPB | CRTSCTS;
    for (const Case& c : cases) {
        comm::DCB settings = PlainLine();
        settings.ByteSize = c.byteSize;
        settings.Parity = c.parity;
        settings.StopBits = c.stopBits;
        if (c.cts) {
            settings.fRtsControl = comm::RTS_CONTROL_HANDSHAKE;
            settings.fOutxCtsFlow = 1;
        }
        settings.fOutX = settings.fInX = c.xonxoff;
        ASSERT_TRUE(comm::SetCommState(handle, settings)) << c.name;
        const termios line = port.Settings();
        EXPECT_EQ(line.c_cflag & mask, c.cflag) << c.name;
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF), c.xonxoff ? tcflag_t(IXON | IXOFF) : 0u) << c.name;
        EXPECT_EQ(line.c_cc[VSTART], 0x11) << c.name;
        EXPECT_EQ(line.c_cc[VSTOP], 0x13) << c.name;
    }
}

TEST_F(LineSettings, ReceiveParityCheck_TurnsOnInputChecking) {
    comm::DCB settings = PlainLine();
    settings.Parity = comm::EVENPARITY;
    settings.fParity = 1;
    ASSERT_TRUE(comm::SetCommState(handle, settings));
    EXPECT_TRUE(port.Settings().c_iflag & INPCK);
}

TEST_F(LineSettings, Rates_StandardByConstant_OthersByArbitraryRate) {
    for (uint32_t rate : {110u, 300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u,
                          115200u, 14400u, 56000u, 128000u, 256000u}) {
        comm::DCB settings = PlainLine();
        settings.BaudRate = rate;
        ASSERT_TRUE(comm::SetCommState(handle, settings)) << rate;
        EXPECT_EQ(KernelOutputRate(port.Device()), rate);
    }
}

TEST_F(LineSettings, RefusedSettings_FailAndLeaveTheLineAsItWas) {
    ASSERT_TRUE(comm::SetCommState(handle, PlainLine()));
    struct Case {
        const char* name;
        void (*change)(comm::DCB&);
    };
    const Case cases[] = {
        {"rate 0", [](comm::DCB& s) { s.BaudRate = 0; }},
        {"4 data bits", [](comm::DCB& s) { s.ByteSize = 4; }},
        {"9 data bits", [](comm::DCB& s) { s.ByteSize = 9; }},
        {"parity 5", [](comm::DCB& s) { s.Parity = 5; }},
        {"stop bits 3", [](comm::DCB& s) { s.StopBits = 3; }},
        {"DTR handshake", [](comm::DCB& s) { s.fDtrControl = comm::DTR_CONTROL_HANDSHAKE; }},
        {"RTS toggle", [](comm::DCB& s) { s.fRtsControl = comm::RTS_CONTROL_TOGGLE; }},
        {"DSR flow", [](comm::DCB& s) { s.fOutxDsrFlow = 1; }},
        {"NUL stripping", [](comm::DCB& s) { s.fNull = 1; }},
        {"XON equals XOFF", [](comm::DCB& s) { s.fOutX = 1, s.XoffChar = s.XonChar; }},
    };
    for (const Case& c : cases) {
        comm::DCB settings = PlainLine();
        settings.BaudRate = 9600;
        c.change(settings);
        EXPECT_FALSE(comm::SetCommState(handle, settings)) << c.name;
        const termios line = port.Settings();
        EXPECT_EQ(cfgetospeed(&line), speed_t(B38400))
            << c.name << ": the line was hung up or changed";
    }
}

TEST_F(LineSettings, ModemControl_PseudoTerminalWithoutLines_IsAccepted) {
    comm::DCB settings = PlainLine();
    for (uint32_t dtr : {comm::DTR_CONTROL_DISABLE, comm::DTR_CONTROL_ENABLE})
        for (uint32_t rts : {comm::RTS_CONTROL_DISABLE, comm::RTS_CONTROL_ENABLE}) {
            settings.fDtrControl = dtr;
            settings.fRtsControl = rts;
            EXPECT_TRUE(comm::SetCommState(handle, settings)) << dtr << rts;
        }
}

} // namespace
