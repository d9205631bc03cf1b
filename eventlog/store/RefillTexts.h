#pragma once

#include "platform/regional/Regional.h"

#include <QString>
#include <cstdint>
#include <string_view>
#include <unordered_map>

class TField;
class TIBCustomDataSet;

// The texts of the view's current row as the chart's refill reads them, and
// what it makes of them. The refill reads every row of a view of up to a
// hundred thousand rows, and its texts repeat: a handful of kinds, a few
// hundred values, one date for hundreds of rows. So the texts are compared
// where the row buffer holds them, and each distinct text is converted once
// per refill, by the conversion (and with the error) that a single row would
// get; a text that fails to convert is not kept, so every row that holds it
// fails alike.
class TRefillTexts {
  public:
    // The view must stay open, with its rows as they are, while this lives.
    TRefillTexts(TIBCustomDataSet& view, TField& datum, TField& tijd, TField& aktie,
                 TField& data);

    // Whether the row's AKTIE text is exactly `kind`.
    bool KindIs(const QString& kind) const { return Is(aktie_, kind); }
    // Whether the row's DATA text is exactly `text`.
    bool DataIs(const QString& text) const { return Is(data_, text); }
    // The DATA text without its last 5 characters (" Volt"), read as a real
    // number with either decimal separator.
    double Volts();
    // The DATA text without its last character ("%"), read as a number with
    // either decimal separator and rounded to a whole one.
    int Percent();
    // The date-time value read back from the row's DATUM text, one blank and
    // its TIJD text.
    TDateTime DateAndTime();

  private:
    struct TColumn {
        TField* field;
        bool bytes;  // held in the row buffer as text
        bool value;  // a date, its text made once per stored value
        std::unordered_map<std::int64_t, QString> texts;
    };
    TColumn Column(TField& field) const;
    bool Is(const TColumn& column, const QString& text) const;
    std::string_view Bytes(const TColumn& column) const;
    QString Text(TColumn& column);
    // The DATA text's value, converted once per distinct text.
    template <class Value, class Convert>
    Value DataValue(std::unordered_map<std::string_view, Value>& values, Convert convert);

    TIBCustomDataSet& view_;
    TColumn datum_;
    TColumn tijd_;
    TColumn aktie_;
    TColumn data_;
    std::unordered_map<std::string_view, double> volts_;
    std::unordered_map<std::string_view, int> percents_;
    QString dateTime_;
};
