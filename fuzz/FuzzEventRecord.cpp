// Feeds arbitrary record lines to the event record decoding, with each kind
// of firmware text, and checks that every row it gives fits the table.
#include "eventlog/store/EventRecord.h"
#include "fuzz/FuzzSettings.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    Fuzz::UseRegion(data[0]);
    static const QString firmwares[] = {"SN-Stelpod108", "HM-Stelpod107", "HM-Stelpod108", "XX",
                                        ""};
    const QString& firmware = firmwares[data[1] % std::size(firmwares)];
    const QString line =
        QString::fromLatin1(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    const TEventRecord row = TEventRecord::Decode(line, firmware, Regional::Now());

    Fuzz::Require(row.Aktie.size() <= 30, "the kind fits AKTIE (30 characters)");
    Fuzz::Require(row.Data.size() <= 25, "the value fits DATA (25 characters)");
    Fuzz::Require(!row.Data.isEmpty(), "the value is never empty");
    Fuzz::Require(row.Datum == std::trunc(row.Datum) && row.Datum <= Regional::Now(),
                  "the date is a whole day, not after today");
    Fuzz::Require(row.Tijd >= 0 && row.Tijd < 1, "the time is a time of day");
    return 0;
}
