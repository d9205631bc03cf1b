#pragma once

#include <cstdint>

// The kernel's arbitrary-rate interface (termios2 with BOTHER). It lives in a
// file of its own because the kernel's termios record clashes with the C
// library's.
namespace comm {

// Sets input and output rate to bits per second, whatever the number.
bool SetArbitraryLineRate(int fd, uint32_t bitsPerSecond);

// The output rate the device reports, in bits per second.
bool GetLineRate(int fd, uint32_t* bitsPerSecond);

} // namespace comm
