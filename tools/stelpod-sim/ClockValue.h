#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// A moment as the unit packs it: the year is known only modulo 4. The clock
// command and the event records share this packing.
struct ClockValue {
    int second = 0;
    int minute = 0;
    int hour = 0;
    int day = 1;
    int month = 1;
    int yearMod4 = 0;

    static ClockValue FromLocalTime(const std::tm& local);

    // The ten characters after the "d" of a clock command: seconds, minutes
    // and hours as two decimal digits each, the year-and-day byte as two
    // hexadecimal digits, the month as two decimal digits. Nothing is
    // returned for text of another length, bad digits or values out of range.
    static std::optional<ClockValue> ParseCommandFields(std::string_view fields);
    std::string CommandFields() const;

    // Packed bytes: day in BCD in bits 0-5 with the year modulo 4 in bits 6-7;
    // the others plain BCD.
    std::uint8_t YearDayByte() const;

    bool operator==(const ClockValue&) const = default;
};

std::uint8_t ToBcd(int value);

} // namespace sim
