#include "AppHarness.h"

namespace {

class ReadSequenceTest : public AppHarness {
protected:
    void SetUp() override {
        AppHarness::SetUp();
        Regional::SetNowHook([] {
            return Regional::EncodeDate(2005, 3, 25) + Regional::EncodeTime(14, 7, 9, 0);
        });
        sim.UpdateState([](sim::StelpodState& state) {
            state.records.assign(20, "0907146503007530");
            state.voltageRaw = 0xB1BC;
        });
    }

    std::vector<std::string> commandsUntil(const std::string& last) const {
        std::vector<std::string> texts;
        for (const auto& text : commands()) {
            texts.push_back(text);
            if (text == last)
                break;
        }
        return texts;
    }
};

} // namespace

TEST_F(ReadSequenceTest, Connection_ReadsEverythingSetsTheClockAndPollsTheVoltage) {
    connectAndRead();
    const std::vector<std::string> expected = {"V",  "C", "S", "T",           "P1",
                                               "P2", "P3", "E", "d0907146503", "H"};
    EXPECT_EQ(commandsUntil("H"), expected);

    const auto& ui = main().ui;
    EXPECT_EQ(ui.FirmwareEdit->text(), "SN-Stelpod108");
    EXPECT_EQ(ui.BootEdit->text(), "BL-0102");
    EXPECT_EQ(ui.VoltageEdit->text(), "36,4");
    EXPECT_EQ(ui.SampleTijdSpinEdit->Value(), 5);
    EXPECT_EQ(ui.TurnoffTijdSpinEdit->Value(), 30);
    EXPECT_TRUE(ui.NiMhRadioButton->isChecked());
    EXPECT_TRUE(ui.NiMhRadioButton->isEnabled());
    EXPECT_EQ(ui.P1Label->text(), "100%");
    EXPECT_EQ(ui.P2Label->text(), "75%");
    EXPECT_EQ(ui.P3Label->text(), "50%");
    // The right-aligned labels grow to the left, keeping their right edge.
    EXPECT_GE(ui.P1Label->width(), ui.P1Label->fontMetrics().horizontalAdvance("100%"));
    EXPECT_EQ(ui.P1Label->geometry().right(), 16 + 14 - 1);
    EXPECT_EQ(ui.RewritesEdit->text(), "0");
    EXPECT_EQ(ui.NumRecEdit->text(), "20");
    EXPECT_EQ(logWindow().ui.DownLoadBar->maximum(), 20);
    EXPECT_FALSE(ui.OkButton->isEnabled());
    EXPECT_FALSE(ui.AnnuleerButton->isEnabled());
    EXPECT_TRUE(main().Connected);
    EXPECT_TRUE(messages.empty());

    const int polls = countOf("H");
    RunEventLoopFor(1600);
    EXPECT_GE(countOf("H"), polls + 2);
}

TEST_F(ReadSequenceTest, Save_WritesAllSixSettingsInOneChainAndARefreshReadsThemBack) {
    connectAndRead();
    main().ui.SampleTijdSpinEdit->SetValue(10);
    EXPECT_TRUE(main().ui.OkButton->isEnabled());
    main().ui.LoodRadioButton->setChecked(true);
    main().ui.TrackBar2->SetPosition(128);
    sim.ClearReceived();
    main().ui.OkButton->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("H") >= 1; }, 5000));
    const std::vector<std::string> expected = {"s0A", "c00", "t1E", "p1FF", "p27F", "p380", "H"};
    EXPECT_EQ(commandsUntil("H"), expected);
    EXPECT_FALSE(main().ui.OkButton->isEnabled());

    main().ui.SampleTijdSpinEdit->SetValue(1);
    main().ui.Start->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("H") >= 2; }, 8000));
    EXPECT_EQ(main().ui.SampleTijdSpinEdit->Value(), 10);
    EXPECT_TRUE(main().ui.LoodRadioButton->isChecked());
    EXPECT_EQ(main().ui.TrackBar2->Position(), 128);
}

TEST_F(ReadSequenceTest, Calibration_AsksThenSendsTheValueAndReadsTheUnitAgain) {
    connectAndRead();
    sim.ClearReceived();
    answers.push_back(mrNo);
    main().ui.KalibButton->click();
    RunEventLoopFor(400);
    EXPECT_EQ(countOf("K0AFC80"), 0);

    main().ui.KalibButton->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("V") == 1; }, 3000));
    EXPECT_EQ(commands().front(), "K0AFC80");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(messages[1].Text, "Weet u zeker dat u de stelpod (opnieuw) wilt kalibreren?");
}

TEST_F(ReadSequenceTest, Erase_ShowsZeroAndZeroAndStopsThePoll) {
    connectAndRead();
    main().ui.WissenButton->click();
    ASSERT_TRUE(WaitUntil([&] { return main().ui.NumRecEdit->text() == "0"; }, 3000));
    EXPECT_EQ(main().ui.RewritesEdit->text(), "0");
    sim.ClearReceived();
    RunEventLoopFor(1200);
    EXPECT_TRUE(sim.Received().empty());
}

TEST_F(ReadSequenceTest, TestMode_ShowsTheInstructionsAndPollsOnlyAfterTheBoxCloses) {
    connectAndRead();
    boxOpenMs = 1500;
    sim.ClearReceived();
    main().ui.Button1->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("H") >= 1; }, 5000));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith("De stelpod is nu in testmode"));
    const auto received = sim.Received();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received[0].text, "x");
    EXPECT_EQ(received[1].text, "H");
    // The box stays open 1.5 s; a poll before it closed would come within
    // the 300 ms of the resend timer. The margin is for a busy machine,
    // where the simulated unit may read the "x" late.
    EXPECT_GE(received[1].time - received[0].time, std::chrono::milliseconds(1000));
}

TEST_F(ReadSequenceTest, SplitReplies_AreHandledOnceComplete) {
    sim.SetSplitReplies(true);
    connectAndRead();
    EXPECT_EQ(main().ui.FirmwareEdit->text(), "SN-Stelpod108");
    EXPECT_EQ(countOf("V"), 1);
}

TEST_F(ReadSequenceTest, CrLfReplies_StopTheSequenceAtTheLineFeed) {
    sim.SetCrLf(true);
    connect();
    RunEventLoopFor(1500);
    // "V" is answered; the reply to "C" starts with the line feed of the
    // first reply and is ignored, so nothing follows it.
    EXPECT_EQ(commands(), (std::vector<std::string>{"V", "C"}));
    EXPECT_TRUE(main().Connected);
}
