#include "ChartFixture.h"

#include "platform/chart/PointSeries.h"
#include "platform/errors/Exception.h"

namespace {

QString Refusal(const std::function<void()>& body) {
    try {
        body();
    } catch (const EInvalidOperation& error) {
        return error.Message();
    }
    return QString();
}

} // namespace

using Axis = ChartFixture;

TEST_F(Axis, RefusesARangeTurnedInsideOutWithTheClassLibrarysTexts) {
    TChartAxis& left = chart.LeftAxis();
    left.SetAutomatic(false);
    left.SetMinMax(2, 8);
    EXPECT_EQ(Refusal([&] { left.SetMaximum(1.5); }), "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(Refusal([&] { left.SetMinimum(8.5); }), "Axis Minimum Value must be <= Maximum");
    EXPECT_EQ(Refusal([&] { left.SetMinMax(3, 2); }), "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(left.Minimum(), 2);
    EXPECT_EQ(left.Maximum(), 8);

    // Equal ends are allowed, and each end may move up to the other one.
    left.SetMaximum(2);
    left.SetMinimum(2);
    EXPECT_EQ(left.Maximum(), 2);
    left.SetMaximum(20);
    left.SetMinimum(19);
    EXPECT_EQ(left.Minimum(), 19);
}

TEST_F(Axis, AutomaticFollowsTheActiveSeriesData) {
    TPointSeries markers;
    chart.AddSeries(&markers);
    markers.AddXY(-5, 25);
    EXPECT_TRUE(chart.LeftAxis().Automatic());
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 25);
    EXPECT_EQ(chart.BottomAxis().Minimum(), -5);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 100);

    markers.SetActive(false);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 10);
    EXPECT_EQ(chart.BottomAxis().Minimum(), 0);
}

TEST_F(Axis, AFixedRangeStaysUntilAutomaticIsSwitchedOnAgain) {
    TChartAxis& left = chart.LeftAxis();
    left.SetAutomatic(false);
    left.SetMinMax(3, 4);
    line.AddXY(50, 99);
    EXPECT_EQ(left.Maximum(), 4);

    left.SetAutomatic(true);
    EXPECT_EQ(left.Minimum(), 0);
    EXPECT_EQ(left.Maximum(), 99);
}

TEST_F(Axis, SettingAnEndOfAnAutomaticAxisHoldsUntilTheDataChange) {
    // The wheel zoom sets the ends first and switches Automatic off after.
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetMaximum(60);
    bottom.SetMinimum(40);
    EXPECT_EQ(bottom.Minimum(), 40);
    EXPECT_EQ(bottom.Maximum(), 60);
    bottom.SetAutomatic(false);
    line.AddXY(200, 1);
    EXPECT_EQ(bottom.Maximum(), 60);
}

TEST_F(Axis, NoActiveDataGivesAnEmptyAutomaticRange) {
    line.SetActive(false);
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 0);
}
