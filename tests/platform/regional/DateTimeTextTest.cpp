#include "RegionalFixture.h"

using namespace Regional;

namespace {

using DateTimeTextTest = RegionalFixture;

TEST_F(DateTimeTextTest, FormatDateTimeFollowsTheFormatSyntax) {
    const TDateTime value = At(2004, 3, 5, 14, 2, 33, 7);
    const QLocale dutch("nl_NL");
    const struct {
        const char* format;
        QString text;
    } cases[] = {
        {"dd-MM-yy/hh:mm:ss", "05-03-04-14:02:33"},
        {"DD-mm-YYYY HH:MM", "05-03-2004 14:02"},
        {"d/m/yy", "5-3-04"},
        {"yyyy-mm-dd hh:nn:ss.zzz", "2004-03-05 14:02:33.007"},
        {"h:n:s.z", "14:2:33.7"},
        {"hh 'uur' mm", "14 uur 02"},
        {"'m'mm \"d\"d", "m03 d5"},
        {"h:nn AM/PM", "2:02 PM"},
        {"hh:nn a/p", "02:02 p"},
        {"hh:nn ampm", "02:02 p.m."},
        {"ddd dddd", dutch.dayName(5, QLocale::ShortFormat) + " " + dutch.dayName(5)},
        {"mmm mmmm", dutch.monthName(3, QLocale::ShortFormat) + " " + dutch.monthName(3)},
        {"ddddd", "05-03-2004"},
        {"c", "05-03-2004 14:02:33"},
        {"t", "14:02"},
        {"tt", "14:02:33"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, value), c.text) << c.format;
    EXPECT_EQ(FormatDateTime("h AM/PM", At(2004, 3, 5, 0, 30)), "12 AM");
    Use("en_US");
    EXPECT_EQ(FormatDateTime("dd-MM-yy/hh:mm:ss", value), "05-03-04/14:02:33");
}

TEST_F(DateTimeTextTest, RegionalTextsLeaveTheTimeOutAtMidnight) {
    EXPECT_EQ(DateToStr(At(2004, 3, 5, 14, 2, 33)), "05-03-2004");
    EXPECT_EQ(TimeToStr(At(2004, 3, 5, 14, 2, 3)), "14:02:03");
    EXPECT_EQ(DateTimeToStr(At(2004, 3, 5, 14, 2, 33)), "05-03-2004 14:02:33");
    EXPECT_EQ(DateTimeToStr(At(2004, 3, 5)), "05-03-2004");
    EXPECT_EQ(DateTimeToStr(0), "30-12-1899");
    EXPECT_EQ(DateTimeToStr(At(2004, 3, 5) + 0.9999999999), "06-03-2004");
    Use("en_US");
    EXPECT_EQ(DateTimeToStr(At(2004, 3, 5, 14, 2, 33)), "3/5/04 2:02:33 PM");
}

TEST_F(DateTimeTextTest, StrToDateTimeReadsDatesAndTimesInTheRegionalOrder) {
    const struct {
        const char* text;
        TDateTime value;
    } cases[] = {
        {"5-3-2004 14:02:33", At(2004, 3, 5, 14, 2, 33)},
        {"05-03-2004", At(2004, 3, 5)},
        {"  5-3-04  ", At(2004, 3, 5)},
        {"5-3-2004   2:02 pm", At(2004, 3, 5, 14, 2)},
        {"5-3", At(2025, 3, 5)},
        // Two-digit years lie from 50 years before to 49 years after 2025.
        {"5-3-75", At(1975, 3, 5)},
        {"5-3-74", At(2074, 3, 5)},
        {"14:02", At(1899, 12, 30, 14, 2)},
        {"14:02:33,5", EncodeTime(14, 2, 33, 500)},
        {"14:02:33.250", EncodeTime(14, 2, 33, 250)},
        {"2:02:33 PM", EncodeTime(14, 2, 33, 0)},
        {"12:00 AM", 0},
        {"12:30 PM", EncodeTime(12, 30, 0, 0)},
        {"29-12-1899 06:00", -1.25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToDateTime(c.text), c.value) << c.text;
    Use("en_US");
    EXPECT_EQ(StrToDateTime("3/5/2004 2:02:33 PM"), At(2004, 3, 5, 14, 2, 33));
    EXPECT_EQ(StrToDateTime("3/5"), At(2025, 3, 5));
}

TEST_F(DateTimeTextTest, StrToDateTimeRefusesOtherTextsWithTheTextTried) {
    for (const char* text :
         {"", " ", "abc", "5-3-2004x", "5/3/2004", "32-1-2004", "29-2-2003", "5-3-2004 25:00",
          "5-3-2004 14:60", "13:00 PM", "0:30 AM", "5-3-2004 14", "5-3-204", "5-3-20041",
          "5-3-2004T14:02", "14:02:33:44", "14:02:33,5000", "5", "-5-3-2004"})
        EXPECT_EQ(ConvertErrorOf([&] { StrToDateTime(text); }),
                  QString("'%1' is not a valid date and time").arg(text))
            << text;
    EXPECT_EQ(ConvertErrorOf([] { StrToDate("14:02"); }), "'14:02' is not a valid date");
    EXPECT_EQ(ConvertErrorOf([] { StrToTime("5-3-2004"); }), "'5-3-2004' is not a valid time");
}

class RoundTripTest : public RegionalFixture, public ::testing::WithParamInterface<const char*> {};

// What the export writes the import must read back on the same PC, also
// where the regional short date format has a two-digit year.
TEST_P(RoundTripTest, TextsReadBackIntoTheSameValue) {
    Use(GetParam());
    const TDateTime values[] = {
        At(2004, 3, 5, 14, 2, 33), At(1999, 12, 31, 23, 59, 59), At(2000, 1, 1),
        At(2024, 2, 29, 0, 0, 1),  At(1976, 7, 4, 12, 0, 0),     At(2074, 12, 31, 6, 5, 4),
        At(2025, 6, 15, 0, 30, 0)};
    for (TDateTime value : values) {
        EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value) << qPrintable(DateTimeToStr(value));
        EXPECT_EQ(StrToDateTime(DateToStr(value) + " " + TimeToStr(value)), value)
            << qPrintable(DateToStr(value) + " " + TimeToStr(value));
        EXPECT_EQ(StrToDate(DateToStr(value)) + StrToTime(TimeToStr(value)), value);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, RoundTripTest, ::testing::Values("nl_NL", "en_US", "C"));

} // namespace
