#include "platform/regional/RegionalDetail.h"

#include <cmath>

namespace Regional {

namespace {

// One parsed section of a number format.
struct Section {
    enum Kind { Literal, Digit, Point, Exponent };
    struct Item {
        Kind kind;
        QString text;      // Literal: the text; Exponent: "E+", "e-", ...
        bool zero = false; // Digit: '0' (always shown) rather than '#'
        int digits = 0;    // Exponent: the least number of exponent digits
    };
    QList<Item> items;
    bool thousands = false;
    int integerPlaces = 0;
    int integerZeros = 0; // the integer places from the first '0' on
    int fractionPlaces = 0;
    int fractionZeros = 0; // the fraction places up to the last '0'
    bool scientific = false;
    bool hasPoint = false;
};

QStringList SplitSections(const QString& format) {
    QStringList sections{QString()};
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

Section Parse(const QString& format) {
    Section section;
    bool inFraction = false;
    auto literal = [&section](const QString& text) {
        if (!section.items.isEmpty() && section.items.last().kind == Section::Literal)
            section.items.last().text += text;
        else
            section.items.append(Section::Item{Section::Literal, text});
    };
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == '\'' || c == '"') {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            literal(format.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '0' || c == '#') {
            section.items.append(Section::Item{Section::Digit, {}, c == '0'});
            if (inFraction) {
                ++section.fractionPlaces;
                if (c == '0')
                    section.fractionZeros = section.fractionPlaces;
            } else {
                ++section.integerPlaces;
                if (c == '0' || section.integerZeros > 0)
                    ++section.integerZeros;
            }
        } else if (c == '.') {
            if (!section.hasPoint && !section.scientific) {
                section.hasPoint = true;
                inFraction = true;
                section.items.append(Section::Item{Section::Point, {}});
            }
        } else if (c == ',') {
            section.thousands = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < format.size() &&
                   (format[i + 1] == '+' || format[i + 1] == '-') && !section.scientific) {
            Section::Item item{Section::Exponent, format.mid(i, 2)};
            i += 2;
            while (i < format.size() && format[i] == '0') {
                ++item.digits;
                ++i;
            }
            --i;
            section.scientific = true;
            inFraction = true; // placeholders after the exponent are ignored
            section.items.append(item);
        } else {
            literal(QString(c));
        }
    }
    return section;
}

QString Render(const Section& section, long double magnitude, bool& isZero) {
    const TFormatSettings& settings = FormatSettings();
    // Fifteen significant digits first, as the general format shows the value,
    // so that binary noise does not decide a rounding at the last decimal.
    Detail::DecimalDigits number = Detail::ToDecimal(magnitude, 15);
    int exponent = 0;
    if (section.scientific) {
        const int places = std::max(1, section.integerPlaces + section.fractionPlaces);
        if (!number.digits.isEmpty()) {
            number = Detail::ToDecimal(magnitude, std::min(places, 15));
            exponent = number.exponent - section.integerPlaces;
            number.exponent = section.integerPlaces;
        }
    } else {
        Detail::RoundToDecimals(number, section.fractionPlaces);
    }
    isZero = number.digits.isEmpty();

    QString integerDigits;
    QString fractionDigits;
    if (!isZero) {
        const QString& d = number.digits;
        if (number.exponent > 0) {
            integerDigits = d.left(number.exponent).leftJustified(number.exponent, '0');
            fractionDigits = d.mid(number.exponent);
        } else {
            fractionDigits = QString(-number.exponent, '0') + d;
        }
    }
    fractionDigits = fractionDigits.left(section.fractionPlaces);
    while (fractionDigits.size() < section.fractionZeros)
        fractionDigits += '0';
    while (fractionDigits.size() > section.fractionZeros && fractionDigits.endsWith('0'))
        fractionDigits.chop(1);
    if (integerDigits.size() < section.integerZeros)
        integerDigits = integerDigits.rightJustified(section.integerZeros, '0');

    const qsizetype count = integerDigits.size();
    auto appendDigit = [&](QString& out, qsizetype position) { // position counted from the units
        out += integerDigits[count - 1 - position];
        if (section.thousands && position > 0 && position % 3 == 0)
            out += settings.ThousandSeparator;
    };
    QString out;
    int integerPlace = 0;
    int fractionPlace = 0;
    bool inFraction = false;
    for (const Section::Item& item : section.items) {
        switch (item.kind) {
        case Section::Literal:
            out += item.text;
            break;
        case Section::Digit:
            if (inFraction) {
                if (fractionPlace < fractionDigits.size())
                    out += fractionDigits[fractionPlace];
                ++fractionPlace;
            } else {
                const int position = section.integerPlaces - 1 - integerPlace;
                if (integerPlace == 0)
                    for (qsizetype p = count - 1; p > position; --p)
                        appendDigit(out, p);
                if (position < count)
                    appendDigit(out, position);
                ++integerPlace;
            }
            break;
        case Section::Point:
            if (section.integerPlaces == 0)
                for (qsizetype p = count - 1; p >= 0; --p)
                    appendDigit(out, p);
            inFraction = true;
            if (!fractionDigits.isEmpty())
                out += settings.DecimalSeparator;
            break;
        case Section::Exponent: {
            inFraction = true;
            out += item.text[0];
            if (exponent < 0)
                out += '-';
            else if (item.text[1] == '+')
                out += '+';
            out += QString::number(std::abs(exponent)).rightJustified(item.digits, '0');
            break;
        }
        }
    }
    return out;
}

} // namespace

QString FormatFloat(const QString& format, long double value) {
    if (format.isEmpty() || std::isnan(value) || std::isinf(value))
        return FloatToStr(value);
    const QStringList sections = SplitSections(format);
    const bool negative = value < 0;
    const long double magnitude = std::fabs(value);
    bool isZero = false;
    QString text;
    if (negative && sections.size() > 1 && !sections[1].isEmpty()) {
        text = Render(Parse(sections[1]), magnitude, isZero);
    } else {
        text = Render(Parse(sections[0]), magnitude, isZero);
        if (negative && !isZero)
            text.prepend('-');
    }
    if (isZero && sections.size() > 2 && !sections[2].isEmpty())
        text = Render(Parse(sections[2]), 0, isZero);
    return text;
}

} // namespace Regional
