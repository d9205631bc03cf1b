#include "tools/stelpod-sim/RecordGenerator.h"

#include "tools/stelpod-sim/StelpodState.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numeric>
#include <random>
#include <stdexcept>

namespace sim {

namespace {

// The unit reports volts as raw * 16 / 20000.
std::uint16_t RawFromVolts(double volts) {
    return static_cast<std::uint16_t>(std::lround(volts * 1250.0));
}

std::uint16_t PowerRaw(const std::string& kind, std::mt19937& random) {
    static constexpr std::array<std::uint16_t, 4> kSn{0xFF, 0xBF, 0x80, 0x40};
    static constexpr std::array<std::uint16_t, 4> kHm{0x00, 0x08, 0x10, 0x18};
    const std::size_t pick = random() % 4;
    if (kind == "SN")
        return kSn[pick];
    if (kind == "HM")
        return kHm[pick];
    return static_cast<std::uint16_t>(random() % 256);
}

char PickCode(const std::array<int, 9>& weights, int total, std::mt19937& random) {
    int ticket = static_cast<int>(random() % static_cast<unsigned>(total));
    for (std::size_t code = 0; code < weights.size(); ++code) {
        ticket -= weights[code];
        if (ticket < 0)
            return static_cast<char>('0' + code);
    }
    return '0';
}

} // namespace

std::vector<EventRecord> RecordGenerator::Generate(const RecordGeneratorOptions& options) {
    if (options.count > StelpodState::kMemoryCapacity)
        throw std::invalid_argument("the event memory holds at most 8000 records");
    const int totalWeight =
        std::accumulate(options.kindWeights.begin(), options.kindWeights.end(), 0);
    if (totalWeight <= 0)
        throw std::invalid_argument("the kind weights must not all be zero");
    for (int weight : options.kindWeights)
        if (weight < 0)
            throw std::invalid_argument("a kind weight must not be negative");

    std::mt19937 random(options.seed);
    std::uniform_real_distribution<double> noise(-0.15, 0.15);

    // First the kinds and the time steps, so that the last record can end at
    // the chosen moment.
    std::vector<EventRecord> records(options.count);
    std::vector<long long> steps(options.count);
    long long span = 0;
    for (std::size_t i = 0; i < options.count; ++i) {
        records[i].code = PickCode(options.kindWeights, totalWeight, random);
        steps[i] = records[i].code == '0' ? options.sampleMinutes * 60LL
                                          : 5 + static_cast<long long>(random() % 115);
        if (i > 0)
            span += steps[i];
    }

    const auto end = options.end.value_or(std::chrono::system_clock::now());
    std::time_t moment = std::chrono::system_clock::to_time_t(end) - span;
    const double lowShare = std::clamp(options.lithiumLowShare, 0.0, 1.0);
    const std::size_t firstLow =
        options.count - static_cast<std::size_t>(std::llround(lowShare * options.count));
    double volts = 30.0;
    for (std::size_t i = 0; i < options.count; ++i) {
        if (i > 0)
            moment += steps[i];
        std::tm local{};
        localtime_r(&moment, &local);
        EventRecord& record = records[i];
        record.when = ClockValue::FromLocalTime(local);
        record.lithiumLow = i >= firstLow;

        // The battery wanders slowly between about 25 and 37 V.
        volts = 31.0 + 6.0 * std::sin(static_cast<double>(i) / 40.0) + noise(random);
        switch (record.code) {
        case '1':
            record.raw = RawFromVolts(25.5 + noise(random)); // charging starts when low
            break;
        case '2':
            record.raw = RawFromVolts(36.2 + noise(random));
            break;
        case '3':
            record.raw = RawFromVolts(37.4 + noise(random));
            break;
        case '7':
            record.raw = RawFromVolts(24.1 + noise(random)); // automatic shut-off
            break;
        case '8':
            record.raw = PowerRaw(options.hardwareKind, random);
            break;
        default:
            record.raw = RawFromVolts(volts);
            break;
        }
    }
    return records;
}

std::vector<std::string> RecordGenerator::GenerateHex(const RecordGeneratorOptions& options) {
    std::vector<std::string> lines;
    for (const EventRecord& record : Generate(options))
        lines.push_back(record.Hex());
    return lines;
}

} // namespace sim
