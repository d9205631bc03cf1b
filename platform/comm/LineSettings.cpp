#include "platform/comm/Comm.h"
#include "platform/comm/DeviceTable.h"
#include "platform/comm/LineRate.h"

#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>

namespace comm {

namespace {

struct StandardRate {
    uint32_t bitsPerSecond;
    speed_t code;
};

constexpr StandardRate standardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000}};

// The speed constant for a rate, or B0 when POSIX has none for it.
speed_t StandardCode(uint32_t bitsPerSecond) {
    for (const StandardRate& rate : standardRates)
        if (rate.bitsPerSecond == bitsPerSecond)
            return rate.code;
    return B0;
}

// Settings that the Linux terminal layer cannot provide.
bool Unsupported(const DCB& settings) {
    return settings.fOutxDsrFlow || settings.fDsrSensitivity ||
           settings.fDtrControl == DTR_CONTROL_HANDSHAKE ||
           settings.fRtsControl == RTS_CONTROL_TOGGLE || settings.fErrorChar || settings.fNull;
}

// Raises or drops a modem control line. A device without such lines (a
// pseudo-terminal) refuses the request as unknown; that is no failure.
bool SetModemLine(Handle handle, int line, bool on) {
    if (ioctl(handle, on ? TIOCMBIS : TIOCMBIC, &line) == 0)
        return true;
    return errno == ENOTTY || errno == EINVAL;
}

} // namespace

bool SetCommState(Handle handle, const DCB& settings) {
    if (!DeviceTable::Get(handle))
        return false;
    // A rate of 0 would hang the line up (B0) rather than set it.
    if (settings.BaudRate == 0 || settings.ByteSize < 5 || settings.ByteSize > 8 ||
        settings.Parity > SPACEPARITY || settings.StopBits > TWOSTOPBITS || Unsupported(settings))
        return false;
    const bool software = settings.fOutX || settings.fInX;
    if (software && settings.XonChar == settings.XoffChar)
        return false;

    termios line{};
    if (tcgetattr(handle, &line) != 0)
        return false;
    cfmakeraw(&line);
    line.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR);
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    line.c_cflag |= CLOCAL | CREAD;
    static constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    line.c_cflag |= sizes[settings.ByteSize - 5];
    switch (settings.Parity) {
    case ODDPARITY:
        line.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        line.c_cflag |= PARENB;
        break;
    case MARKPARITY:
        line.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        line.c_cflag |= PARENB | CMSPAR;
        break;
    }
    // Linux knows one or two stop bits; with 5 data bits a UART makes two of
    // them one and a half, so one and a half asks for two.
    if (settings.StopBits != ONESTOPBIT)
        line.c_cflag |= CSTOPB;
    if (settings.fParity)
        line.c_iflag |= INPCK;
    if (settings.fRtsControl == RTS_CONTROL_HANDSHAKE || settings.fOutxCtsFlow)
        line.c_cflag |= CRTSCTS;
    if (settings.fOutX)
        line.c_iflag |= IXON;
    if (settings.fInX)
        line.c_iflag |= IXOFF;
    line.c_cc[VSTART] = cc_t(settings.XonChar);
    line.c_cc[VSTOP] = cc_t(settings.XoffChar);
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;
    const speed_t code = StandardCode(settings.BaudRate);
    if (code != B0 && (cfsetispeed(&line, code) != 0 || cfsetospeed(&line, code) != 0))
        return false;
    if (tcsetattr(handle, TCSANOW, &line) != 0)
        return false;
    if (code == B0 && !SetArbitraryLineRate(handle, settings.BaudRate))
        return false;

    // A driver falls back to a rate of its own (9600 for many UARTs) for one
    // it cannot make, and tcsetattr still succeeds, so the rate is read back.
    // The frame is not: a pseudo-terminal forces 8 bits without parity, as it
    // carries bytes, not characters on a wire.
    uint32_t rate = 0;
    if (!GetLineRate(handle, &rate))
        return false;
    const uint64_t wanted = settings.BaudRate;
    const uint64_t difference = rate > wanted ? rate - wanted : wanted - rate;
    if (difference * 20 > wanted)
        return false;

    if (!SetModemLine(handle, TIOCM_DTR, settings.fDtrControl == DTR_CONTROL_ENABLE))
        return false;
    if (settings.fRtsControl != RTS_CONTROL_HANDSHAKE &&
        !SetModemLine(handle, TIOCM_RTS, settings.fRtsControl == RTS_CONTROL_ENABLE))
        return false;
    return true;
}

} // namespace comm
