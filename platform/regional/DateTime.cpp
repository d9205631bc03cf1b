#include "platform/errors/Exception.h"
#include "platform/regional/RegionalDetail.h"

#include <cmath>

namespace Regional {

namespace {

constexpr long long MsPerDay = 86400000;

// Days since 1 March of year 0 of the proleptic Gregorian calendar, shifted so
// that 1 January 1970 is 0 (the usual civil-day count).
long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

const long long Epoch = DaysFromCivil(1899, 12, 30);
const long long FirstDay = DaysFromCivil(1, 1, 1) - Epoch;
const long long LastDay = DaysFromCivil(9999, 12, 31) - Epoch;

} // namespace

namespace Detail {

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool SplitDateTime(TDateTime value, long long& day, int& msOfDay) {
    if (!std::isfinite(value) || value < FirstDay - 1 || value > LastDay + 1)
        return false;
    // Before 30 December 1899 the whole part still names the day and the
    // fraction's size the time of day: -1.25 is 29 December 1899, 6:00.
    const long double whole = std::truncl(value);
    long long ms = std::llroundl(std::fabs(value - whole) * MsPerDay);
    day = static_cast<long long>(whole);
    if (value >= 0) {
        const long long total = std::llroundl(static_cast<long double>(value) * MsPerDay);
        day = total / MsPerDay;
        ms = total % MsPerDay;
    } else if (ms >= MsPerDay) {
        ms -= MsPerDay;
        ++day;
    }
    msOfDay = static_cast<int>(ms);
    return day >= FirstDay && day <= LastDay;
}

void DayToDate(long long day, int& year, int& month, int& dayOfMonth) {
    const long long z = day + Epoch + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    dayOfMonth = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int ExpandTwoDigitYear(int twoDigits, int currentYear) {
    const int base = currentYear - 50;
    int year = base / 100 * 100 + twoDigits;
    if (year < base)
        year += 100;
    return year;
}

} // namespace Detail

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > Detail::DaysInMonth(year, month))
        return false;
    result = static_cast<TDateTime>(DaysFromCivil(year, month, day) - Epoch);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return false;
    const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<TDateTime>(ms) / MsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        throw EConvertError("Invalid argument to time encode");
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    long long dayNumber;
    int ms;
    if (!Detail::SplitDateTime(value, dayNumber, ms)) {
        year = month = day = 0;
        return;
    }
    Detail::DayToDate(dayNumber, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    long long day;
    int ms;
    if (!Detail::SplitDateTime(value, day, ms))
        ms = 0;
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    millisecond = ms % 1000;
}

} // namespace Regional
