#include "platform/chart/TickGenerator.h"

#include <algorithm>
#include <cmath>

namespace TickGenerator {

namespace {

constexpr double SecondsPerDay = 86400;
// More ticks than this means a range too narrow for its values' precision.
constexpr double MaxTicks = 1000;

// The multiples of `step` inside the range. Each is computed from its whole
// multiple count, so no rounding error adds up along the axis; `unit`
// divides the result (seconds into days) after the multiplication, so whole
// seconds stay exact.
std::vector<double> Multiples(double minimum, double maximum, double step, double unit) {
    std::vector<double> ticks;
    if (!(step > 0) || !std::isfinite(minimum) || !std::isfinite(maximum) || maximum < minimum)
        return ticks;
    const double lo = minimum * unit / step;
    const double hi = maximum * unit / step;
    // A tick a hair outside the range through rounding still belongs to it.
    const double slack = 1e-9 * std::max(1.0, std::max(std::fabs(lo), std::fabs(hi)));
    const double first = std::ceil(lo - slack);
    const double last = std::floor(hi + slack);
    if (last - first + 1 > MaxTicks)
        return ticks;
    for (double k = first; k <= last; k += 1) {
        const double value = k * step / unit;
        ticks.push_back(k == 0 ? 0.0 : value);
    }
    return ticks;
}

} // namespace

double ValueStep(double span, int maxIntervals) {
    if (maxIntervals < 1)
        maxIntervals = 1;
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    const double raw = span / maxIntervals;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        // A hair of tolerance so that a span of exactly 10 steps takes them.
        if (factor * magnitude >= raw * (1 - 1e-12))
            return factor * magnitude;
    }
    return 10 * magnitude;
}

double DateTimeStep(double span, int maxIntervals) {
    if (maxIntervals < 1)
        maxIntervals = 1;
    static constexpr double Seconds[] = {1,     2,     5,     10,    15,    30,     60,
                                         120,   300,   600,   900,   1800,  3600,   7200,
                                         10800, 14400, 21600, 43200, 86400, 172800, 604800};
    // A span of whole steps computed from date-time values is off by a few
    // microseconds; the tolerance keeps it at that step.
    const double raw = span * SecondsPerDay / maxIntervals * (1 - 1e-6);
    for (double step : Seconds) {
        if (step >= raw)
            return step / SecondsPerDay;
    }
    return ValueStep(span, maxIntervals);
}

std::vector<double> ValueTicks(double minimum, double maximum, int maxIntervals) {
    return Multiples(minimum, maximum, ValueStep(maximum - minimum, maxIntervals), 1);
}

std::vector<double> DateTimeTicks(double minimum, double maximum, int maxIntervals) {
    const double step = DateTimeStep(maximum - minimum, maxIntervals);
    if (step < 1)
        return Multiples(minimum, maximum, std::round(step * SecondsPerDay), SecondsPerDay);
    return Multiples(minimum, maximum, step, 1);
}

} // namespace TickGenerator
