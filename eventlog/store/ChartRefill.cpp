#include "eventlog/store/ChartRefill.h"

#include "eventlog/store/EventRecord.h"
#include "eventlog/store/PowerLevelColor.h"
#include "eventlog/store/RefillTexts.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PointSeries.h"
#include "platform/data/IBCustomDataSet.h"
#include "platform/errors/Exception.h"

namespace {

constexpr int Red = 0x0000FF;
constexpr double BandY = 30.0;

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

    TRefillTexts row(view, datum, tijd, aktie, data);
    TPowerRamp ramp; // both counters 0 until the first power level
    for (int pass = 0; pass < n; ++pass) {
        if (!row.KindIs(EventKind::Invalid)) {
            // A row whose value or moment does not convert is left out of the
            // chart (it stays in the grid); the rows after it are charted.
            try {
                const bool powerRow = row.KindIs(EventKind::PowerLevel);
                const bool invalidData = row.DataIs(EventKind::InvalidData);
                const double V = powerRow || invalidData ? 0 : row.Volts();
                const int percent = powerRow && !invalidData ? row.Percent() : 0;
                const TDateTime x = row.DateAndTime();
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
                    if (row.KindIs(*kind)) {
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
