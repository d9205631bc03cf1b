#pragma once

#include <cstdint>

// The records and constants of the serial device calls, laid out and named as
// the callers fill them in, so the serial port component reads the same on
// every system.
namespace comm {

// An open device; InvalidHandle (all bits set) means none.
using Handle = int;
inline constexpr Handle InvalidHandle = -1;

// Line settings. Fields without a counterpart on Linux are accepted when they
// hold the value that needs none (see SetCommState).
struct DCB {
    uint32_t DCBlength = 0;
    uint32_t BaudRate = 0;
    uint32_t fBinary : 1 = 0;
    uint32_t fParity : 1 = 0;
    uint32_t fOutxCtsFlow : 1 = 0;
    uint32_t fOutxDsrFlow : 1 = 0;
    uint32_t fDtrControl : 2 = 0;
    uint32_t fDsrSensitivity : 1 = 0;
    uint32_t fTXContinueOnXoff : 1 = 0;
    uint32_t fOutX : 1 = 0;
    uint32_t fInX : 1 = 0;
    uint32_t fErrorChar : 1 = 0;
    uint32_t fNull : 1 = 0;
    uint32_t fRtsControl : 2 = 0;
    uint32_t fAbortOnError : 1 = 0;
    uint32_t fDummy2 : 17 = 0;
    uint16_t wReserved = 0;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;
    uint8_t StopBits = 0;
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    uint16_t wReserved1 = 0;
};
static_assert(sizeof(DCB) == 28, "the line-settings record is 28 bytes long");

inline constexpr uint32_t DTR_CONTROL_DISABLE = 0;
inline constexpr uint32_t DTR_CONTROL_ENABLE = 1;
inline constexpr uint32_t DTR_CONTROL_HANDSHAKE = 2;
inline constexpr uint32_t RTS_CONTROL_DISABLE = 0;
inline constexpr uint32_t RTS_CONTROL_ENABLE = 1;
inline constexpr uint32_t RTS_CONTROL_HANDSHAKE = 2;
inline constexpr uint32_t RTS_CONTROL_TOGGLE = 3;

inline constexpr uint8_t NOPARITY = 0;
inline constexpr uint8_t ODDPARITY = 1;
inline constexpr uint8_t EVENPARITY = 2;
inline constexpr uint8_t MARKPARITY = 3;
inline constexpr uint8_t SPACEPARITY = 4;

inline constexpr uint8_t ONESTOPBIT = 0;
inline constexpr uint8_t ONE5STOPBITS = 1;
inline constexpr uint8_t TWOSTOPBITS = 2;

// Time-outs in milliseconds.
struct COMMTIMEOUTS {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;
};

// Queue counts in bytes.
struct COMSTAT {
    uint32_t cbInQue = 0;
    uint32_t cbOutQue = 0;
};

inline constexpr uint32_t PURGE_TXABORT = 0x0001;
inline constexpr uint32_t PURGE_RXABORT = 0x0002;
inline constexpr uint32_t PURGE_TXCLEAR = 0x0004;
inline constexpr uint32_t PURGE_RXCLEAR = 0x0008;

inline constexpr uint32_t MS_CTS_ON = 0x0010;
inline constexpr uint32_t MS_DSR_ON = 0x0020;
inline constexpr uint32_t MS_RING_ON = 0x0040;
inline constexpr uint32_t MS_RLSD_ON = 0x0080;

// The version record; dwOSVersionInfoSize must be 148 (the record's size).
struct OSVERSIONINFO {
    uint32_t dwOSVersionInfoSize = 0;
    uint32_t dwMajorVersion = 0;
    uint32_t dwMinorVersion = 0;
    uint32_t dwBuildNumber = 0;
    uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
static_assert(sizeof(OSVERSIONINFO) == 148, "the version record is 148 bytes long");

inline constexpr uint32_t VER_PLATFORM_WIN32s = 0;
inline constexpr uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

} // namespace comm
