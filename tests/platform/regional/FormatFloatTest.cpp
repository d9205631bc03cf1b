#include "RegionalFixture.h"

using namespace Regional;

namespace {

using FormatFloatTest = RegionalFixture;

TEST_F(FormatFloatTest, FollowsTheNumberFormatSyntaxWithRegionalSeparators) {
    const struct {
        const char* format;
        long double value;
        const char* text;
    } cases[] = {
        // The chart's voltage axis: grouped thousands and two decimals.
        {"#,#0.#0", 1234.5L, "1.234,50"},
        {"#,#0.#0", 12.5L, "12,50"},
        {"#,#0.#0", 0.0L, "0,00"},
        {"#,#0.#0", -3.25L, "-3,25"},
        {"#,#0.#0", 1234567.891L, "1.234.567,89"},
        {"#,#0.#0", 0.005L, "0,01"},
        {"0.00", 2.675L, "2,68"},
        {"0.00", -0.001L, "0,00"},
        {"0.0#", 12.5L, "12,5"},
        {"0.0#", 12.25L, "12,25"},
        {"0.0#", 12.0L, "12,0"},
        {"#.##", 0.5L, ",5"},
        {"#.##", 12.0L, "12"},
        {"#", 0.0L, ""},
        {"000", 7.0L, "007"},
        {"0", 2.5L, "3"},
        {"#,##0", 1234567.0L, "1.234.567"},
        {"#,##0", 999.6L, "1.000"},
        {"000-0000", 1234567.0L, "123-4567"},
        {"0.00;(0.00)", -1.5L, "(1,50)"},
        {"0.00;;'nul'", 0.001L, "nul"},
        {"0.00;-0.00;\"nul\"", -0.0001L, "nul"},
        {"0.00E+00", 12345.0L, "1,23E+04"},
        {"0.00E+00", 0.00012L, "1,20E-04"},
        {"0.###E-0", 1500.0L, "1,5E3"},
        {"'Volt: '0.0", 24.25L, "Volt: 24,3"},
        {"", 36.1L, "36,1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << double(c.value);
}

TEST_F(FormatFloatTest, UsesTheSeparatorsInForce) {
    Use("en_US");
    EXPECT_EQ(FormatFloat("#,#0.#0", 1234.5L), "1,234.50");
}

} // namespace
