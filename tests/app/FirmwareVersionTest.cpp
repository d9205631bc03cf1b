#include "AppHarness.h"

namespace {

// The version, characters 11 to 13 of the firmware text, counts only when
// it is decimal digits.
class FirmwareVersionTest : public AppHarness, public ::testing::WithParamInterface<const char*> {
  protected:
    QString notAnInteger(const QString& firmware) const {
        return "'" + firmware.mid(10, 3) + "' is not a valid integer value";
    }
};

class FirmwareVersionOfV : public FirmwareVersionTest {};
class FirmwareVersionOfHM : public FirmwareVersionTest {};

} // namespace

TEST_P(FirmwareVersionOfV, VersionThatIsNoDecimalNumber_FailsTheReplyWithTheErrorBox) {
    const QString firmware = GetParam();
    sim.UpdateState([&](sim::StelpodState& state) { state.firmware = firmware.toStdString(); });
    connect();
    ASSERT_TRUE(WaitUntil([&] { return !messages.empty(); }, 3000));
    EXPECT_EQ(messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(messages[0].Text, notAnInteger(firmware));
    EXPECT_EQ(main().ui.FirmwareEdit->text(), firmware);
    EXPECT_FALSE(main().Connected);
    RunEventLoopFor(400);
    EXPECT_EQ(commands(), std::vector<std::string>{"V"});
}

INSTANTIATE_TEST_SUITE_P(NotDecimal, FirmwareVersionOfV,
                         ::testing::Values("SN-Stelpod$6C", "SN-Stelpod 99", "SN-Stelpod+99",
                                           "SN-Stelpod1X8"));

// An "HM" unit whose firmware text changed to a bad version after the
// connection: a refresh shows the error, and a save stops at the first power
// code with it, sending nothing more.
TEST_P(FirmwareVersionOfHM, BadVersion_StopsTheSaveAtTheFirstPowerCodeWithTheErrorBox) {
    const QString firmware = GetParam();
    sim.SetState(sim::StelpodState::Defaults("HM-Stelpod108"));
    connectAndRead();
    sim.UpdateState([&](sim::StelpodState& state) { state.firmware = firmware.toStdString(); });
    main().ui.Start->click();
    ASSERT_TRUE(WaitUntil([&] { return messages.size() == 1; }, 3000));
    EXPECT_EQ(messages[0].Text, notAnInteger(firmware));

    main().ui.SampleTijdSpinEdit->SetValue(10);
    sim.ClearReceived();
    main().ui.OkButton->click();
    ASSERT_TRUE(WaitUntil([&] { return messages.size() == 2; }, 3000));
    EXPECT_EQ(messages[1].Type, TMsgDlgType::mtError);
    EXPECT_EQ(messages[1].Text, notAnInteger(firmware));
    RunEventLoopFor(700);
    EXPECT_EQ(commands(), (std::vector<std::string>{"s0A", "c01", "t1E"}));
    EXPECT_FALSE(main().ComTimer->Enabled());
}

INSTANTIATE_TEST_SUITE_P(NotDecimal, FirmwareVersionOfHM,
                         ::testing::Values("HM-Stelpod10X", "HM-Stelpod$6C"));
