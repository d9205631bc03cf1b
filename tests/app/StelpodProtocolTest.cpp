#include "app/StelpodProtocol.h"
#include "platform/errors/Exception.h"

#include <gtest/gtest.h>

using namespace StelpodProtocol;

namespace {

Regional::TFormatSettings withDecimal(QChar separator) {
    Regional::TFormatSettings settings;
    settings.DecimalSeparator = separator;
    settings.ThousandSeparator = separator == ',' ? '.' : ',';
    return settings;
}

class StelpodProtocolTest : public ::testing::Test {
protected:
    void SetUp() override { Regional::SetFormatSettings(withDecimal(',')); }
};

} // namespace

TEST_F(StelpodProtocolTest, ClockCommand_PacksSecondsMinutesHoursYearDayAndMonth) {
    struct Case {
        int year, month, day, hour, minute, second;
        const char* command;
    } cases[] = {
        {2005, 3, 25, 14, 7, 9, "d0907146503"},
        {2007, 12, 31, 23, 59, 58, "d585923F112"},
        {2004, 1, 1, 0, 0, 0, "d0000000101"},
    };
    for (const Case& c : cases) {
        const TDateTime date = Regional::EncodeDate(c.year, c.month, c.day);
        const TDateTime time = Regional::EncodeTime(c.hour, c.minute, c.second, 0);
        EXPECT_EQ(ClockCommand(time, date), QString::fromLatin1(c.command));
    }
}

TEST_F(StelpodProtocolTest, RecordCount_RoundsHalvesToEvenBeforeSubtractingTwo) {
    EXPECT_EQ(RecordCount(0x0640), 198);
    EXPECT_EQ(RecordCount(0x00F0), 28);
    EXPECT_EQ(RecordCount(0x0014), 0); // 2.5 goes to 2
    EXPECT_EQ(RecordCount(0x001C), 2); // 3.5 goes to 4
    EXPECT_EQ(RecordCount(11), -1);
    EXPECT_EQ(RecordCount(21), 1);
}

TEST_F(StelpodProtocolTest, VoltageText_UsesTheRegionalDecimalSeparator) {
    struct Case {
        const char* field;
        const char* comma;
        const char* point;
    } cases[] = {
        {"AFC8", "36", "36"}, {"B1BC", "36,4", "36.4"}, {"0BB8", "2,4", "2.4"}, {"0000", "0", "0"}};
    for (const Case& c : cases) {
        const long long raw16 = HexValue(std::string(c.field) + "0");
        Regional::SetFormatSettings(withDecimal(','));
        EXPECT_EQ(VoltageText(raw16), QString::fromLatin1(c.comma)) << c.field;
        Regional::SetFormatSettings(withDecimal('.'));
        EXPECT_EQ(VoltageText(raw16), QString::fromLatin1(c.point)) << c.field;
    }
}

TEST_F(StelpodProtocolTest, HexField_ReadsWhatIsThereAndRefusesBadDigits) {
    EXPECT_EQ(HexField("S0a", 2, 2), 10);
    EXPECT_EQ(HexField("S5", 2, 2), 5);
    EXPECT_EQ(HexField("S05xyz", 2, 2), 5);
    EXPECT_THROW(HexField("S", 2, 2), EConvertError);
    EXPECT_THROW(HexField("SZZ", 2, 2), EConvertError);
    EXPECT_THROW(HexField("S-1", 2, 2), EConvertError);
}

TEST_F(StelpodProtocolTest, BarPercentage_FollowsTheFormula) {
    const std::pair<int, int> cases[] = {{0, 100}, {1, 100}, {2, 99},  {127, 50},
                                         {128, 50}, {254, 0}, {255, 0}};
    for (const auto& [position, percent] : cases)
        EXPECT_EQ(BarPercentage(position), percent) << position;
}

TEST_F(StelpodProtocolTest, BarPositionOfPower_DependsOnKindAndVersion) {
    EXPECT_EQ(BarPositionOfPower("HM-Stelpod107", 0x10), 128);
    EXPECT_EQ(BarPositionOfPower("HM-Stelpod107", 0x20), 256); // the bar's range caps it at 255
    EXPECT_EQ(BarPositionOfPower("HM-Stelpod108", 0x10), 16);
    EXPECT_EQ(BarPositionOfPower("SN-Stelpod100", 0x10), 239);
    EXPECT_EQ(BarPositionOfPower("XX-Stelpod108", 0x10), std::nullopt);
    EXPECT_THROW(BarPositionOfPower("HM-Stelpod1x8", 0x10), EConvertError);
}

TEST_F(StelpodProtocolTest, PowerCodeOfBar_GivesTheCodesTheSaveSequenceSends) {
    struct Case {
        const char* firmware;
        int position;
        std::optional<int> code;
    } cases[] = {
        {"SN-Stelpod100", 0, 0xFF},  {"HM-Stelpod108", 0, 0x00},   {"HM-Stelpod107", 255, 0x20},
        {"HM-Stelpod107", 1, 0x01},  {"HM-Stelpod107", 8, 0x01},   {"HM-Stelpod107", 9, 0x02},
        {"SN-Stelpod100", 128, 0x7F}, {"HM-Stelpod107", 100, 13}, {"AB-Stelpod108", 10, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PowerCodeOfBar(c.firmware, c.position), c.code) << c.firmware << c.position;
}

TEST_F(StelpodProtocolTest, CalibrationCommand_TruncatesAndPadsToSixDigits) {
    EXPECT_EQ(CalibrationCommand(Regional::StrToFloat("36,00")), "K0AFC80");
    EXPECT_EQ(CalibrationCommand(0), "K000000");
    EXPECT_EQ(CalibrationCommand(0.00004L), "K000000");
    EXPECT_EQ(CalibrationCommand(900), "K112A880");
    EXPECT_EQ(CalibrationCommand(-1), "KFFFFB1E0");
}

TEST_F(StelpodProtocolTest, FirmwareVersion_ReadsCharactersElevenToThirteen) {
    EXPECT_EQ(FirmwareVersion("SN-Stelpod108"), 108);
    EXPECT_EQ(FirmwareVersion("SN-Stelpod1089", 4), 1089);
    EXPECT_THROW(FirmwareVersion(""), EConvertError);
    EXPECT_EQ(HardwareKind("HM-Stelpod108"), "HM");
}
