// Feeds arbitrary texts to the regional conversions (integer, real, date and
// time) under the settings of several regions. Every text either converts or
// raises the conversion error; a converted value written back as text reads
// back as the same value.
#include "fuzz/FuzzSettings.h"
#include "platform/errors/Exception.h"

#include <cmath>
#include <cstdint>

namespace {

template <typename Conversion> bool Converts(Conversion conversion) {
    try {
        conversion();
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

// Whether the short date format writes the whole year and the long time
// format the seconds, so that their texts keep a value whole.
bool FormatsKeepValues() {
    const Regional::TFormatSettings& settings = Regional::FormatSettings();
    return settings.ShortDateFormat.contains(QLatin1String("yyyy"), Qt::CaseInsensitive) &&
           settings.LongTimeFormat.contains(QLatin1Char('s'), Qt::CaseInsensitive);
}

// The moment with its time of day cut to whole seconds, as its text holds
// it. Before 30 December 1899 the time of day counts down from the day.
TDateTime WholeSeconds(TDateTime moment) {
    const double day = std::trunc(moment);
    const long long seconds = std::llround(std::fabs(moment - day) * 86400000) / 1000;
    return day >= 0 ? day + seconds / 86400.0 : day - seconds / 86400.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    Fuzz::UseRegion(data[0]);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    int integer = 0;
    if (Converts([&] { integer = Regional::StrToInt(text); }))
        Fuzz::Require(Regional::StrToInt(Regional::IntToStr(integer)) == integer,
                      "an integer reads back from its text");

    long double real = 0;
    if (Converts([&] { real = Regional::StrToFloat(text); })) {
        const QString written = Regional::FloatToStr(real);
        long double back = 0;
        Fuzz::Require(Converts([&] { back = Regional::StrToFloat(written); }),
                      "the text of a real converts");
        Fuzz::Require(Regional::FloatToStr(back) == written,
                      "a real reads back from its text to 15 digits");
    }

    TDateTime moment = 0;
    if (Converts([&] { moment = Regional::StrToDateTime(text); })) {
        Fuzz::Require(std::isfinite(moment), "a date-time is a number");
        if (FormatsKeepValues()) {
            const TDateTime whole = WholeSeconds(moment);
            TDateTime back = 0;
            const QString written = Regional::DateTimeToStr(whole);
            Fuzz::Require(Converts([&] { back = Regional::StrToDateTime(written); }),
                          "the text of a date-time converts");
            Fuzz::Require(std::fabs(back - whole) < 0.5 / 86400,
                          "a date-time reads back from its text");
        }
    }
    TDateTime part = 0;
    if (Converts([&] { part = Regional::StrToDate(text); }))
        Fuzz::Require(part == std::trunc(part), "a date has no time of day");
    if (Converts([&] { part = Regional::StrToTime(text); }))
        Fuzz::Require(part >= 0 && part < 1, "a time is a time of day");
    return 0;
}
