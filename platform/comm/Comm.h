#pragma once

#include "platform/comm/CommTypes.h"

#include <cstdint>
#include <string>

// The serial device calls on Linux (termios and ioctl). Every failure is a
// result, never an exception or a message; a device that vanishes while open
// (unplugged, or a pseudo-terminal whose other side closed) makes the calls
// fail until it is closed. One thread at a time per handle.
namespace comm {

// The ports folder: DORVEL_PORTS when set, else ~/.dorvel/ports.
std::string PortsFolder();

// The device of a port number: the entry "comN" in the ports folder when one
// exists (usually a link, for example com3 -> /dev/pts/4); otherwise COM1-COM32
// are /dev/ttyS0-/dev/ttyS31, COM33-COM64 /dev/ttyUSB0-/dev/ttyUSB31 and
// COM65-COM96 /dev/ttyACM0-/dev/ttyACM31. Empty: the number names no device.
std::string PortDevicePath(int portNumber);

// Opens the port's device for reading and writing, non-blocking, for this
// process alone: a lock (flock, which holds against root too) and the
// terminal's exclusive mode make a second open fail, here or elsewhere.
// InvalidHandle when there is no such device, it is no terminal, or it is in
// use.
Handle OpenPort(int portNumber);

// Leaves exclusive mode, releases the lock and closes the device.
bool CloseHandle(Handle handle);

// Applies the line settings: raw 8-bit data, no echo, no line editing.
// BaudRate: the POSIX speed constant when there is one, else the kernel's
// arbitrary-rate interface (14400, 56000, 128000, 256000, ...); a rate of 0,
// or one the device reports it cannot approach within 5 %, fails. ByteSize
// 5-8; Parity none, odd, even, mark or space (mark and space through CMSPAR);
// StopBits one, or two for one and a half and for two (CSTOPB; a UART sends
// 1.5 stop bits for 5 data bits with CSTOPB). fParity checks received parity
// (INPCK). fRtsControl handshake or fOutxCtsFlow: CRTSCTS (Linux has only the
// pair). fOutX / fInX: IXON / IXOFF with XonChar and XoffChar as VSTART and
// VSTOP. fDtrControl enable/disable and fRtsControl enable/disable raise and
// drop DTR and RTS (TIOCMBIS/TIOCMBIC); a device without modem control lines
// (a pseudo-terminal) accepts them unchanged. Linux has no counterpart of
// XonLim, XoffLim (the kernel keeps its own thresholds), fTXContinueOnXoff,
// fAbortOnError and the event and end-of-file characters; they are ignored.
// DTR or DSR handshake, RTS toggling, DSR sensitivity, error-character
// replacement and NUL stripping cannot be had and fail the settings.
bool SetCommState(Handle handle, const DCB& settings);

// Linux sizes its queues itself: the sizes are remembered and the call
// succeeds for an open handle.
bool SetupComm(Handle handle, uint32_t inQueue, uint32_t outQueue);

// Remembered for WriteFile. Reads never wait: ReadFile returns what is queued.
bool SetCommTimeouts(Handle handle, const COMMTIMEOUTS& timeouts);

// RXCLEAR / TXCLEAR discard the input / output queue (tcflush). The abort
// flags have nothing to abort, as every call is synchronous; no flags at all
// succeed without touching the queues.
bool PurgeComm(Handle handle, uint32_t flags);

// Bytes waiting in the input queue (FIONREAD) and in the output queue
// (TIOCOUTQ). Linux keeps no error state to clear; errors is set to 0.
bool ClearCommError(Handle handle, uint32_t* errors, COMSTAT* status);

// Reads up to count bytes of what is queued, without waiting; read is set to
// the count (0 when nothing is queued). False when the device failed or hung up.
bool ReadFile(Handle handle, void* buffer, uint32_t count, uint32_t* read);

// Waits until the device takes data, at most WriteTotalTimeoutConstant +
// WriteTotalTimeoutMultiplier * count ms (both 0: no limit), then writes what
// it takes; written is set to that count (0 when the time ran out). False when
// the device failed or hung up.
bool WriteFile(Handle handle, const void* data, uint32_t count, uint32_t* written);

// CTS, DSR, RING and carrier detect as MS_*_ON bits (TIOCMGET). False when the
// device has no modem lines (a pseudo-terminal) or the query failed.
bool GetCommModemStatus(Handle handle, uint32_t* status);

// The version record of this system as the XON/XOFF limit rule reads it: NT
// family (platform id 2), version 5.1, build 2600. Linux imposes no limit of
// its own there, so the rule with the smaller limits is the safe one. False
// when dwOSVersionInfoSize is not 148.
bool GetVersionEx(OSVERSIONINFO* info);

// Milliseconds of the monotonic clock, 32-bit, wrapping after about 49.7 days.
uint32_t GetTickCount();

} // namespace comm
