#include "RegionalFixture.h"

using namespace Regional;

namespace {

using DateTimeTest = RegionalFixture;

TEST_F(DateTimeTest, EncodeDateCountsDaysFromTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2004, 3, 5), 38051);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
}

TEST_F(DateTimeTest, InvalidDatesAndTimesAreRefused) {
    const struct {
        int year, month, day;
        bool valid;
    } dates[] = {{2004, 2, 29, true},  {2000, 2, 29, true},  {2003, 2, 29, false},
                 {1900, 2, 29, false}, {2004, 4, 31, false}, {2004, 13, 1, false},
                 {2004, 0, 1, false},  {2004, 1, 0, false},  {0, 1, 1, false},
                 {10000, 1, 1, false}};
    for (const auto& d : dates) {
        TDateTime value = -12345;
        EXPECT_EQ(TryEncodeDate(d.year, d.month, d.day, value), d.valid)
            << d.year << "-" << d.month << "-" << d.day;
        if (!d.valid) {
            EXPECT_EQ(value, -12345);
            EXPECT_EQ(ConvertErrorOf([&] { EncodeDate(d.year, d.month, d.day); }),
                      "Invalid argument to date encode");
        }
    }
    const struct {
        int hour, minute, second, ms;
        bool valid;
    } times[] = {{23, 59, 59, 999, true}, {24, 0, 0, 0, false},   {0, 60, 0, 0, false},
                 {0, 0, 60, 0, false},    {0, 0, 0, 1000, false}, {-1, 0, 0, 0, false}};
    for (const auto& t : times) {
        TDateTime value;
        EXPECT_EQ(TryEncodeTime(t.hour, t.minute, t.second, t.ms, value), t.valid) << t.hour;
        if (!t.valid) {
            EXPECT_EQ(ConvertErrorOf([&] { EncodeTime(t.hour, t.minute, t.second, t.ms); }),
                      "Invalid argument to time encode");
        }
    }
}

TEST_F(DateTimeTest, DecodeDateGivesBackEveryEncodedDate) {
    for (long long day = -693593; day <= 2958465; day += 97) {
        int year, month, dayOfMonth;
        // Before the epoch a time of day makes the value more negative.
        DecodeDate(day >= 0 ? day + 0.75 : day - 0.75, year, month, dayOfMonth);
        EXPECT_EQ(EncodeDate(year, month, dayOfMonth), day);
    }
    int year, month, day;
    DecodeDate(EncodeDate(2004, 2, 29), year, month, day);
    EXPECT_EQ(QDate(year, month, day), QDate(2004, 2, 29));
}

TEST_F(DateTimeTest, DecodeTimeGivesBackEverySecondOfADay) {
    const TDateTime date = EncodeDate(2004, 3, 5);
    for (int s = 0; s < 86400; ++s) {
        const TDateTime value = date + EncodeTime(s / 3600, s / 60 % 60, s % 60, 0);
        int hour, minute, second, ms, year, month, day;
        DecodeTime(value, hour, minute, second, ms);
        DecodeDate(value, year, month, day);
        ASSERT_EQ((hour * 60 + minute) * 60 + second, s);
        ASSERT_EQ(ms, 0);
        ASSERT_EQ(day, 5);
    }
}

TEST_F(DateTimeTest, ATimeThatRoundsToMidnightBelongsToTheNextDay) {
    int hour, minute, second, ms, year, month, day;
    const TDateTime value = EncodeDate(2004, 3, 5) + 0.9999999999;
    DecodeTime(value, hour, minute, second, ms);
    DecodeDate(value, year, month, day);
    EXPECT_EQ(QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms)),
              QDateTime(QDate(2004, 3, 6), QTime(0, 0)));
}

TEST_F(DateTimeTest, BeforeTheEpochTheFractionIsStillTheTimeOfDay) {
    const struct {
        TDateTime value;
        QDateTime expected;
    } cases[] = {{-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
                 {-0.5, QDateTime(QDate(1899, 12, 30), QTime(12, 0))},
                 {-2.75, QDateTime(QDate(1899, 12, 28), QTime(18, 0))}};
    for (const auto& c : cases) {
        int hour, minute, second, ms, year, month, day;
        DecodeTime(c.value, hour, minute, second, ms);
        DecodeDate(c.value, year, month, day);
        EXPECT_EQ(QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms)), c.expected)
            << c.value;
    }
}

} // namespace
