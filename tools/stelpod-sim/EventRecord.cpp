#include "tools/stelpod-sim/EventRecord.h"

#include <cstdio>

namespace sim {

std::string EventRecord::Hex() const {
    const unsigned seconds = ToBcd(when.second) | (lithiumLow ? 0x80u : 0u);
    const unsigned codeNibble = static_cast<unsigned>(code - '0') & 0x0F;
    char text[20];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X%04X", seconds, ToBcd(when.minute),
                  ToBcd(when.hour), when.YearDayByte(), ToBcd(when.month), codeNibble,
                  static_cast<unsigned>(raw));
    return text;
}

} // namespace sim
