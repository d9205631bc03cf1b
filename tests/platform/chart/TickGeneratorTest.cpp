#include "platform/chart/TickGenerator.h"

#include <gtest/gtest.h>

namespace {

void ExpectTicks(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(actual[i], expected[i]) << "tick " << i;
}

} // namespace

TEST(TickGenerator, ValueTicksAreWholeMultiplesOfOneTwoOrFive) {
    struct Case {
        double minimum, maximum;
        int intervals;
        std::vector<double> ticks;
    };
    const Case cases[] = {
        {0, 10, 5, {0, 2, 4, 6, 8, 10}},
        {0, 10, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {21.3, 29.9, 8, {22, 24, 26, 28}},
        {21.3, 29.9, 4, {25}},
        {-1, 1, 4, {-1, -0.5, 0, 0.5, 1}},
        {0, 0.3, 3, {0, 0.1, 0.2, 0.3}},
        {1200, 4100, 3, {2000, 3000, 4000}},
        {0.7, 0.7, 5, {}},
        {5, 5, 5, {5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << ".." << c.maximum << " / " << c.intervals);
        ExpectTicks(TickGenerator::ValueTicks(c.minimum, c.maximum, c.intervals), c.ticks);
    }
}

TEST(TickGenerator, DateTimeStepsAreWholeSecondsMinutesHoursAndDays) {
    const double second = 1.0 / 86400;
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(50 * second, 5), 10 * second);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(51 * second, 5), 15 * second);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(1, 4), 0.25);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(1, 5), 0.25);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(1, 6), 4.0 / 24);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(3, 2), 2);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(20, 4), 7);
    EXPECT_DOUBLE_EQ(TickGenerator::DateTimeStep(30, 4), 10);
}

TEST(TickGenerator, DateTimeTicksFallOnWholeSecondsOfTheDay) {
    const double day = 46143;                  // 1 May 2026
    const double from = day + 36000.0 / 86400; // 10:00:00
    const double to = day + 36050.0 / 86400;   // 10:00:50
    std::vector<double> expected;
    for (int s = 0; s <= 50; s += 10)
        expected.push_back(day + (36000.0 + s) / 86400);
    ExpectTicks(TickGenerator::DateTimeTicks(from, to, 5), expected);

    // Six-hour steps over a day and a half start at the first quarter day.
    ExpectTicks(TickGenerator::DateTimeTicks(day + 0.1, day + 1.6, 6),
                {day + 0.25, day + 0.5, day + 0.75, day + 1, day + 1.25, day + 1.5});
}

TEST(TickGenerator, ARangeTooNarrowForItsValuesGivesNoTicks) {
    EXPECT_TRUE(TickGenerator::ValueTicks(1e300, 1e300 * (1 + 1e-15), 1000000).empty());
    EXPECT_TRUE(TickGenerator::ValueTicks(10, 5, 4).empty());
}
