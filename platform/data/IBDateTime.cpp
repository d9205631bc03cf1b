#include "platform/data/IBDateTime.h"

#include <cmath>

namespace IBDateTime {

IscParts ToIsc(TDateTime value) {
    double days = std::trunc(value);
    const double fraction = std::fabs(value - days);
    // Milliseconds first, so that 23:59:59.9996 does not become 24:00.
    long long ms = std::llround(fraction * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += value < 0 ? -1 : 1;
    }
    IscParts parts;
    parts.date = static_cast<std::int32_t>(days) + DayOffset;
    parts.time = static_cast<std::uint32_t>(ms * 10);
    return parts;
}

TDateTime FromIscDate(std::int32_t date) {
    return static_cast<double>(date - DayOffset);
}

TDateTime FromIscTime(std::uint32_t time) {
    // Milliseconds are all a day-count value can hold faithfully.
    return static_cast<double>(time / 10) / 86400000.0;
}

TDateTime FromIsc(std::int32_t date, std::uint32_t time) {
    const double days = FromIscDate(date);
    const double fraction = FromIscTime(time);
    return days < 0 ? days - fraction : days + fraction;
}

} // namespace IBDateTime
