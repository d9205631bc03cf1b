#pragma once

#include <cstdint>

// The output rate the kernel holds for a terminal, in bits per second, read
// through its own interface; 0 when the query fails.
uint32_t KernelOutputRate(int fd);
