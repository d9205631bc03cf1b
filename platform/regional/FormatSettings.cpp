#include "platform/regional/Regional.h"

#include <algorithm>
#include <ctime>

#include <QDateTime>
#include <optional>

namespace Regional {

namespace {

std::optional<TFormatSettings>& Current() {
    static std::optional<TFormatSettings> settings;
    return settings;
}

std::function<TDateTime()>& NowHook() {
    static std::function<TDateTime()> hook;
    return hook;
}

// One element of a Qt date or time format: a run of one letter, or text.
struct QtToken {
    QChar letter; // null for text
    int count = 0;
    QString text;
};

QList<QtToken> Tokenize(const QString& format) {
    QList<QtToken> tokens;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == '\'') {
            QString text;
            ++i;
            while (i < format.size()) {
                if (format[i] == '\'') {
                    if (i + 1 < format.size() && format[i + 1] == '\'') {
                        text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += format[i++];
            }
            tokens.append({QChar(), 0, text});
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < format.size() && format[j] == c)
                ++j;
            tokens.append({c, int(j - i), {}});
            i = j;
        } else {
            tokens.append({QChar(), 0, QString(c)});
            ++i;
        }
    }
    return tokens;
}

// The separator written between two fields: the first character of the text
// between them that is neither a blank nor a letter or digit.
QChar SeparatorIn(const QString& text) {
    for (QChar c : text)
        if (!c.isSpace() && !c.isLetterOrNumber())
            return c;
    return {};
}

void TranslateDate(const QString& qtFormat, TFormatSettings& settings) {
    const QList<QtToken> tokens = Tokenize(qtFormat);
    QString order;
    QStringList fields;
    QString between;
    bool numeric = true;
    QChar separator;
    for (const QtToken& token : tokens) {
        const QChar letter = token.letter;
        if (letter.isNull()) {
            if (!order.isEmpty())
                between += token.text;
            continue;
        }
        QString field;
        if (letter == 'd') {
            if (token.count > 2)
                continue; // a day name does not belong in a numeric date
            field = token.count == 1 ? "d" : "dd";
        } else if (letter == 'M') {
            if (token.count > 2)
                numeric = false;
            field = token.count == 1 ? "m" : "mm";
        } else if (letter == 'y') {
            field = token.count == 2 ? "yy" : "yyyy";
        } else {
            continue;
        }
        const QChar kind = field[0];
        if (order.contains(kind))
            continue;
        if (!order.isEmpty() && separator.isNull())
            separator = SeparatorIn(between);
        between.clear();
        order += kind;
        fields.append(field);
    }
    if (order.size() != 3 || separator.isNull() || !numeric) {
        // The edits, the export and the import need a date of numbers only.
        if (order.size() != 3)
            order = "dmy";
        fields.clear();
        for (QChar kind : order)
            fields.append(kind == 'y' ? "yyyy" : QString(2, kind));
        if (separator.isNull() || separator == ' ')
            separator = '/';
    }
    settings.DateSeparator = separator;
    settings.ShortDateFormat = fields.join('/');
}

void TranslateTime(const QString& qtFormat, TFormatSettings& settings) {
    const QList<QtToken> tokens = Tokenize(qtFormat);
    QStringList fields;
    QString between;
    QChar separator;
    bool ampm = false;
    bool ampmFirst = false;
    for (const QtToken& token : tokens) {
        const QChar letter = token.letter;
        if (letter.isNull()) {
            if (!fields.isEmpty())
                between += token.text;
            continue;
        }
        const bool twoDigits = token.count >= 2;
        QString field;
        if (letter == 'h' || letter == 'H')
            field = twoDigits ? "hh" : "h";
        else if (letter == 'm')
            field = twoDigits ? "nn" : "n";
        else if (letter == 's')
            field = twoDigits ? "ss" : "s";
        else if (letter == 'z')
            field = twoDigits ? "zzz" : "z";
        else if (letter == 'a' || letter == 'A' || letter == 'p' || letter == 'P') {
            if (!ampm)
                ampmFirst = fields.isEmpty();
            ampm = true;
            continue;
        } else {
            continue; // the time zone: the class library's time has none
        }
        if (fields.size() == 1 && separator.isNull())
            separator = SeparatorIn(between);
        between.clear();
        fields.append(field);
    }
    if (fields.isEmpty())
        fields = {"hh", "nn", "ss"};
    if (separator.isNull() || separator == ' ')
        separator = ':';
    settings.TimeSeparator = separator;
    QString format;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            format += fields[i].startsWith('z') ? "." : ":";
        format += fields[i];
    }
    if (ampm)
        format = ampmFirst ? "AMPM " + format : format + " AMPM";
    settings.LongTimeFormat = format;
}

QChar FirstOr(const QString& text, QChar fallback) {
    return text.isEmpty() ? fallback : text[0];
}

} // namespace

TFormatSettings FromLocale(const QLocale& locale) {
    TFormatSettings settings;
    settings.DecimalSeparator = FirstOr(locale.decimalPoint(), '.');
    settings.ThousandSeparator = FirstOr(locale.groupSeparator(), ',');
    TranslateDate(locale.dateFormat(QLocale::ShortFormat), settings);
    TranslateTime(locale.timeFormat(QLocale::LongFormat), settings);
    if (!locale.amText().isEmpty())
        settings.TimeAMString = locale.amText();
    if (!locale.pmText().isEmpty())
        settings.TimePMString = locale.pmText();
    for (int month = 1; month <= 12; ++month) {
        settings.ShortMonthNames[month - 1] = locale.monthName(month, QLocale::ShortFormat);
        settings.LongMonthNames[month - 1] = locale.monthName(month, QLocale::LongFormat);
    }
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day; // Qt counts from Monday, the names from Sunday
        settings.ShortDayNames[day] = locale.dayName(qtDay, QLocale::ShortFormat);
        settings.LongDayNames[day] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    return settings;
}

const TFormatSettings& FormatSettings() {
    if (!Current())
        LoadFromSystem();
    return *Current();
}

void SetFormatSettings(const TFormatSettings& settings) {
    Current() = settings;
}

void LoadFromSystem() {
    Current() = FromLocale(QLocale::system());
}

TDateTime Now() {
    if (NowHook())
        return NowHook()();
    // localtime_r reads the time-zone rules once, where Qt's local time
    // reads them again on every call; the download reads the clock per record.
    timespec clock;
    clock_gettime(CLOCK_REALTIME, &clock);
    tm local;
    localtime_r(&clock.tv_sec, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      int(clock.tv_nsec / 1000000));
}

void SetNowHook(std::function<TDateTime()> hook) {
    NowHook() = std::move(hook);
}

} // namespace Regional
