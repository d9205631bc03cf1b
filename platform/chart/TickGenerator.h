#pragma once

#include <vector>

// Where an axis puts its ticks and labels: at whole multiples of a step,
// from the first multiple not below the minimum to the last not above the
// maximum, with at most `maxIntervals` steps across the range.
namespace TickGenerator {

// 1, 2 or 5 times a power of ten: the smallest such step that divides the
// span into no more than `maxIntervals` parts.
double ValueStep(double span, int maxIntervals);
// For date-time values (days, with the time as the fraction): whole
// seconds, minutes, hours and days (1, 2, 5, 10, 15 or 30 seconds or
// minutes, 1, 2, 3, 4, 6 or 12 hours, 1, 2 or 7 days), then ValueStep on
// the number of days.
double DateTimeStep(double span, int maxIntervals);

std::vector<double> ValueTicks(double minimum, double maximum, int maxIntervals);
std::vector<double> DateTimeTicks(double minimum, double maximum, int maxIntervals);

} // namespace TickGenerator
