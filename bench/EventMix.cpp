#include "EventMix.h"

#include "eventlog/store/EventRecord.h"
#include "eventlog/viewer/EventLogFile.h"
#include "platform/data/IBDateTime.h"
#include "platform/regional/Regional.h"
#include "tools/stelpod-sim/RecordGenerator.h"

#include <QStringList>
#include <algorithm>
#include <chrono>
#include <ctime>

namespace EventMix {

namespace {

using namespace std::chrono;

// The last record of the newest memory; older memories end 40 days apart
// (a full memory spans about 23 days).
const system_clock::time_point NewestEnd = system_clock::from_time_t(1748779200); // 1 June 2025
constexpr hours MemorySpacing{24 * 40};

TDateTime DayOf(system_clock::time_point moment) {
    const std::time_t t = system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&t, &local);
    return Regional::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

sim::RecordGeneratorOptions Memory(int count, int number) {
    sim::RecordGeneratorOptions options;
    options.count = size_t(count);
    options.seed = std::uint32_t(number + 1);
    options.hardwareKind = "SN";
    return options;
}

} // namespace

std::string DownloadText(int count) {
    std::string text;
    sim::RecordGeneratorOptions options = Memory(count, 0);
    options.end = NewestEnd;
    for (const std::string& record : sim::RecordGenerator::GenerateHex(options))
        text += "M" + record + "\r";
    return text + "MOK\r";
}

Rows MakeRows(int count) {
    constexpr int Capacity = 8000;
    const int memories = (count + Capacity - 1) / Capacity;
    Rows rows;
    QStringList lines;
    for (int memory = memories - 1; memory >= 0; --memory) {
        const int size = std::min(Capacity, count - int(rows.Bare.size()));
        sim::RecordGeneratorOptions options = Memory(size, memory);
        options.end = NewestEnd - memory * MemorySpacing;
        const TDateTime today = DayOf(*options.end);
        for (const std::string& record : sim::RecordGenerator::GenerateHex(options)) {
            const TEventRecord row = TEventRecord::Decode(
                QString::fromLatin1("M" + record), QString::fromLatin1(Firmware), today);
            Bare::Row bare;
            bare.Id = ISC_LONG(rows.Bare.size() + 1);
            bare.Date = IBDateTime::ToIsc(row.Datum).date;
            bare.Time = IBDateTime::ToIsc(row.Tijd).time;
            bare.Aktie = row.Aktie.toStdString();
            bare.Data = row.Data.toStdString();
            lines << QStringList{QString::number(bare.Id), Regional::DateToStr(row.Datum),
                                 Regional::TimeToStr(row.Tijd), row.Aktie, row.Data}
                         .join(QLatin1Char(';'));
            rows.Bare.push_back(std::move(bare));
        }
    }
    rows.File = EventLogFile::Join(lines);
    return rows;
}

} // namespace EventMix
