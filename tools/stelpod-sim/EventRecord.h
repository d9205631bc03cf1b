#pragma once

#include "tools/stelpod-sim/ClockValue.h"

#include <cstdint>
#include <string>

namespace sim {

// One entry of the unit's event memory: when it happened, what happened and
// the raw value measured. The memory sends it as "M" and 16 hexadecimal digits.
struct EventRecord {
    ClockValue when;
    bool lithiumLow = false;
    char code = '0'; // '0' voltage sample, '1'..'7' events, '8' power level change
    std::uint16_t raw = 0;

    // The 16 upper-case hexadecimal digits of the 8 record bytes: seconds
    // (bit 7 the lithium flag), minutes, hours, year-and-day, month, event
    // code, raw value high byte first.
    std::string Hex() const;
};

} // namespace sim
