#include "eventlog/store/RefillTexts.h"

#include "platform/data/IBCustomDataSet.h"
#include "platform/errors/Exception.h"

#include <algorithm>
#include <climits>

namespace {

// A number as the program writes it, read with either decimal separator:
// a file from a PC with other settings, or rows stored before the settings
// changed, chart the same.
long double numberOf(QString text) {
    const QChar decimal = Regional::FormatSettings().DecimalSeparator;
    for (const QChar other : {QLatin1Char('.'), QLatin1Char(',')})
        if (other != decimal && text.contains(other))
            text.replace(other, decimal);
    return Regional::StrToFloat(text);
}

// The volts of a value text: the number before its " Volt".
double voltageOf(const QString& text) {
    return static_cast<double>(numberOf(text.left(std::max(0, int(text.size()) - 5))));
}

// The whole percentage of a value text: the number before its "%".
int percentageOf(const QString& text) {
    const QString number = text.left(std::max(0, int(text.size()) - 1));
    const long double value = numberOf(number);
    if (!(value > INT_MIN && value < INT_MAX))
        throw EConvertError("'" + number + "' is not a valid integer value");
    return static_cast<int>(Regional::Round(value));
}

} // namespace

TRefillTexts::TRefillTexts(TIBCustomDataSet& view, TField& datum, TField& tijd, TField& aktie,
                           TField& data)
    : view_(view), datum_(Column(datum)), tijd_(Column(tijd)), aktie_(Column(aktie)),
      data_(Column(data)) {}

TRefillTexts::TColumn TRefillTexts::Column(TField& field) const {
    const TIBRowBuffer& rows = view_.Rows();
    const bool known = field.Index() < rows.ColumnCount();
    const TIBRowBuffer::Type type =
        known ? rows.ColumnAt(field.Index()).type : TIBRowBuffer::Type::Unsupported;
    return {&field, type == TIBRowBuffer::Type::Text, type == TIBRowBuffer::Type::Date, {}};
}

std::string_view TRefillTexts::Bytes(const TColumn& column) const {
    const int row = view_.CurrentRow();
    if (row < 0)
        return {};
    return view_.Rows().Bytes(row, column.field->Index());
}

bool TRefillTexts::Is(const TColumn& column, const QString& text) const {
    if (!column.bytes)
        return column.field->AsString() == text;
    const std::string_view bytes = Bytes(column);
    return text == QLatin1String(bytes.data(), qsizetype(bytes.size()));
}

// The column's text as the field gives it; the text of a date is made once
// per stored value, as the regional formats stay as they are during a
// refill. (Times of day seldom repeat: keeping theirs would cost more than
// it saves.)
QString TRefillTexts::Text(TColumn& column) {
    const int row = view_.CurrentRow();
    const int index = column.field->Index();
    if (!column.value || row < 0 || view_.Rows().IsNull(row, index))
        return column.field->AsString();
    const std::int64_t value = view_.Rows().Integer(row, index);
    auto found = column.texts.find(value);
    if (found == column.texts.end())
        found = column.texts.emplace(value, column.field->AsString()).first;
    return found->second;
}

template <class Value, class Convert>
Value TRefillTexts::DataValue(std::unordered_map<std::string_view, Value>& values,
                              Convert convert) {
    if (!data_.bytes)
        return convert(data_.field->AsString());
    const std::string_view bytes = Bytes(data_);
    auto found = values.find(bytes);
    if (found == values.end())
        found = values.emplace(bytes, convert(data_.field->AsString())).first;
    return found->second;
}

double TRefillTexts::Volts() {
    return DataValue(volts_, voltageOf);
}

int TRefillTexts::Percent() {
    return DataValue(percents_, percentageOf);
}

TDateTime TRefillTexts::DateAndTime() {
    // One text, its room kept from row to row.
    dateTime_.resize(0);
    dateTime_ += Text(datum_);
    dateTime_ += QLatin1Char(' ');
    dateTime_ += Text(tijd_);
    return Regional::StrToDateTime(dateTime_);
}
