#pragma once

#include "platform/regional/Regional.h"

// The regional settings of a Dutch PC, which most tests and the benchmarks
// run under: decimal comma, thousands point, dates as d-m-yyyy and times as
// h:nn:ss.
inline void UseDutchSettings() {
    Regional::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    settings.DateSeparator = '-';
    settings.ShortDateFormat = "d/m/yyyy";
    settings.LongTimeFormat = "h:nn:ss";
    Regional::SetFormatSettings(settings);
}
