#include "tools/stelpod-sim/StelpodState.h"

#include <algorithm>

namespace sim {

namespace {

std::array<std::uint8_t, 3> DefaultPower(const StelpodState& state) {
    const std::string kind = state.HardwareKind();
    if (kind == "HM" && state.FirmwareVersion() < 108)
        return {0x00, 0x08, 0x10}; // codes of 0..32, eight track positions each
    if (kind == "HM")
        return {0x00, 0x40, 0x80};
    return {0xFF, 0xBF, 0x80};
}

} // namespace

StelpodState StelpodState::Defaults(const std::string& firmware) {
    StelpodState state;
    state.firmware = firmware;
    state.power = DefaultPower(state);
    return state;
}

std::string StelpodState::HardwareKind() const {
    return firmware.substr(0, 2);
}

int StelpodState::FirmwareVersion() const {
    if (firmware.size() < 13)
        return -1;
    int version = 0;
    for (std::size_t i = 10; i < 13; ++i) {
        if (firmware[i] < '0' || firmware[i] > '9')
            return -1;
        version = version * 10 + (firmware[i] - '0');
    }
    return version;
}

std::uint16_t StelpodState::BytesInUse() const {
    const std::size_t bytes = (records.size() + 2) * 8;
    return static_cast<std::uint16_t>(std::min<std::size_t>(bytes, 0xFFFF));
}

void StelpodState::ResetToFactory() {
    const StelpodState factory = Defaults(firmware);
    batteryByte = static_cast<std::uint8_t>(factory.batteryByte | (batteryByte & kLithiumLowBit));
    sampleTime = factory.sampleTime;
    shutdownTime = factory.shutdownTime;
    power = factory.power;
    rewriteCount = 0;
    calibration.reset();
    testMode = false;
    records.clear();
}

} // namespace sim
