#include "AppHarness.h"

namespace {

// Lines that the unit, or noise on the line, sends when the program did not
// ask for them, written straight onto the line of the simulated unit.
class UnexpectedReplyTest : public AppHarness {
  protected:
    // The commands from the first `first` on, each resend left out.
    std::vector<std::string> sentFrom(const std::string& first) const {
        std::vector<std::string> texts;
        for (const std::string& text : commands()) {
            if (texts.empty() && text != first)
                continue;
            if (texts.empty() || texts.back() != text)
                texts.push_back(text);
        }
        return texts;
    }

    // Connected and read; then the unit falls silent and the user saves a
    // sample time of 10 ("s0A").
    void startSaveOnASilentUnit() {
        connectAndRead();
        sim.SetSilent(true);
        main().ui.SampleTijdSpinEdit->SetValue(10);
        sim.ClearReceived();
        main().ui.OkButton->click();
    }

    // Writes the lines and waits until `next` is sent.
    void answer(const std::string& lines, const std::string& next) {
        sim.Inject(lines);
        ASSERT_TRUE(WaitUntil([&] { return countOf(next) >= 1; }, 3000)) << lines;
    }
};

} // namespace

TEST_F(UnexpectedReplyTest, CalibrationReplyBeforeAnyV_SaysThereIsNoConnectionAndSendsNothing) {
    sim.SetSilent(true);
    connect();
    ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }, 3000));
    sim.Inject("K\r");
    ASSERT_TRUE(WaitUntil([&] { return !messages.empty(); }, 3000));
    EXPECT_EQ(messages[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(messages[0].Text, "Er is geen verbinding met een stelpod.");
    const int sends = countOf("V");
    RunEventLoopFor(700);
    EXPECT_EQ(countOf("V"), sends); // the line stopped the resending
    EXPECT_EQ(commands().size(), size_t(sends));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(main().Connected);
}

// Only the acknowledgement of the write sent last moves the save chain on;
// "p4", a lone "p" and every other stray acknowledgement are ignored.
TEST_F(UnexpectedReplyTest, SaveChain_MovesOnOnlyOnTheAcknowledgementOfItsLastWrite) {
    startSaveOnASilentUnit();
    ASSERT_TRUE(WaitUntil([&] { return countOf("s0A") >= 1; }, 3000));

    answer("c\rt\rp1\rp\rs\r", "c01");
    answer("s\rt\rc\r", "t1E");
    answer("c\rp2\rp4\rp\rt\r", "p1FF");
    answer("p1\r", "p2BF");
    answer("p1\rp3\rp2\r", "p380");
    answer("p3\r", "H");
    EXPECT_FALSE(main().ui.OkButton->isEnabled());

    // The chain is over: acknowledgements write nothing more.
    sim.Inject("s\rc\rt\rp1\rp2\rp3\r");
    RunEventLoopFor(700);
    EXPECT_EQ(sentFrom("s0A"),
              (std::vector<std::string>{"s0A", "c01", "t1E", "p1FF", "p2BF", "p380", "H"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(UnexpectedReplyTest, SaveChainThatRanOutOfTries_IsNotContinuedByALateAcknowledgement) {
    startSaveOnASilentUnit();
    ASSERT_TRUE(WaitUntil(
        [&] {
            return messagesWith("Er is een communicatiefout opgetreden, probeer opnieuw.") == 1;
        },
        6000));
    sim.Inject("s\r");
    RunEventLoopFor(700);
    EXPECT_EQ(sentFrom("s0A"), std::vector<std::string>{"s0A"});
}

// Noise during the voltage poll, with the letters of the save chain's
// acknowledgements among it, never writes to the unit.
TEST_F(UnexpectedReplyTest, NoiseDuringTheVoltagePoll_WritesNothing) {
    connectAndRead();
    sim.SetSilent(true);
    sim.ClearReceived();
    sim.Inject("s\r#c~\rc\rt\rp1\rp2\rp3\rp\r");
    RunEventLoopFor(700);
    for (const std::string& text : commands())
        EXPECT_EQ(text, "H");
}
