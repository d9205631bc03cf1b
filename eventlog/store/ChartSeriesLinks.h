#pragma once

class TLineSeries;
class TPointSeries;

// The log window's voltage chart series that the refill fills: the battery
// voltage line, the seven event markers and the power-level band. The pie
// (Series1) is not the refill's.
struct TChartSeriesLinks {
    TLineSeries* Series2 = nullptr;  // battery voltage
    TPointSeries* Series3 = nullptr; // "Start laden"
    TPointSeries* Series4 = nullptr; // "Einde const. current"
    TPointSeries* Series5 = nullptr; // "Einde const. voltage"
    TPointSeries* Series6 = nullptr; // "Verbinding verbroken"
    TPointSeries* Series7 = nullptr; // "Inschakel voltage"
    TPointSeries* Series8 = nullptr; // "Uitschakel voltage"
    TPointSeries* Series9 = nullptr; // "Shutoff voltage"
    TLineSeries* Series10 = nullptr; // power-level band

    bool Complete() const {
        return Series2 && Series3 && Series4 && Series5 && Series6 && Series7 && Series8 &&
               Series9 && Series10;
    }
};
