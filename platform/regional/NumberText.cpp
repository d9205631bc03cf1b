#include "platform/errors/Exception.h"
#include "platform/regional/RegionalDetail.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace Regional {

namespace Detail {

DecimalDigits ToDecimal(long double value, int significant) {
    DecimalDigits number;
    number.negative = std::signbit(value);
    char buffer[64];
    // %Le rounds the exact binary value correctly; only its digits and its
    // exponent are used, so the C library's locale does not matter.
    std::snprintf(buffer, sizeof buffer, "%.*Le", significant - 1, std::fabs(value));
    const char* p = buffer;
    QString digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += QLatin1Char(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (digits.endsWith('0'))
        digits.chop(1);
    if (digits.isEmpty())
        return number;
    number.digits = digits;
    number.exponent = exponent + 1;
    return number;
}

void RoundToDecimals(DecimalDigits& number, int decimals) {
    const qsizetype keep = qsizetype(number.exponent) + decimals;
    if (keep >= number.digits.size())
        return;
    if (keep < 0) {
        number.digits.clear();
        number.exponent = 0;
        return;
    }
    const bool up = number.digits[keep] >= '5';
    QString digits = number.digits.left(keep);
    if (up) {
        qsizetype i = digits.size() - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            digits[i] = QChar(digits[i].unicode() + 1);
        } else {
            digits.prepend('1');
            ++number.exponent;
        }
    }
    while (digits.endsWith('0'))
        digits.chop(1);
    number.digits = digits;
    if (digits.isEmpty())
        number.exponent = 0;
}

} // namespace Detail

namespace {

[[noreturn]] void NotAnInteger(const QString& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}

[[noreturn]] void NotAFloat(const QString& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

int HexValue(QChar c) {
    if (IsDigit(c))
        return c.unicode() - '0';
    const char16_t u = c.toUpper().unicode();
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

long double ParseCNumber(const QByteArray& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtold_l(text.constData(), nullptr, cLocale);
}

} // namespace

int StrToInt(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const bool hex = i < text.size() && text[i] == '$';
    if (hex)
        ++i;
    if (i >= text.size())
        NotAnInteger(text);
    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            hex ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i].unicode() - '0' : -1);
        if (digit < 0)
            NotAnInteger(text);
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > 0xFFFFFFFFull)
            NotAnInteger(text);
    }
    long long value;
    if (hex) {
        // A hexadecimal text gives the 32 bits it spells: $FFFFFFFF is -1.
        value = static_cast<int>(static_cast<unsigned int>(magnitude));
    } else {
        value = static_cast<long long>(magnitude);
        if (value > (negative ? -static_cast<long long>(INT_MIN) : INT_MAX))
            NotAnInteger(text);
    }
    return static_cast<int>(negative ? -value : value);
}

int DigitsToInt(const QString& text) {
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), IsDigit))
        NotAnInteger(text);
    return StrToInt(text);
}

long double StrToFloat(const QString& text) {
    const QChar decimal = FormatSettings().DecimalSeparator;
    QByteArray plain;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        plain += char(text[i++].unicode());
    int digits = 0;
    while (i < n && IsDigit(text[i])) {
        plain += char(text[i++].unicode());
        ++digits;
    }
    if (i < n && text[i] == decimal) {
        plain += '.';
        ++i;
        while (i < n && IsDigit(text[i])) {
            plain += char(text[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        NotAFloat(text);
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            plain += char(text[i++].unicode());
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            plain += char(text[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            NotAFloat(text);
    }
    while (i < n && text[i].isSpace())
        ++i;
    if (i != n)
        NotAFloat(text);
    errno = 0;
    const long double value = ParseCNumber(plain);
    if (errno == ERANGE && std::isinf(value))
        NotAFloat(text);
    return value;
}

QString IntToStr(long long value) {
    return QString::number(value);
}

QString IntToHex(long long value, int digits) {
    const unsigned long long bits = value >= INT_MIN && value <= INT_MAX
                                        ? static_cast<unsigned int>(static_cast<int>(value))
                                        : static_cast<unsigned long long>(value);
    return QString::number(bits, 16).toUpper().rightJustified(digits, '0');
}

QString FloatToStr(long double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const Detail::DecimalDigits number = Detail::ToDecimal(value, 15);
    if (number.digits.isEmpty())
        return "0";
    const QChar decimal = FormatSettings().DecimalSeparator;
    QString text = number.negative ? "-" : "";
    const QString& d = number.digits;
    const int exponent = number.exponent;
    if (exponent > 15 || exponent < -3) {
        text += d[0];
        if (d.size() > 1)
            text += decimal + d.mid(1);
        text += 'E' + QString::number(exponent - 1);
    } else if (exponent <= 0) {
        text += QString("0") + decimal + QString(-exponent, '0') + d;
    } else if (d.size() <= exponent) {
        text += d + QString(exponent - d.size(), '0');
    } else {
        text += d.left(exponent) + decimal + d.mid(exponent);
    }
    return text;
}

namespace {

long long CheckedInteger(long double whole) {
    if (std::isnan(whole) || whole < -9.2233720368547758e18L || whole >= 9.2233720368547758e18L)
        throw EInvalidOperation("Invalid floating point operation");
    return static_cast<long long>(whole);
}

} // namespace

long long Round(long double value) {
    long double whole = std::roundl(value); // halves away from zero
    if (std::fabs(value - std::truncl(value)) == 0.5L && std::fmod(whole, 2.0L) != 0)
        whole -= std::copysign(1.0L, value);
    return CheckedInteger(whole);
}

long long Trunc(long double value) {
    return CheckedInteger(std::truncl(value));
}

} // namespace Regional
