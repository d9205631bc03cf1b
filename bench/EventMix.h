#pragma once

// A working unit's event log for the benchmarks: every event kind and
// frequent power-level changes, as the simulated Stelpod's record generator
// makes them, as download lines, as an event log text file and as bare rows.
#include "BareClient.h"

#include <QByteArray>
#include <string>
#include <vector>

namespace EventMix {

// The firmware text the rows are decoded for ("SN" scales the power levels).
inline const char* const Firmware = "SN-Stelpod108";

// The receive text of a full download of `count` records (at most the 8000
// the unit holds): one "M" line per record and the closing "MOK".
std::string DownloadText(int count);

// `count` rows in time order: full memories of the unit one after another,
// decoded as the store decodes a download and numbered from 1. The file
// holds them as the export writes them under the regional settings in force.
struct Rows {
    QByteArray File;
    std::vector<Bare::Row> Bare;
};
Rows MakeRows(int count);

} // namespace EventMix
