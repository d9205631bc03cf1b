#include "tools/stelpod-sim/ClockValue.h"

#include <cstdio>

namespace sim {

namespace {

std::optional<int> DecimalPair(std::string_view text) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9')
        return std::nullopt;
    return (text[0] - '0') * 10 + (text[1] - '0');
}

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

} // namespace

std::uint8_t ToBcd(int value) {
    return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

ClockValue ClockValue::FromLocalTime(const std::tm& local) {
    ClockValue clock;
    clock.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    clock.minute = local.tm_min;
    clock.hour = local.tm_hour;
    clock.day = local.tm_mday;
    clock.month = local.tm_mon + 1;
    clock.yearMod4 = (local.tm_year + 1900) % 4;
    return clock;
}

std::optional<ClockValue> ClockValue::ParseCommandFields(std::string_view fields) {
    if (fields.size() != 10)
        return std::nullopt;
    const auto second = DecimalPair(fields.substr(0, 2));
    const auto minute = DecimalPair(fields.substr(2, 2));
    const auto hour = DecimalPair(fields.substr(4, 2));
    const auto high = HexDigit(fields[6]);
    const auto low = HexDigit(fields[7]);
    const auto month = DecimalPair(fields.substr(8, 2));
    if (!second || !minute || !hour || !high || !low || !month)
        return std::nullopt;
    const int dayTens = *high & 3;
    if (*second > 59 || *minute > 59 || *hour > 23 || *low > 9 || *month < 1 || *month > 12)
        return std::nullopt;
    ClockValue clock;
    clock.second = *second;
    clock.minute = *minute;
    clock.hour = *hour;
    clock.day = dayTens * 10 + *low;
    clock.month = *month;
    clock.yearMod4 = *high >> 2;
    if (clock.day < 1 || clock.day > 31)
        return std::nullopt;
    return clock;
}

std::string ClockValue::CommandFields() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d%02X%02d", second, minute, hour, YearDayByte(),
                  month);
    return text;
}

std::uint8_t ClockValue::YearDayByte() const {
    return static_cast<std::uint8_t>(ToBcd(day) | (yearMod4 << 6));
}

} // namespace sim
