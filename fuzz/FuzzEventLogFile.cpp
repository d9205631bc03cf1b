// Feeds arbitrary file contents to the import's line and field splitting and
// converts the fields as the import does, under the regional settings of
// several regions. Checks that the lines and fields are what the file holds,
// and that a date and a time the import accepts come back unchanged through
// the export's texts where the formats keep them whole.
#include "eventlog/viewer/EventLogFile.h"
#include "fuzz/FuzzSettings.h"
#include "platform/errors/Exception.h"

#include <cmath>
#include <cstdint>

namespace {

// The export's text of a value stored in DATUM or TIJD, read back.
void RequireRoundTrip(TDateTime stored, bool date) {
    const Regional::TFormatSettings& settings = Regional::FormatSettings();
    if (date ? !settings.ShortDateFormat.contains(QLatin1String("yyyy"), Qt::CaseInsensitive)
             : !settings.LongTimeFormat.contains(QLatin1Char('s'), Qt::CaseInsensitive))
        return;
    const QString text = date ? Regional::DateToStr(stored) : Regional::TimeToStr(stored);
    const TDateTime back = Regional::StrToDateTime(text);
    Fuzz::Require(std::fabs(back - stored) < 0.5 / 86400.0,
                  "an imported date or time reads back from its exported text");
}

void Convert(const QStringList& fields) {
    for (int number = 0; number < std::min<int>(int(fields.size()), 3); ++number) {
        const QString& text = fields[number];
        try {
            if (number == 0) {
                Regional::StrToInt(text);
            } else if (!text.isEmpty()) {
                const TDateTime value = Regional::StrToDateTime(text);
                const double day = std::trunc(value);
                const double time = std::fabs(value - day);
                Fuzz::Require(time >= 0 && time < 1, "the time part is a time of day");
                // The export's time text holds whole seconds.
                const double seconds = double(std::llround(time * 86400000) / 1000);
                RequireRoundTrip(number == 1 ? day : seconds / 86400, number == 1);
            }
        } catch (const EConvertError&) {
            return; // the import stops at this line
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    Fuzz::UseRegion(data[0]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const QStringList lines = EventLogFile::SplitLines(bytes);
    Fuzz::Require(EventLogFile::SplitLines(EventLogFile::Join(lines)) == lines,
                  "the lines written back read as the same lines");
    for (const QString& line : lines) {
        Fuzz::Require(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')) &&
                          !line.contains(QChar(0)),
                      "a line holds no line end and no zero byte");
        const QStringList fields = EventLogFile::SplitFields(line);
        const qsizetype separators = line.count(QLatin1Char(';'));
        Fuzz::Require(fields.size() == (line.isEmpty()           ? 0
                                        : line.endsWith(QLatin1Char(';')) ? separators
                                                                          : separators + 1),
                      "one field between every two separators");
        for (const QString& field : fields)
            Fuzz::Require(!field.contains(QLatin1Char(';')), "a field holds no separator");
        Convert(fields);
    }
    return 0;
}
