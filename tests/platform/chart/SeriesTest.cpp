#include "platform/chart/LineSeries.h"
#include "platform/chart/PieSeries.h"
#include "platform/chart/PointSeries.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<QString> Labels(const TChartSeries& series) {
    std::vector<QString> labels;
    for (int i = 0; i < series.Count(); ++i)
        labels.push_back(series.Label(i));
    return labels;
}

} // namespace

TEST(Series, PointsStayInAscendingXWithEqualXInOrderOfAdding) {
    TPointSeries series;
    series.AddXY(5, 1, "a");
    series.AddXY(3, 2, "b");
    series.AddXY(5, 3, "c");
    series.AddXY(4, 4, "d");
    series.AddXY(3, 5, "e");
    series.AddXY(5, 6, "f");
    series.AddXY(9, 7, "g");

    EXPECT_EQ(Labels(series), (std::vector<QString>{"b", "e", "d", "a", "c", "f", "g"}));
    const std::vector<double> xs{3, 3, 4, 5, 5, 5, 9};
    EXPECT_EQ(series.XValues(), xs);
    EXPECT_EQ(series.YValues(), (std::vector<double>{2, 5, 4, 1, 3, 6, 7}));

    // Points added after a reading, and points without a label among
    // labelled ones, find their places as well.
    series.AddXY(4, 8);
    series.AddXY(1, 9, "h");
    EXPECT_EQ(Labels(series), (std::vector<QString>{"h", "b", "e", "d", "", "a", "c", "f", "g"}));
    EXPECT_EQ(series.YValue(4), 8);
}

TEST(Series, ThousandsOfPointsInFallingOrderComeOutRising) {
    // A view sorted newest first refills the series from the last point to
    // the first.
    TLineSeries series;
    for (int i = 20000; i > 0; --i)
        series.AddXY(i / 2, i, QString(), i % 2 ? 0x0000FF : 0x00FF00);
    ASSERT_EQ(series.Count(), 20000);
    EXPECT_EQ(series.XValue(0), 0);
    EXPECT_EQ(series.XValue(19999), 10000);
    // Equal x values keep the order of adding: 3 came before 2.
    EXPECT_EQ(series.YValue(1), 3);
    EXPECT_EQ(series.YValue(2), 2);
    EXPECT_EQ(series.ValueColor(2), 0x00FF00);
    EXPECT_TRUE(std::is_sorted(series.XValues().begin(), series.XValues().end()));
}

TEST(Series, SetYValueChangesOnlyThatPointAndTheRange) {
    TLineSeries series;
    for (int i = 0; i < 4; ++i)
        series.AddXY(i, 10 + i, QString(), 0x0000FF);
    double low = 0;
    double high = 0;
    ASSERT_TRUE(series.YRange(low, high));
    EXPECT_EQ(high, 13);

    series.SetYValue(2, 30);
    EXPECT_EQ(series.YValues(), (std::vector<double>{10, 11, 30, 13}));
    EXPECT_EQ(series.XValue(2), 2);
    EXPECT_EQ(series.ValueColor(2), 0x0000FF);
    ASSERT_TRUE(series.YRange(low, high));
    EXPECT_EQ(low, 10);
    EXPECT_EQ(high, 30);
    EXPECT_THROW(series.SetYValue(4, 1), std::out_of_range);
}

TEST(Series, ClearRemovesAllPointsAndTheRange) {
    TLineSeries series;
    series.AddXY(1, 2);
    series.Clear();
    EXPECT_EQ(series.Count(), 0);
    double low = 0;
    double high = 0;
    EXPECT_FALSE(series.XRange(low, high));
    EXPECT_FALSE(series.YRange(low, high));
}

TEST(Series, PointsKeepTheirOwnColourOrTakeTheSeriesColour) {
    TLineSeries band;
    band.SetSeriesColor(clLime);
    band.AddXY(1, 30, QString(), 0);
    band.AddXY(2, 30, QString(), 0x00FFC8);
    band.AddXY(3, 30, QString(), -257);
    band.AddXY(4, 30);
    EXPECT_EQ(band.ValueColor(0), 0);
    EXPECT_EQ(band.ValueColor(1), 0x00FFC8);
    EXPECT_EQ(band.ValueColor(2), -257);
    EXPECT_EQ(band.Color(3), clLime);
}

TEST(Series, PieKeepsTheOrderOfAdding) {
    TPieSeries pie;
    EXPECT_EQ(pie.AddPie(3, "Vermogensstand: 40%", 0x00FFC8), 0);
    EXPECT_EQ(pie.AddPie(1, "Vermogensstand: 75%", 0x0083FF), 1);
    EXPECT_EQ(pie.AddPie(7, "Vermogensstand: 10%", 0x00FF2E), 2);
    EXPECT_EQ(Labels(pie), (std::vector<QString>{"Vermogensstand: 40%", "Vermogensstand: 75%",
                                                 "Vermogensstand: 10%"}));
    EXPECT_EQ(pie.PieValue(1), 1);
    EXPECT_EQ(pie.ValueColor(1), 0x0083FF);
}

TEST(Color, ValuesAreBlueGreenRedWithNegativeOnesBlack) {
    EXPECT_EQ(ColorToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(8421631), QColor(255, 128, 128));
    EXPECT_EQ(ColorToQColor(33023), QColor(255, 128, 0));
    EXPECT_EQ(ColorToQColor(-257), QColor(0, 0, 0));
    EXPECT_EQ(QColorToColor(QColor(0, 128, 128)), clTeal);
}
