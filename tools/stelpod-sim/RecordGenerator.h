#pragma once

#include "tools/stelpod-sim/EventRecord.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct RecordGeneratorOptions {
    std::size_t count = 400; // at most the memory's capacity of 8000
    std::uint32_t seed = 1;
    // Decides the raw values of power level changes ('8') so that they give
    // 100, 75, 50 or 25 % for this hardware kind.
    std::string hardwareKind = "SN";
    int sampleMinutes = 5;
    // Relative weights of the event codes '0'..'8'.
    std::array<int, 9> kindWeights{80, 2, 2, 2, 2, 4, 4, 1, 3};
    // Share of the records, the most recent ones, that report the lithium
    // backup cell low (the cell went low at some point and stayed low).
    double lithiumLowShare = 0.0;
    // The moment of the last record; now when not given. The records lie
    // before it in increasing order, so none is later than today.
    std::optional<std::chrono::system_clock::time_point> end;
};

// A deterministic event memory: voltage samples at the sample interval, with
// charging phases, switch-on and switch-off events and power level changes
// between them. The same options give the same records.
class RecordGenerator {
  public:
    static std::vector<EventRecord> Generate(const RecordGeneratorOptions& options);
    static std::vector<std::string> GenerateHex(const RecordGeneratorOptions& options);
};

} // namespace sim
