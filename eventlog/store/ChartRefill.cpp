#include "eventlog/store/ChartRefill.h"

#include "eventlog/store/EventRecord.h"
#include "eventlog/store/PowerLevelColor.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PointSeries.h"
#include "platform/data/IBCustomDataSet.h"
#include "platform/errors/Exception.h"

#include <climits>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr int Red = 0x0000FF;
constexpr double BandY = 30.0;

// The text of a date or time column at the current row. Within one refill
// the regional formats stay as they are, so the text depends on the stored
// value alone; many rows share a date or a time of day, and each distinct
// value is formatted once.
class TTextMemo {
  public:
    TTextMemo(const TIBCustomDataSet& view, const TField& field)
        : view_(view), field_(field),
          pure_(field.Index() < view.Rows().ColumnCount() &&
                (view.Rows().ColumnAt(field.Index()).type == TIBRowBuffer::Type::Date ||
                 view.Rows().ColumnAt(field.Index()).type == TIBRowBuffer::Type::Time)) {}

    QString Text() {
        const int row = view_.CurrentRow();
        if (!pure_ || row < 0 || view_.Rows().IsNull(row, field_.Index()))
            return field_.AsString();
        const std::int64_t value = view_.Rows().Integer(row, field_.Index());
        auto found = texts_.find(value);
        if (found == texts_.end())
            found = texts_.emplace(value, field_.AsString()).first;
        return found->second;
    }

  private:
    const TIBCustomDataSet& view_;
    const TField& field_;
    const bool pure_;
    std::unordered_map<std::int64_t, QString> texts_;
};

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

void TChartRefill::Run(TIBCustomDataSet& view, const TChartSeriesLinks& series,
                       int& lastPowerColor) {
    lastPowerColor = 0;
    TField& id = view.FieldByName("ID");
    TField& datum = view.FieldByName("DATUM");
    TField& tijd = view.FieldByName("TIJD");
    TField& aktie = view.FieldByName("AKTIE");
    TField& data = view.FieldByName("DATA");
    id.SetDisplayLabel("RecNo");
    datum.SetDisplayLabel("Datum");
    tijd.SetDisplayLabel("Tijd");
    aktie.SetDisplayLabel("Aktie");
    data.SetDisplayLabel("Data");

    view.Last();
    const int n = view.RecNo();
    if (!series.Complete())
        return;
    view.First();

    series.Series2->Clear();
    series.Series3->Clear();
    series.Series4->Clear();
    series.Series5->Clear();
    series.Series6->Clear();
    series.Series7->Clear();
    series.Series8->Clear();
    series.Series9->Clear();
    series.Series10->Clear();
    if (n == 0)
        return;

    const std::pair<const QString*, TPointSeries*> markers[] = {
        {&EventKind::StartLaden, series.Series3},
        {&EventKind::EindeCurrent, series.Series4},
        {&EventKind::EindeVoltage, series.Series5},
        {&EventKind::VerbindingVerbroken, series.Series6},
        {&EventKind::Inschakel, series.Series7},
        {&EventKind::Uitschakel, series.Series8},
        {&EventKind::Shutoff, series.Series9},
    };

    TTextMemo datumText(view, datum), tijdText(view, tijd);
    TPowerRamp ramp; // both counters 0 until the first power level
    for (int pass = 0; pass < n; ++pass) {
        const QString A = aktie.AsString();
        if (A != EventKind::Invalid) {
            // A row whose value or moment does not convert is left out of the
            // chart (it stays in the grid); the rows after it are charted.
            try {
                const bool powerRow = A == EventKind::PowerLevel;
                const QString text = data.AsString();
                const bool invalidData = text == EventKind::InvalidData;
                const double V = powerRow || invalidData ? 0 : voltageOf(text);
                const int percent = powerRow && !invalidData ? percentageOf(text) : 0;
                const TDateTime x =
                    Regional::StrToDateTime(datumText.Text() + ' ' + tijdText.Text());
                if (powerRow) {
                    const int levelColor = invalidData ? ramp.Walk(1) : ramp.Start(percent);
                    if (lastPowerColor == 0)
                        lastPowerColor = levelColor;
                    series.Series10->AddXY(x, BandY, QString(), lastPowerColor);
                    lastPowerColor = levelColor;
                } else {
                    series.Series10->AddXY(x, BandY, QString(), lastPowerColor);
                    series.Series2->AddXY(x, V, QString(), Red);
                }
                for (const auto& [kind, marker] : markers) {
                    if (A == *kind) {
                        marker->AddXY(x, V, QString(), Red);
                        break;
                    }
                }
            } catch (const EConvertError&) {
            }
        }
        view.Next();
    }
}
