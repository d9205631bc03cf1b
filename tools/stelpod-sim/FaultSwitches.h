#pragma once

#include <cstddef>
#include <optional>

namespace sim {

// How the memory download ends after its records.
enum class DownloadEnd { Ok, No, None };

// Ways in which the simulated unit misbehaves, for testing the program's
// handling of a poor link or a failing unit.
struct FaultSwitches {
    bool silent = false;      // reads and logs commands, never answers
    int dropReplies = 0;      // the first k commands get no answer
    bool crLf = false;        // reply lines end with CR LF instead of CR
    bool split = false;       // each reply line goes out in pieces with gaps
    int splitGapMs = 20;      // the gap between those pieces
    bool garbage = false;     // a line of noise bytes goes before each reply line
    bool refuseClock = false; // "d..." is answered "dNO"
    DownloadEnd downloadEnd = DownloadEnd::Ok;
    std::optional<std::size_t> downloadLimit;     // send at most this many records
    std::optional<std::size_t> malformedRecordAt; // this record goes out mangled
    bool paced = true; // output at 38400 bit/s (3840 bytes/s), else as fast as possible
};

} // namespace sim
