#include "AppHarness.h"

namespace {

// Reply lines put straight into the receive text of port 1, which is not
// open: what the handler sends goes nowhere, and LastCommand tells it.
class ReplyFramingTest : public AppHarness {
protected:
    void SetUp() override {
        AppHarness::SetUp();
        main().ComPort = 1;
        main().ui.FirmwareEdit->setText("SN-Stelpod108");
    }

    void receive(const std::string& bytes) {
        main().MultiCommPortDriver1->ReceivedText[1] += bytes;
        RunHandler([&] { main().MultiCommPortDriver1ReceiveData(nullptr, nullptr, 0); });
    }

    std::string rest() { return main().MultiCommPortDriver1->ReceivedText[1]; }
};

} // namespace

TEST_F(ReplyFramingTest, SeveralRepliesInOneCall_AreHandledInOrder) {
    receive("S05\rT1E\rP1");
    EXPECT_EQ(main().ui.SampleTijdSpinEdit->Value(), 5);
    EXPECT_EQ(main().ui.TurnoffTijdSpinEdit->Value(), 30);
    EXPECT_EQ(main().LastCommand, "P1");
    EXPECT_EQ(rest(), "P1");
}

TEST_F(ReplyFramingTest, EmptyLineAndUnknownLetter_OnlyStopTheRetryTimer) {
    for (const char* bytes : {"\r", "X\r", "\nS05\r", "D12\r"}) {
        main().SendString("V");
        ASSERT_TRUE(main().ComTimer->Enabled());
        receive(bytes);
        EXPECT_FALSE(main().ComTimer->Enabled()) << bytes;
        EXPECT_EQ(main().LastCommand, "V") << bytes;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReplyFramingTest, GuardedReplyWithABadField_RestartsTheRetryTimer) {
    for (const char* bytes : {"SZZ\r", "S\r", "HZZZZ\r", "P1\r"}) {
        main().SendString("T");
        receive(bytes);
        EXPECT_TRUE(main().ComTimer->Enabled()) << bytes;
        EXPECT_EQ(main().LastCommand, "T") << bytes;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReplyFramingTest, MemoryCountBelowTwelveBytes_IsRefusedByTheBarAndResent) {
    main().SendString("E");
    receive("E00000B\r");
    EXPECT_EQ(main().ui.NumRecEdit->text(), "-1");
    EXPECT_TRUE(main().ComTimer->Enabled());
    EXPECT_EQ(main().LastCommand, "E");

    const std::tuple<const char*, const char*, int> cases[] = {
        {"E0A0640\r", "198/8000", 8000}, {"E0000F0\r", "28", 28}, {"E000014\r", "0", 0},
        {"E00001C\r", "2", 2}};
    for (const auto& [bytes, shown, maximum] : cases) {
        receive(bytes);
        EXPECT_EQ(main().ui.NumRecEdit->text(), shown) << bytes;
        EXPECT_EQ(logWindow().ui.DownLoadBar->maximum(), maximum) << bytes;
        EXPECT_TRUE(main().LastCommand.startsWith("d")) << bytes;
    }
}

TEST_F(ReplyFramingTest, VWithoutSeparator_ReachesTheErrorBoxAndLeavesConnectedAlone) {
    receive("VSN-Stelpod108BLOK\r");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(messages[0].Text, "'' is not a valid integer value");
    EXPECT_FALSE(main().Connected);
    EXPECT_FALSE(main().ComTimer->Enabled());
}

TEST_F(ReplyFramingTest, VReply_FillsTheTextsEnablesTheBatteryChoiceAndSendsC) {
    receive("VSN-Stelpod108\x10" "BOOT-12OK\r");
    EXPECT_EQ(main().ui.FirmwareEdit->text(), "SN-Stelpod108");
    EXPECT_EQ(main().ui.BootEdit->text(), "BOOT-12");
    EXPECT_TRUE(main().ui.NiMhRadioButton->isEnabled());
    EXPECT_TRUE(main().ui.LoodRadioButton->isEnabled());
    EXPECT_TRUE(main().Connected);
    EXPECT_EQ(main().LastCommand, "C");
}

TEST_F(ReplyFramingTest, BatteryByte_SelectsTheTypeAndWarnsOfALowLithiumCell) {
    const QString lithium =
        QStringLiteral("De lithium batterij in de stelpod is (bijna) leeg, vervang deze.");
    struct Case {
        const char* firmware;
        const char* line;
        bool nimh;
        bool warned;
    } cases[] = {{"SN-Stelpod108", "C81\r", true, true},
                 {"SN-Stelpod107", "C81\r", true, false},
                 {"SN-Stelpod108", "C01\r", true, false},
                 {"SN-Stelpod108", "C00\r", false, false}};
    for (const Case& c : cases) {
        messages.clear();
        main().ui.FirmwareEdit->setText(c.firmware);
        receive(c.line);
        EXPECT_EQ(main().ui.NiMhRadioButton->isChecked(), c.nimh) << c.line;
        EXPECT_EQ(main().ui.LoodRadioButton->isChecked(), !c.nimh) << c.line;
        EXPECT_EQ(messagesWith(lithium), c.warned ? 1 : 0) << c.firmware << c.line;
        EXPECT_EQ(main().LastCommand, "S");
    }
}

TEST_F(ReplyFramingTest, PowerLevels_ByHardwareKindAndVersion) {
    struct Case {
        const char* firmware;
        int position;
        const char* label;
    } cases[] = {{"HM-Stelpod107", 128, "50%"},
                 {"HM-Stelpod108", 16, "94%"},
                 {"SN-Stelpod100", 239, "6%"},
                 {"XY-Stelpod108", 239, "6%"}};
    for (const Case& c : cases) {
        main().ui.FirmwareEdit->setText(c.firmware);
        receive("P110\r");
        EXPECT_EQ(main().ui.TrackBar1->Position(), c.position) << c.firmware;
        EXPECT_EQ(main().ui.P1Label->text(), c.label) << c.firmware;
        EXPECT_EQ(main().LastCommand, "P2");
    }
    main().SendString("P3");
    receive("P4FF\r");
    EXPECT_EQ(main().LastCommand, "P3");
    EXPECT_FALSE(main().ComTimer->Enabled());
}

TEST_F(ReplyFramingTest, ClockReply_WarnsOnNoDisablesTheButtonsAndStartsThePoll) {
    for (const char* line : {"dNO\r", "d\r", "dXYZ\r"}) {
        messages.clear();
        main().ui.OkButton->setEnabled(true);
        main().ui.AnnuleerButton->setEnabled(true);
        receive(line);
        EXPECT_EQ(messagesWith("De datum/tijd kon niet worden geschreven.\rControleer de stelpod."),
                  std::string(line) == "dNO\r" ? 1 : 0);
        EXPECT_FALSE(main().ui.OkButton->isEnabled());
        EXPECT_FALSE(main().ui.AnnuleerButton->isEnabled());
        EXPECT_EQ(main().LastCommand, "H");
        EXPECT_EQ(main().ComTimer->Interval(), 500);
    }
}

TEST_F(ReplyFramingTest, SaveSequenceWithAnUnknownHardwareKind_StopsWithoutAMessage) {
    main().ui.FirmwareEdit->setText("XY-Stelpod108");
    main().SendString("t1E");
    receive("t\r");
    EXPECT_EQ(main().LastCommand, "t1E");
    EXPECT_FALSE(main().ComTimer->Enabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReplyFramingTest, NestedMessageBox_EachLineIsHandledOnce) {
    // While the test-mode instructions are open, the poll brings another line
    // and enters the handler again.
    int nested = 0;
    SetMessageBoxHook([&](const MessageRequest& request) {
        messages.push_back(request);
        if (nested++ == 0)
            receive("S07\r");
        return int(mrOk);
    });
    int changes = 0;
    main().ui.SampleTijdSpinEdit->OnChange = [&](QObject*) { ++changes; };
    receive("x\rT09\r");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(main().ui.SampleTijdSpinEdit->Value(), 7);
    EXPECT_EQ(main().ui.TurnoffTijdSpinEdit->Value(), 9);
    EXPECT_EQ(changes, 1);
    // The nested call took both waiting lines; the outer one then sent the
    // poll that follows the instructions.
    EXPECT_EQ(main().LastCommand, "H");
    EXPECT_TRUE(rest().empty());
}
