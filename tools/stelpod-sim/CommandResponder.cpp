#include "tools/stelpod-sim/CommandResponder.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace sim {

namespace {

constexpr char kFieldSeparator = 0x10;

std::optional<std::uint32_t> ParseHex(std::string_view text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::string WithHex(std::string_view prefix, unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return std::string(prefix) + text;
}

// The level digit of "P1".."P3" and "p1".."p3" as an index 0..2.
std::optional<std::size_t> Level(char digit) {
    if (digit < '1' || digit > '3')
        return std::nullopt;
    return static_cast<std::size_t>(digit - '1');
}

} // namespace

CommandResponder::CommandResponder(StelpodState& state, const FaultSwitches& faults)
    : state_(state), faults_(faults) {}

std::vector<std::string> CommandResponder::Answer(std::string_view command,
                                                  std::chrono::steady_clock::duration uptime) {
    if (command.empty())
        return {};
    const std::string_view field = command.substr(1);
    switch (command[0]) {
    case 'V':
        if (!field.empty())
            return {};
        return {"V" + state_.firmware + kFieldSeparator + state_.bootloader + "OK"};
    case 'C':
        return field.empty() ? std::vector<std::string>{WithHex("C", state_.batteryByte, 2)}
                             : std::vector<std::string>{};
    case 'S':
        return field.empty() ? std::vector<std::string>{WithHex("S", state_.sampleTime, 2)}
                             : std::vector<std::string>{};
    case 'T':
        return field.empty() ? std::vector<std::string>{WithHex("T", state_.shutdownTime, 2)}
                             : std::vector<std::string>{};
    case 'P': {
        const auto level = field.size() == 1 ? Level(field[0]) : std::nullopt;
        if (!level)
            return {};
        return {WithHex(std::string("P") + field[0], state_.power[*level], 2)};
    }
    case 'E':
        if (!field.empty())
            return {};
        return {WithHex(WithHex("E", state_.rewriteCount, 2), state_.BytesInUse(), 4)};
    case 'H':
        return field.empty() ? std::vector<std::string>{VoltageReply(uptime)}
                             : std::vector<std::string>{};
    case 'd': {
        const auto clock = ClockValue::ParseCommandFields(field);
        if (!clock || faults_.refuseClock)
            return {"dNO"};
        state_.clock = clock;
        return {"d"};
    }
    case 's':
    case 'c':
    case 't': {
        const auto value = field.size() == 2 ? ParseHex(field) : std::nullopt;
        const std::string letter(1, command[0]);
        if (!value)
            return {letter + "NO"};
        if (command[0] == 's')
            state_.sampleTime = static_cast<std::uint8_t>(*value);
        else if (command[0] == 't')
            state_.shutdownTime = static_cast<std::uint8_t>(*value);
        else // the cell's state is measured, not written
            state_.batteryByte =
                static_cast<std::uint8_t>((*value & ~StelpodState::kLithiumLowBit) |
                                          (state_.batteryByte & StelpodState::kLithiumLowBit));
        return {letter + "OK"};
    }
    case 'p': {
        const auto level = field.empty() ? std::nullopt : Level(field[0]);
        if (!level)
            return {};
        const std::string reply = std::string("p") + field[0];
        const auto value = field.size() == 3 ? ParseHex(field.substr(1)) : std::nullopt;
        if (!value)
            return {reply + "NO"};
        state_.power[*level] = static_cast<std::uint8_t>(*value);
        return {reply};
    }
    case 'K': {
        const auto value = field.size() >= 6 ? ParseHex(field) : std::nullopt;
        if (!value)
            return {"KNO"};
        state_.calibration = *value;
        return {"K"};
    }
    case 'e':
        if (!field.empty())
            return {};
        state_.records.clear();
        state_.rewriteCount = 0;
        return {"e"};
    case 'x':
        if (!field.empty())
            return {};
        state_.testMode = true;
        return {"x"};
    case 'X':
        if (!field.empty())
            return {};
        state_.ResetToFactory();
        return {"X"};
    case 'M':
        return field.empty() ? Download() : std::vector<std::string>{};
    default:
        return {};
    }
}

std::vector<std::string> CommandResponder::Download() const {
    std::size_t count = state_.records.size();
    if (faults_.downloadLimit && *faults_.downloadLimit < count)
        count = *faults_.downloadLimit;
    std::vector<std::string> lines;
    lines.reserve(count + 1);
    for (std::size_t i = 0; i < count; ++i) {
        if (faults_.malformedRecordAt && *faults_.malformedRecordAt == i)
            lines.push_back("M" + state_.records[i].substr(0, 8) + "GHIJKLMN");
        else
            lines.push_back("M" + state_.records[i]);
    }
    if (faults_.downloadEnd == DownloadEnd::Ok)
        lines.push_back("MOK");
    else if (faults_.downloadEnd == DownloadEnd::No)
        lines.push_back("MNO");
    return lines;
}

std::string CommandResponder::VoltageReply(std::chrono::steady_clock::duration uptime) const {
    if (state_.voltageRaw)
        return WithHex("H", *state_.voltageRaw, 4);
    // A slow swing over a minute with a faster ripple, between about 25 and 37 V.
    const double seconds = std::chrono::duration<double>(uptime).count();
    const double volts = 31.0 + 5.5 * std::sin(seconds * 2.0 * M_PI / 60.0) +
                         0.3 * std::sin(seconds * 2.0 * M_PI / 7.0);
    return WithHex("H", static_cast<unsigned>(std::lround(volts * 1250.0)), 4);
}

} // namespace sim
