#pragma once

#include "platform/regional/Regional.h"

#include <array>
#include <cstddef>

// Helpers shared by the regional conversions; not for use outside this folder.
namespace Regional::Detail {

// A real number as decimal digits: |value| = 0.<digits> * 10^exponent. The
// digits carry no leading or trailing zeros; zero has no digits.
struct DecimalDigits {
    bool negative = false;
    QString digits;
    int exponent = 0;
};

// |value| rounded to `significant` digits.
DecimalDigits ToDecimal(long double value, int significant);
// Rounds to `decimals` digits after the decimal point, halves away from zero.
void RoundToDecimals(DecimalDigits& number, int decimals);

// A date-time value as a day (0 = 30 December 1899) and the milliseconds of
// that day, rounded to the millisecond. False for a value outside the years
// 1 to 9999 (or not a number).
bool SplitDateTime(TDateTime value, long long& day, int& msOfDay);
void DayToDate(long long day, int& year, int& month, int& dayOfMonth);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The year of a two-digit year text: the year with those last two digits
// from currentYear - 50 to currentYear + 49.
int ExpandTwoDigitYear(int twoDigits, int currentYear);

// What a function makes of a format text, kept for the last `Slots` formats
// it was asked about: the formats change seldom, and dates and times are
// read and written for every row of the chart's refill.
template <class Answer, std::size_t Slots> class FormatAnswers {
  public:
    explicit FormatAnswers(Answer (*compute)(const QString&)) : compute_(compute) {}

    Answer Of(const QString& format) {
        for (const Slot& slot : slots_)
            if (slot.known && slot.format == format)
                return slot.answer;
        Slot& slot = slots_[next_++ % Slots];
        slot = {format, compute_(format), true};
        return slot.answer;
    }

  private:
    struct Slot {
        QString format;
        Answer answer{};
        bool known = false;
    };
    Answer (*compute_)(const QString&);
    std::array<Slot, Slots> slots_;
    std::size_t next_ = 0;
};

} // namespace Regional::Detail
