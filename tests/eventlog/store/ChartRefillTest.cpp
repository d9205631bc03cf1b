#include "StoreFixture.h"

#include "eventlog/store/PowerLevelColor.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PointSeries.h"
#include "platform/data/IBSQL.h"
#include "platform/errors/Exception.h"

#include <array>

namespace {

struct Row {
    QString datum, tijd, aktie, data;
};

class Refill : public StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        links.Series2 = &voltage;
        links.Series10 = &band;
        links.Series3 = &markers[0];
        links.Series4 = &markers[1];
        links.Series5 = &markers[2];
        links.Series6 = &markers[3];
        links.Series7 = &markers[4];
        links.Series8 = &markers[5];
        links.Series9 = &markers[6];
        module.SetChartSeries(links);
        ShowChart();
    }

    // Replaces the table's rows, numbered in order, and reopens the view.
    void Load(const std::vector<Row>& rows) {
        module.DataIBTransaction->Commit();
        module.LocalIBTransaction->SetActive(true);
        TIBSQL insert(module.IBDatabase1, module.LocalIBTransaction);
        insert.SQL().Add("DELETE FROM DATATBL");
        insert.ExecQuery();
        insert.SQL().Clear();
        insert.SQL().Add("INSERT INTO DATATBL VALUES (:ID, :DATUM, :TIJD, :AKTIE, :DATA)");
        int id = 1;
        for (const Row& row : rows) {
            insert.ParamByName("ID").SetAsInteger(id++);
            // An empty date or time stays NULL.
            if (!row.datum.isEmpty())
                insert.ParamByName("DATUM").SetAsDateTime(
                    Regional::StrToDateTime(row.datum + " 0:00:00"));
            if (!row.tijd.isEmpty())
                insert.ParamByName("TIJD").SetAsDateTime(
                    Regional::StrToDateTime("30-12-1899 " + row.tijd));
            insert.ParamByName("AKTIE").SetAsString(row.aktie);
            insert.ParamByName("DATA").SetAsString(row.data);
            insert.ExecQuery();
        }
        module.LocalIBTransaction->CommitRetaining();
        module.OpenView();
    }

    static std::vector<int> Colors(const TChartSeries& series) {
        std::vector<int> colors;
        for (int i = 0; i < series.Count(); ++i)
            colors.push_back(series.ValueColor(i));
        return colors;
    }

    static std::vector<double> Ys(const TChartSeries& series) {
        std::vector<double> ys;
        for (int i = 0; i < series.Count(); ++i)
            ys.push_back(series.YValue(i));
        return ys;
    }

    int MarkerPoints() const {
        int count = 0;
        for (const TPointSeries& marker : markers)
            count += marker.Count();
        return count;
    }

    TLineSeries voltage, band;
    std::array<TPointSeries, 7> markers;
    TChartSeriesLinks links;
};

TEST_F(Refill, TitlesTheColumns) {
    TIBDataSet& view = *module.DataIBDataSet;
    const QStringList expected = {"RecNo", "Datum", "Tijd", "Aktie", "Data"};
    for (int i = 0; i < view.FieldCount(); ++i)
        EXPECT_EQ(view.Fields(i).DisplayLabel(), expected[i]);
}

TEST_F(Refill, TheBandTakesTheLevelInForceBeforeEachRow) {
    Load({{"1-5-2026", "10:00:00", "Accu voltage sample", "24 Volt"},
          {"1-5-2026", "10:01:00", "Insch./wijz. vermogensstand", "40%"},
          {"1-5-2026", "10:02:00", "Accu voltage sample", "24,3 Volt"},
          {"1-5-2026", "10:03:00", "Accu voltage sample", "24,1 Volt"},
          {"1-5-2026", "10:04:00", "Insch./wijz. vermogensstand", "75%"},
          {"1-5-2026", "10:05:00", "Accu voltage sample", "23,9 Volt"}});
    EXPECT_EQ(Colors(band),
              std::vector<int>({0, 0x00FFC8, 0x00FFC8, 0x00FFC8, 0x00FFC8, 0x0083FF}));
    EXPECT_EQ(Ys(band), std::vector<double>(6, 30.0));
    EXPECT_EQ(Ys(voltage), std::vector<double>({24, 24.3, 24.1, 23.9}));
    EXPECT_EQ(Colors(voltage), std::vector<int>(4, 0x0000FF));
    EXPECT_DOUBLE_EQ(voltage.XValue(1), Regional::StrToDateTime("1-5-2026 10:02:00"));
    EXPECT_EQ(MarkerPoints(), 0);
    EXPECT_EQ(module.DataIBDataSet->RecNo(), 6); // left on the last row
}

TEST_F(Refill, MarkerKindsGoToTheirSeriesAndInvalidRowsNowhere) {
    const QString kinds[] = {"Start laden",          "Einde const. current", "Einde const. voltage",
                             "Verbinding verbroken", "Inschakel voltage",    "Uitschakel voltage",
                             "Shutoff voltage"};
    std::vector<Row> rows;
    for (int i = 0; i < 7; ++i)
        rows.push_back(
            {"2-5-2026", QString("10:0%1:00").arg(i), kinds[i], QString("2%1 Volt").arg(i)});
    rows.push_back({"2-5-2026", "11:00:00", "Ongeldige aktie!", "50%"});
    rows.push_back({"2-5-2026", "11:01:00", "Start laden", "Ongeldige data!"});
    rows.push_back({"2-5-2026", "11:02:00", "Iets anders", "12 Volt"});
    Load(rows);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(kinds[i].toStdString());
        ASSERT_EQ(markers[i].Count(), i == 0 ? 2 : 1);
        EXPECT_DOUBLE_EQ(markers[i].YValue(0), 20 + i);
        EXPECT_EQ(markers[i].ValueColor(0), 0x0000FF);
    }
    EXPECT_DOUBLE_EQ(markers[0].YValue(1), 0); // "Ongeldige data!" is 0 V
    EXPECT_EQ(voltage.Count(), 9);
    EXPECT_EQ(band.Count(), 9);
    EXPECT_DOUBLE_EQ(voltage.YValue(8), 12);
}

TEST_F(Refill, RowsOfTheSameMomentKeepTheirVisitingOrder) {
    module.DataIBDataSet->SelectSQL().SetStrings(2, "ORDER BY ID DESC");
    Load({{"3-5-2026", "9:00:00", "Accu voltage sample", "21 Volt"},
          {"3-5-2026", "9:00:00", "Accu voltage sample", "22 Volt"},
          {"3-5-2026", "8:00:00", "Accu voltage sample", "23 Volt"}});
    // Visited 23, 22, 21: sorted by time, the equal times in visiting order.
    EXPECT_EQ(Ys(voltage), std::vector<double>({23, 22, 21}));
}

TEST_F(Refill, AnEmptyViewClearsTheSeries) {
    Load({{"1-5-2026", "10:00:00", "Accu voltage sample", "24 Volt"}});
    EXPECT_EQ(voltage.Count(), 1);
    Load({});
    EXPECT_EQ(voltage.Count(), 0);
    EXPECT_EQ(band.Count(), 0);
}

// Rows that cannot be charted stay in the grid and out of the chart, without
// ending the refill; numbers are read with either decimal separator.
TEST_F(Refill, ARowThatCannotBeChartedIsLeftOutAndTheRestCharted) {
    Load({{"1-5-2026", "10:00:00", "Accu voltage sample", "24 Volt"},
          {"1-5-2026", "10:01:00", "Accu voltage sample", "24.3 Volt"},
          {"1-5-2026", "10:02:00", "Insch./wijz. vermogensstand", "40.0%"},
          {"1-5-2026", "10:03:00", "9", "50%"}, // a record with 'P' before the code '9'
          {"", "", "Start laden", "24 Volt"},   // imported without date and time
          {"1-5-2026", "10:04:00", "Insch./wijz. vermogensstand", "4x%"},
          {"1-5-2026", "10:05:00", "Accu voltage sample", "2x Volt"},
          {"1-5-2026", "10:06:00", "Start laden", "23,9 Volt"}});
    EXPECT_EQ(Ys(voltage), std::vector<double>({24, 24.3, 23.9}));
    // The unreadable level changes nothing: the band stays at 40 %.
    EXPECT_EQ(Colors(band), std::vector<int>({0, 0, 0x00FFC8, 0x00FFC8}));
    ASSERT_EQ(markers[0].Count(), 1);
    EXPECT_DOUBLE_EQ(markers[0].XValue(0), Regional::StrToDateTime("1-5-2026 10:06:00"));
    EXPECT_EQ(module.DataIBDataSet->RecordCount(), 8);
    EXPECT_EQ(module.DataIBDataSet->RecNo(), 8);

    // The same rows under a decimal point chart the same.
    Regional::TFormatSettings settings = Regional::FormatSettings();
    settings.DecimalSeparator = '.';
    Regional::SetFormatSettings(settings);
    module.DataIBDataSet->Close();
    module.OpenView();
    EXPECT_EQ(Ys(voltage), std::vector<double>({24, 24.3, 23.9}));
    EXPECT_EQ(Colors(band), std::vector<int>({0, 0, 0x00FFC8, 0x00FFC8}));
}

TEST_F(Refill, WithoutTheSeriesOnlyTheTitlesAreSet) {
    TDataModule1 bare;
    bare.CreateDatabase(folder.filePath("Bare.gdb"));
    bare.OpenView();
    EXPECT_EQ(bare.DataIBDataSet->FieldByName("ID").DisplayLabel(), "RecNo");
}

TEST(PowerLevelColor, TheRampFromGreenThroughYellowToRed) {
    const std::pair<int, int> table[] = {
        {-5, 0x00FEFF}, {0, 0x00FEFF},   {1, 0x00FF00},  {10, 0x00FF2E}, {25, 0x00FF7B},
        {40, 0x00FFC8}, {50, 0x00FFFB},  {51, 0x00FEFF}, {60, 0x00D0FF}, {75, 0x0083FF},
        {90, 0x0036FF}, {100, 0x0003FF}, {101, -257},
    };
    for (const auto& [percent, color] : table)
        EXPECT_EQ(PowerLevelColor(percent), color) << percent;
}

} // namespace
