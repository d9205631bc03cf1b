#include "eventlog/store/EventRecord.h"

#include "platform/errors/Exception.h"

namespace {

// The kind table: each text behind the letter that says how its value is
// written (V volts, P percent).
const QString KindTable[9] = {
    "VAccu voltage sample",  "VStart laden",          "VEinde const. current",
    "VEinde const. voltage", "VVerbinding verbroken", "VInschakel voltage",
    "VUitschakel voltage",   "VShutoff voltage",      "PInsch./wijz. vermogensstand",
};

struct DecodeFailure {};

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    throw DecodeFailure();
}

// A hexadecimal number of exactly `digits` characters.
long long Hex(const QString& text, int digits) {
    if (text.size() != digits)
        throw DecodeFailure();
    long long value = 0;
    for (QChar c : text)
        value = value * 16 + HexDigit(c);
    return value;
}

// A pair of decimal digits.
int Decimal(const QString& pair) {
    if (pair.size() != 2)
        throw DecodeFailure();
    try {
        return Regional::DigitsToInt(pair);
    } catch (const EConvertError&) {
        throw DecodeFailure();
    }
}

int Year(int y4, int month, int day, int cy, int cm, int cd) {
    const int base = (cy / 4) * 4 + y4;
    const int cy4 = cy % 4;
    if (y4 != cy4)
        return y4 > cy4 ? base - 4 : base;
    if (month != cm)
        return month > cm ? base - 4 : base;
    return day > cd ? base - 4 : base;
}

void DecodeDateTime(const QString& S, TDateTime today, TEventRecord& record) {
    QString T = S.mid(1, 6);
    const QString Dt = S.mid(7, 4);

    const long long seconds = Hex(T.left(2), 2);
    if (seconds & 0x80) {
        record.LithiumLow = true;
        T.replace(0, 2, Regional::IntToHex(seconds & 0x7F, 2));
    }

    int cy, cm, cd;
    Regional::DecodeDate(today, cy, cm, cd);

    if (Dt.size() != 4)
        throw DecodeFailure();
    const int d1 = HexDigit(Dt[0]), d2 = HexDigit(Dt[1]), d3 = HexDigit(Dt[2]),
              d4 = HexDigit(Dt[3]);
    const int day = (d1 & 3) * 10 + d2;
    const int month = (d3 & 1) * 10 + d4;
    const int y4 = (d1 & 12) / 4;
    const int year = Year(y4, month, day, cy, cm, cd);

    TDateTime datum, tijd;
    if (!Regional::TryEncodeDate(year, month, day, datum))
        throw DecodeFailure();
    if (T.size() != 6)
        throw DecodeFailure();
    if (!Regional::TryEncodeTime(Decimal(T.mid(4, 2)), Decimal(T.mid(2, 2)), Decimal(T.left(2)), 0,
                                 tijd))
        throw DecodeFailure();
    record.Datum = datum;
    record.Tijd = tijd;
}

long long Percent(long long raw, const QString& firmware) {
    const QString kind = firmware.left(2);
    if (kind == "SN")
        return Regional::Round(static_cast<long double>(raw) / 2.55L);
    if (kind == "HM") {
        long long v = raw * 8;
        if (v > 255)
            v = 255;
        return Regional::Round(static_cast<long double>(255 - v) * 100 / 255);
    }
    return 0;
}

} // namespace

TEventRecord TEventRecord::Decode(const QString& S, const QString& firmware, TDateTime today) {
    TEventRecord record;

    try {
        DecodeDateTime(S, today, record);
    } catch (const DecodeFailure&) {
        record.Datum = Regional::EncodeDate(2000, 1, 1);
        record.Tijd = 0;
    }

    QString K = S.mid(11, 2);
    if (S.size() >= 13) {
        const char16_t code = S[12].unicode();
        if (code >= '0' && code <= '8')
            K = KindTable[code - '0'];
    }
    if (K.isEmpty() || (K[0] != 'V' && K[0] != 'P'))
        K = EventKind::Invalid;
    record.Aktie = K == EventKind::Invalid ? K : K.mid(1);

    try {
        const QString X = S.mid(13, 4);
        const long long raw = Hex(X, 4);
        const long double volts =
            static_cast<long double>(Regional::Round(static_cast<long double>(raw * 16) / 2000)) /
            10;
        const long long percent = Percent(raw, firmware);
        record.Data =
            K[0] == 'V' ? Regional::FloatToStr(volts) + " Volt" : Regional::IntToStr(percent) + "%";
    } catch (const DecodeFailure&) {
        record.Data = EventKind::InvalidData;
    }
    return record;
}
