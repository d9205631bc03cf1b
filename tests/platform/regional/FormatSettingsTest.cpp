#include "RegionalFixture.h"

using namespace Regional;

namespace {

struct LocaleCase {
    const char* locale;
    char16_t decimal, thousand, dateSeparator, timeSeparator;
    const char* shortDate;
    const char* longTime;
};

using FormatSettingsTest = RegionalFixture;

class FromLocaleTest : public RegionalFixture, public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(FromLocaleTest, TranslatesQtFormatsIntoNumericClassLibraryFormats) {
    const LocaleCase& c = GetParam();
    const TFormatSettings s = FromLocale(QLocale(QString::fromLatin1(c.locale)));
    EXPECT_EQ(s.DecimalSeparator, QChar(c.decimal));
    EXPECT_EQ(s.ThousandSeparator, QChar(c.thousand));
    EXPECT_EQ(s.DateSeparator, QChar(c.dateSeparator));
    EXPECT_EQ(s.TimeSeparator, QChar(c.timeSeparator));
    EXPECT_EQ(s.ShortDateFormat, QString(c.shortDate));
    EXPECT_EQ(s.LongTimeFormat, QString(c.longTime));
}

// The C locale spells the month's name and every long time format ends in a
// time zone; neither may reach the stored formats.
INSTANTIATE_TEST_SUITE_P(
    Locales, FromLocaleTest,
    ::testing::Values(LocaleCase{"nl_NL", ',', '.', '-', ':', "dd/mm/yyyy", "hh:nn:ss"},
                      LocaleCase{"en_US", '.', ',', '/', ':', "m/d/yy", "h:nn:ss AMPM"},
                      LocaleCase{"C", '.', ',', '/', ':', "dd/mm/yyyy", "hh:nn:ss"},
                      LocaleCase{"de_DE", ',', '.', '.', ':', "dd/mm/yy", "hh:nn:ss"},
                      LocaleCase{"fr_CA", ',', u'\u00A0', '-', ':', "yyyy/mm/dd", "hh:nn:ss"}));

TEST_F(FormatSettingsTest, LoadFromSystemReadsTheSystemLocale) {
    SetFormatSettings(TFormatSettings{.DecimalSeparator = '#'});
    LoadFromSystem();
    const TFormatSettings expected = FromLocale(QLocale::system());
    EXPECT_EQ(FormatSettings().DecimalSeparator, expected.DecimalSeparator);
    EXPECT_EQ(FormatSettings().ShortDateFormat, expected.ShortDateFormat);
    EXPECT_EQ(FormatSettings().LongTimeFormat, expected.LongTimeFormat);
}

TEST_F(FormatSettingsTest, NowFollowsTheHookAndElseThePcClock) {
    EXPECT_EQ(Now(), EncodeDate(2025, 6, 15) + 0.5);
    SetNowHook({});
    const QDate today = QDate::currentDate();
    int year, month, day;
    DecodeDate(Now(), year, month, day);
    EXPECT_LE(std::abs(QDate(year, month, day).daysTo(today)), 1);
}

} // namespace
