#pragma once

#include "eventlog/store/ChartSeriesLinks.h"

class TIBCustomDataSet;

// Titles the grid's columns and rebuilds the voltage chart from the rows of
// an open view: every row that is not "Ongeldige aktie!" adds a point to the
// power-level band (in the colour of the level in force before it) and,
// unless it is a power-level row, to the voltage line; marker kinds add a
// point to their own series. Voltages and percentages are read with either
// decimal separator; a row whose value or moment does not convert anyway is
// left out of the chart, and the walk goes on with the next row.
class TChartRefill {
  public:
    // `lastPowerColor` is the band colour in force, left as the walk ends.
    static void Run(TIBCustomDataSet& view, const TChartSeriesLinks& series, int& lastPowerColor);
};
