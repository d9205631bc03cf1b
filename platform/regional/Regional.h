#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

// The class library's date-time value: days since 30 December 1899, with the
// time of day as the fraction.
using TDateTime = double;

namespace Regional {

// The user's regional settings, in the class library's terms. Date formats
// use its syntax: d, dd, m, mm, yy, yyyy; "/" stands for DateSeparator.
// Time formats: h, hh, n, nn, s, ss; ":" stands for TimeSeparator.
struct TFormatSettings {
    QChar DecimalSeparator = '.';
    QChar ThousandSeparator = ',';
    QChar DateSeparator = '/';
    QChar TimeSeparator = ':';
    QString ShortDateFormat = "d/m/yyyy";
    QString LongTimeFormat = "h:nn:ss";
    // Texts of the "ampm" field and the names of the "mmm", "mmmm", "ddd" and
    // "dddd" fields (day names start at Sunday).
    QString TimeAMString = "AM";
    QString TimePMString = "PM";
    QStringList ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QStringList LongMonthNames = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
    QStringList ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QStringList LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};
};

// The settings in force. Read from the system locale at start-up and again on
// LoadFromSystem (the application calls it when the system announces a
// change); tests replace them with SetFormatSettings.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
TFormatSettings FromLocale(const QLocale& locale);
void LoadFromSystem();

// Conversions with the class library's error texts (EConvertError):
// "'%s' is not a valid integer value", "'%s' is not a valid floating point
// value", "'%s' is not a valid date and time".
int StrToInt(const QString& text);
// A text of decimal digits only, read as StrToInt reads it; a blank, a sign,
// a '$' or an empty text fails with StrToInt's error text.
int DigitsToInt(const QString& text);
long double StrToFloat(const QString& text);
QString IntToStr(long long value);
QString IntToHex(long long value, int digits); // upper case, at least `digits`

// General format: at most 15 significant digits, no trailing zeros, the
// regional decimal separator.
QString FloatToStr(long double value);
// The class library's number format syntax ("#,#0.#0", "0.00", ...).
QString FormatFloat(const QString& format, long double value);

// Rounding of a real to an integer: halves go to the even neighbour.
long long Round(long double value);
long long Trunc(long double value);

// Date-time values. Encode* raise EConvertError for an invalid date or time;
// TryEncode* report it instead.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// Texts in the regional short date and long time formats, and back.
QString DateToStr(TDateTime value);
QString TimeToStr(TDateTime value);
QString DateTimeToStr(TDateTime value);       // date, a blank, time; the time left out at midnight
TDateTime StrToDateTime(const QString& text); // a date, a time, or a date, a blank and a time
// A date alone ("'%s' is not a valid date") and a time alone ("'%s' is not a
// valid time"). A two-digit year is read as the year with those last two
// digits from 50 years before the current year to 49 years after it.
TDateTime StrToDate(const QString& text);
TDateTime StrToTime(const QString& text);
// The class library's date-time format syntax: letters in either case (d, m,
// y, h, n, s; an m right after an h or hh means minutes, so "dd-MM-yy/hh:mm:ss"
// is day-month-year and hours-minutes-seconds), "/" and ":" the regional
// separators, quoted text taken literally.
QString FormatDateTime(const QString& format, TDateTime value);

// The PC clock; tests fix "now" with SetNowHook (an empty hook restores it).
TDateTime Now();
void SetNowHook(std::function<TDateTime()> hook);

} // namespace Regional
