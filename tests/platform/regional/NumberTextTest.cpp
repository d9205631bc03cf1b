#include "RegionalFixture.h"

#include <climits>
#include <cmath>

using namespace Regional;

namespace {

using NumberTextTest = RegionalFixture;

TEST_F(NumberTextTest, StrToIntReadsDecimalAndHexadecimalIntegers) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"0", 0},
                 {"  42", 42},
                 {"+7", 7},
                 {"-15", -15},
                 {"2147483647", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"$ff", 255},
                 {"-$10", -16},
                 {"$FFFFFFFF", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST_F(NumberTextTest, StrToIntRefusesEverythingElseWithTheTextTried) {
    for (const char* text : {"", " ", "12 ", "1.5", "1,5", "2147483648", "-2147483649", "$", "$1G",
                             "$100000000", "0x10", "1e3", "--1", "+", "abc"})
        EXPECT_EQ(ConvertErrorOf([&] { StrToInt(text); }),
                  QString("'%1' is not a valid integer value").arg(text))
            << text;
}

TEST_F(NumberTextTest, StrToFloatReadsTheRegionalDecimalSeparator) {
    const struct {
        const char* text;
        long double value;
    } cases[] = {{"36,01", 36.01L}, {" 36,5 ", 36.5L}, {"-2,4", -2.4L},     {"+3", 3.0L},
                 {",5", 0.5L},      {"5,", 5.0L},      {"1,5E-6", 1.5e-6L}, {"2e3", 2000.0L},
                 {"1E+2", 100.0L},  {"0", 0.0L}};
    for (const auto& c : cases)
        EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
}

TEST_F(NumberTextTest, StrToFloatRefusesOtherTextsWithTheTextTried) {
    for (const char* text : {"", "  ", "36.01", "1.000,5", "1,2,3", ",", "-", "E5", "1E", "1E+",
                             "abc", "1 000", "1e99999", "36,0 V"})
        EXPECT_EQ(ConvertErrorOf([&] { StrToFloat(text); }),
                  QString("'%1' is not a valid floating point value").arg(text))
            << text;
}

TEST_F(NumberTextTest, StrToFloatUnderADecimalPointRefusesAComma) {
    Use("en_US");
    EXPECT_EQ(StrToFloat("36.5"), 36.5L);
    EXPECT_EQ(ConvertErrorOf([] { StrToFloat("36,00"); }),
              "'36,00' is not a valid floating point value");
}

TEST_F(NumberTextTest, IntToStrAndIntToHex) {
    EXPECT_EQ(IntToStr(-5), "-5");
    EXPECT_EQ(IntToStr(4000000000LL), "4000000000");
    EXPECT_EQ(IntToHex(255, 2), "FF");
    EXPECT_EQ(IntToHex(255, 6), "0000FF");
    EXPECT_EQ(IntToHex(0x1000000, 6), "1000000");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(-1, 6), "FFFFFFFF");
    EXPECT_EQ(IntToHex(-2, 2), "FFFFFFFE");
    // The calibration command: 36,00 V in units of 1/20000 V.
    EXPECT_EQ(IntToHex(Trunc(StrToFloat("36,00") * 20000), 6), "0AFC80");
}

TEST_F(NumberTextTest, FloatToStrWritesTheShortestGeneralForm) {
    const struct {
        long double value;
        const char* text;
    } cases[] = {{36.01L, "36,01"},
                 {36.0L, "36"},
                 {36.1L, "36,1"},
                 {2.4L, "2,4"},
                 {0.0L, "0"},
                 {-0.5L, "-0,5"},
                 {0.1L + 0.2L, "0,3"},
                 {1.0L / 3, "0,333333333333333"},
                 {2.0L / 3, "0,666666666666667"},
                 {100000000000000.0L, "100000000000000"},
                 {1e15L, "1E15"},
                 {123456789012345678.0L, "1,23456789012346E17"},
                 {0.0001L, "0,0001"},
                 {0.00001L, "1E-5"},
                 {1.5e-6L, "1,5E-6"},
                 {-2.5e-7L, "-2,5E-7"}};
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << double(c.value);
    Use("en_US");
    EXPECT_EQ(FloatToStr(36.5L), "36.5");
}

TEST_F(NumberTextTest, FloatToStrHidesTheBinaryErrorOfStepping) {
    const struct {
        const char* start;
        long double step;
        const char* result;
    } cases[] = {{"36,00", 0.01L, "36,01"}, {"36,01", -0.01L, "36"}, {"36,09", 0.01L, "36,1"},
                 {"0,01", -0.01L, "0"},     {"0", -0.01L, "-0,01"},  {"36,09", 0.01, "36,1"}};
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(StrToFloat(c.start) + c.step), c.result) << c.start;
    long double v = 0;
    for (int i = 0; i < 1000; ++i)
        v += 0.01L;
    EXPECT_EQ(FloatToStr(v), "10");
}

TEST_F(NumberTextTest, RoundTakesHalvesToEvenAndTruncCutsTowardZero) {
    const struct {
        long double value;
        long long rounded, truncated;
    } cases[] = {{2.5L, 2, 2},
                 {3.5L, 4, 3},
                 {-2.5L, -2, -2},
                 {-3.5L, -4, -3},
                 {0.5L, 0, 0},
                 {1.5L, 2, 1},
                 {2.4999L, 2, 2},
                 {2.6L, 3, 2},
                 {-2.6L, -3, -2},
                 {37.28L, 37, 37},
                 {1e15L + 0.5L, 1000000000000000LL, 1000000000000000LL}};
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.value), c.rounded) << double(c.value);
        EXPECT_EQ(Trunc(c.value), c.truncated) << double(c.value);
    }
    EXPECT_THROW(Round(NAN), EInvalidOperation);
    EXPECT_THROW(Trunc(1e30L), EInvalidOperation);
}

} // namespace
