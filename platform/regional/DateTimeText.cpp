#include "platform/regional/RegionalDetail.h"

#include <QRegularExpression>

namespace Regional {

namespace {

struct Parts {
    bool valid = false;
    int year = 0, month = 0, day = 0, weekDay = 0; // weekDay 0 = Sunday
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool hasTime = false;
};

Parts Decode(TDateTime value) {
    Parts parts;
    long long day;
    int ms;
    if (!Detail::SplitDateTime(value, day, ms))
        return parts;
    parts.valid = true;
    Detail::DayToDate(day, parts.year, parts.month, parts.day);
    parts.weekDay = static_cast<int>(((day + 6) % 7 + 7) % 7); // 30 December 1899 was a Saturday
    parts.hour = ms / 3600000;
    parts.minute = ms / 60000 % 60;
    parts.second = ms / 1000 % 60;
    parts.millisecond = ms % 1000;
    parts.hasTime = ms != 0;
    return parts;
}

// Appends a number of at least `width` digits, with leading zeros; a
// negative number keeps its sign before the zeros' place, as QString::number
// and rightJustified give it.
void AppendNumber(QString& out, int value, int width) {
    char digits[16];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    const int length = count + (value < 0 ? 1 : 0);
    for (int pad = length; pad < width; ++pad)
        out += QLatin1Char('0');
    if (value < 0)
        out += QLatin1Char('-');
    while (count > 0)
        out += QLatin1Char(digits[--count]);
}

bool StartsWithAt(const QString& text, qsizetype at, const char* word) {
    return QStringView(text).mid(at, qstrlen(word)).compare(QLatin1String(word),
                                                            Qt::CaseInsensitive) == 0;
}

// True when the format holds an AM/PM field, so that h and hh count 1 to 12.
bool UsesTwelveHours(const QString& format) {
    QChar quote;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (StartsWithAt(format, i, "am/pm") || StartsWithAt(format, i, "a/p") ||
                   StartsWithAt(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

// UsesTwelveHours, kept for the last few formats: a format and the formats
// it names.
bool TwelveHours(const QString& format) {
    static Detail::FormatAnswers<bool, 4> answers(UsesTwelveHours);
    return answers.Of(format);
}

QString ShortTimeFormat(const QString& longTimeFormat) {
    static const QRegularExpression seconds(":[sS]+([.][zZ]+)?");
    return QString(longTimeFormat).remove(seconds);
}

class Formatter {
  public:
    explicit Formatter(const Parts& parts) : parts_(parts), settings_(FormatSettings()) {}

    QString Run(const QString& format) {
        out_.reserve(32);
        Append(format, 0);
        return out_;
    }

  private:
    void Append(const QString& format, int level) {
        if (level > 2)
            return; // a format that names itself
        const bool twelveHours = TwelveHours(format);
        QChar lastToken;
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format[i];
            if (c == '\'' || c == '"') {
                const qsizetype end = format.indexOf(c, i + 1);
                const qsizetype stop = end < 0 ? format.size() : end;
                out_ += format.mid(i + 1, stop - i - 1);
                i = stop + 1;
                continue;
            }
            if (c == '/') {
                out_ += settings_.DateSeparator;
                ++i;
                continue;
            }
            if (c == ':') {
                out_ += settings_.TimeSeparator;
                ++i;
                continue;
            }
            if (!c.isLetter() || c.unicode() > 127) {
                out_ += c;
                ++i;
                continue;
            }
            QChar token = c.toUpper();
            qsizetype count = 1;
            while (i + count < format.size() && format[i + count].toUpper() == token)
                ++count;
            if (token == 'M' && lastToken == 'H')
                token = 'N';
            lastToken = token;
            const char t = static_cast<char>(token.unicode());
            switch (t) {
            case 'Y':
                if (count <= 2)
                    AppendNumber(out_, parts_.year % 100, 2);
                else
                    AppendNumber(out_, parts_.year, 4);
                break;
            case 'M':
                if (count <= 2)
                    AppendNumber(out_, parts_.month, int(count));
                else if (parts_.valid)
                    out_ += (count == 3 ? settings_.ShortMonthNames
                                        : settings_.LongMonthNames)[parts_.month - 1];
                break;
            case 'D':
                if (count <= 2)
                    AppendNumber(out_, parts_.day, int(count));
                else if (count <= 4)
                    out_ += (count == 3 ? settings_.ShortDayNames
                                        : settings_.LongDayNames)[parts_.weekDay];
                else
                    Append(settings_.ShortDateFormat, level + 1);
                break;
            case 'H': {
                int hour = parts_.hour;
                if (twelveHours) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                AppendNumber(out_, hour, count == 1 ? 1 : 2);
                break;
            }
            case 'N':
                AppendNumber(out_, parts_.minute, count == 1 ? 1 : 2);
                break;
            case 'S':
                AppendNumber(out_, parts_.second, count == 1 ? 1 : 2);
                break;
            case 'Z':
                AppendNumber(out_, parts_.millisecond, count == 1 ? 1 : 3);
                break;
            case 'T':
                Append(count == 1 ? ShortTimeFormat(settings_.LongTimeFormat)
                                  : settings_.LongTimeFormat,
                       level + 1);
                break;
            case 'C':
                count = 1;
                Append(settings_.ShortDateFormat, level + 1);
                if (parts_.hasTime) {
                    out_ += ' ';
                    Append(settings_.LongTimeFormat, level + 1);
                }
                break;
            case 'A':
                count = AppendAmPm(format, i);
                break;
            default:
                out_ += format.mid(i, count);
                break;
            }
            i += count;
        }
    }

    // The AM/PM fields; returns how many characters of the format they take.
    qsizetype AppendAmPm(const QString& format, qsizetype at) {
        const bool pm = parts_.hour >= 12;
        if (StartsWithAt(format, at, "am/pm")) {
            out_ += format.mid(pm ? at + 3 : at, 2);
            return 5;
        }
        if (StartsWithAt(format, at, "a/p")) {
            out_ += format[pm ? at + 2 : at];
            return 3;
        }
        if (StartsWithAt(format, at, "ampm")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            return 4;
        }
        out_ += format[at];
        return 1;
    }

    const Parts& parts_;
    const TFormatSettings& settings_;
    QString out_;
};

} // namespace

QString FormatDateTime(const QString& format, TDateTime value) {
    const Parts parts = Decode(value);
    return Formatter(parts).Run(format);
}

QString DateToStr(TDateTime value) {
    return FormatDateTime("ddddd", value);
}

QString TimeToStr(TDateTime value) {
    return FormatDateTime("tt", value);
}

QString DateTimeToStr(TDateTime value) {
    return FormatDateTime("c", value);
}

} // namespace Regional
