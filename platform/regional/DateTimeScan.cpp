#include "platform/errors/Exception.h"
#include "platform/regional/RegionalDetail.h"

namespace Regional {

namespace {

// Reads a date-time text from left to right; blanks may stand before every
// number and separator.
class Scanner {
  public:
    explicit Scanner(const QString& text) : text_(text) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    bool AtBlank() const { return pos_ < text_.size() && text_[pos_].isSpace(); }
    // Whether the next character, blanks skipped, is a digit.
    bool AtDigit() const {
        qsizetype at = pos_;
        while (at < text_.size() && text_[at].isSpace())
            ++at;
        return at < text_.size() && text_[at].isDigit();
    }

    bool Number(int& value, int& digits) {
        const qsizetype start = pos_;
        SkipBlanks();
        const qsizetype first = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        digits = int(pos_ - first);
        if (digits == 0 || digits > 4) {
            pos_ = start;
            return false;
        }
        value = 0;
        for (qsizetype at = first; at < pos_; ++at)
            value = value * 10 + (text_[at].unicode() - '0');
        return true;
    }

    // The digits of a fraction of a second, right after its separator.
    bool Milliseconds(int& value) {
        const qsizetype first = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        const qsizetype digits = pos_ - first;
        if (digits == 0 || digits > 3)
            return false;
        value = text_.mid(first, digits).leftJustified(3, '0').toInt();
        return true;
    }

    bool Char(QChar c) {
        const qsizetype start = pos_;
        if (c.isSpace()) {
            if (!AtBlank())
                return false;
            SkipBlanks();
            return true;
        }
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        pos_ = start;
        return false;
    }

    bool Word(const QString& word) {
        const qsizetype start = pos_;
        SkipBlanks();
        if (!word.isEmpty() &&
            text_.mid(pos_, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
            const qsizetype end = pos_ + word.size();
            if (end >= text_.size() || !text_[end].isLetter()) {
                pos_ = end;
                return true;
            }
        }
        pos_ = start;
        return false;
    }

  private:
    void SkipBlanks() {
        while (AtBlank())
            ++pos_;
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

// The order of day, month and year in the short date format, e.g. "dmy".
QString ReadDateOrder(const QString& format) {
    QString order;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else {
            const QChar kind = c.toLower();
            if ((kind == 'd' || kind == 'm' || kind == 'y') && !order.contains(kind))
                order += kind;
        }
    }
    return order.size() == 3 ? order : QString("dmy");
}

// The order for the format in force, read again only when the format changes.
QString DateOrder(const QString& format) {
    static Detail::FormatAnswers<QString, 1> orders(ReadDateOrder);
    return orders.Of(format);
}

int CurrentYear() {
    int year, month, day;
    DecodeDate(Now(), year, month, day);
    return year;
}

bool ScanDate(Scanner& scanner, TDateTime& date) {
    const TFormatSettings& settings = FormatSettings();
    const QChar separator = settings.DateSeparator;
    int numbers[3];
    int digits[3];
    if (!scanner.Number(numbers[0], digits[0]) || !scanner.Char(separator) ||
        !scanner.Number(numbers[1], digits[1]))
        return false;
    int count = 2;
    if (scanner.Char(separator) && scanner.Number(numbers[2], digits[2])) {
        count = 3;
        scanner.Char(separator); // some regions end a date with the separator
    }
    QString order = DateOrder(settings.ShortDateFormat);
    // The clock is read only when the text needs it: a date without a year,
    // or a year of two digits.
    int year = 0;
    if (count == 2) {
        order.remove('y');
        year = CurrentYear();
    }
    int month = 0;
    int day = 0;
    for (int i = 0; i < count; ++i) {
        const QChar kind = order[i];
        if (kind == 'y') {
            if (digits[i] == 2)
                year = Detail::ExpandTwoDigitYear(numbers[i], CurrentYear());
            else if (digits[i] == 4)
                year = numbers[i];
            else
                return false;
        } else if (digits[i] > 2) {
            return false;
        } else if (kind == 'd') {
            day = numbers[i];
        } else {
            month = numbers[i];
        }
    }
    return TryEncodeDate(year, month, day, date);
}

int ScanAmPm(Scanner& scanner, const TFormatSettings& settings) {
    if (scanner.AtDigit())
        return -1;
    for (const QString& word : {settings.TimeAMString, QString("AM"), QString("A")})
        if (scanner.Word(word))
            return 0;
    for (const QString& word : {settings.TimePMString, QString("PM"), QString("P")})
        if (scanner.Word(word))
            return 12;
    return -1;
}

bool ScanTime(Scanner& scanner, TDateTime& time) {
    const TFormatSettings& settings = FormatSettings();
    int baseHour = ScanAmPm(scanner, settings);
    int hour, minute, second = 0, millisecond = 0, digits;
    if (!scanner.Number(hour, digits) || digits > 2 || !scanner.Char(settings.TimeSeparator) ||
        !scanner.Number(minute, digits) || digits > 2)
        return false;
    if (scanner.Char(settings.TimeSeparator)) {
        if (!scanner.Number(second, digits) || digits > 2)
            return false;
        if ((scanner.Char('.') || scanner.Char(settings.DecimalSeparator)) &&
            !scanner.Milliseconds(millisecond))
            return false;
    }
    if (baseHour < 0)
        baseHour = ScanAmPm(scanner, settings);
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        hour = hour % 12 + baseHour;
    }
    return TryEncodeTime(hour, minute, second, millisecond, time);
}

[[noreturn]] void Invalid(const QString& text, const char* what) {
    throw EConvertError("'" + text + "' is not a valid " + what);
}

} // namespace

TDateTime StrToDateTime(const QString& text) {
    TDateTime date;
    TDateTime time;
    Scanner scanner(text);
    if (ScanDate(scanner, date)) {
        const bool blank = scanner.AtBlank();
        if (scanner.AtEnd())
            return date;
        if (blank && ScanTime(scanner, time) && scanner.AtEnd())
            return date >= 0 ? date + time : date - time;
    }
    Scanner timeOnly(text);
    if (ScanTime(timeOnly, time) && timeOnly.AtEnd())
        return time;
    Invalid(text, "date and time");
}

TDateTime StrToDate(const QString& text) {
    TDateTime date;
    Scanner scanner(text);
    if (!ScanDate(scanner, date) || !scanner.AtEnd())
        Invalid(text, "date");
    return date;
}

TDateTime StrToTime(const QString& text) {
    TDateTime time;
    Scanner scanner(text);
    if (!ScanTime(scanner, time) || !scanner.AtEnd())
        Invalid(text, "time");
    return time;
}

} // namespace Regional
