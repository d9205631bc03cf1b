#pragma once

#include "platform/regional/Regional.h"

#include <cstdint>

// Date-time values in the engine's own units, computed directly from the
// class library's day count: ISC_DATE counts days since 17 November 1858,
// ISC_TIME ten-thousandths of a second since midnight.
namespace IBDateTime {

// Days from 17 November 1858 to 30 December 1899.
constexpr std::int32_t DayOffset = 15018;
constexpr std::uint32_t TicksPerDay = 864000000u;

struct IscParts {
    std::int32_t date = 0;
    std::uint32_t time = 0;
};

// The date part and the time of day of a value (the time of a negative value
// is its fraction without sign, as in the class library), the time taken to
// the millisecond.
IscParts ToIsc(TDateTime value);
TDateTime FromIsc(std::int32_t date, std::uint32_t time);
TDateTime FromIscDate(std::int32_t date);
TDateTime FromIscTime(std::uint32_t time);

} // namespace IBDateTime
