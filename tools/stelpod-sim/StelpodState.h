#pragma once

#include "tools/stelpod-sim/ClockValue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Everything the unit remembers and reports. Records are the text sent after
// the "M" of each memory line (16 hexadecimal digits for a sound record).
struct StelpodState {
    static constexpr std::size_t kMemoryCapacity = 8000;
    static constexpr std::uint8_t kLithiumLowBit = 0x80;

    // Characters 1-2 are the hardware kind ("SN", "HM"), 11-13 the version.
    std::string firmware = "SN-Stelpod108";
    std::string bootloader = "BL-0102";
    // Bit 0: NiMH battery; bit 7: lithium backup cell low (a measurement, so
    // writing the battery type leaves it alone).
    std::uint8_t batteryByte = 0x01;
    std::uint8_t sampleTime = 5;
    std::uint8_t shutdownTime = 30;
    std::array<std::uint8_t, 3> power{0xFF, 0xBF, 0x80};
    std::uint8_t rewriteCount = 0;
    std::optional<std::uint32_t> calibration;
    std::optional<ClockValue> clock;
    bool testMode = false;
    // A fixed voltage reading; without it the reading wanders between about
    // 25 and 37 V.
    std::optional<std::uint16_t> voltageRaw;
    std::vector<std::string> records;

    // Factory settings for the given firmware: power values that mean 100, 75
    // and 50 % for its hardware kind.
    static StelpodState Defaults(const std::string& firmware = "SN-Stelpod108");

    std::string HardwareKind() const;
    // Characters 11-13 as a decimal number; -1 when they are no number.
    int FirmwareVersion() const;

    // Memory in use as the unit reports it: two header entries of 8 bytes
    // besides the records, capped at what four hexadecimal digits hold.
    std::uint16_t BytesInUse() const;

    // Back to the factory settings with the memory erased; firmware,
    // bootloader and the lithium cell's state are the hardware's own.
    void ResetToFactory();
};

} // namespace sim
