#include "AppHarness.h"

#include <chrono>

namespace {

const QString kNoStelpod = QStringLiteral(
    "Er is geen stelpod gedetecteerd op de door u gekozen compoort, probeer opnieuw.");
const QString kCommError = QStringLiteral("Er is een communicatiefout opgetreden, probeer opnieuw.");

class TransportTest : public AppHarness {};

// The sends are spaced by the resend timer, on average at least `gap`
// apart. The average over the whole run, because each time is taken when
// the simulated unit reads the line, and a reader held up by a busy
// machine can see two sends close together that were written far apart.
template <class Received>
void ExpectSpacedAtLeast(const Received& received, std::chrono::milliseconds gap) {
    ASSERT_GE(received.size(), 2u);
    EXPECT_GE(received.back().time - received.front().time, gap * int(received.size() - 1));
}

} // namespace

TEST_F(TransportTest, SilentUnit_TenSendsOfV300msApartThenOneNoStelpodMessage) {
    sim.SetSilent(true);
    connect();
    ASSERT_TRUE(WaitUntil([&] { return messagesWith(kNoStelpod) == 1; }, 6000));
    RunEventLoopFor(700);
    const auto received = sim.Received();
    ASSERT_EQ(received.size(), 10u);
    for (const auto& send : received)
        EXPECT_EQ(send.text, "V");
    ExpectSpacedAtLeast(received, std::chrono::milliseconds(250));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Type, TMsgDlgType::mtInformation);
    EXPECT_FALSE(main().Connected);
}

TEST_F(TransportTest, AReplyAfterTheThirdSendStopsTheResending) {
    sim.SetDropReplies(2);
    connect();
    ASSERT_TRUE(WaitUntil([&] { return main().Connected; }, 3000));
    RunEventLoopFor(500);
    EXPECT_EQ(countOf("V"), 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TransportTest, VoltagePoll_ResentEvery500msWithoutEndOrMessage) {
    connectAndRead();
    sim.SetSilent(true);
    sim.ClearReceived();
    RunEventLoopFor(6000);
    const auto received = sim.Received();
    EXPECT_GE(received.size(), 10u); // more than the ten sends of any other command
    for (const auto& send : received)
        EXPECT_EQ(send.text, "H");
    ExpectSpacedAtLeast(received, std::chrono::milliseconds(450));
    EXPECT_TRUE(messages.empty());
}

TEST_F(TransportTest, ACommandThatFailed_GetsItsTenTriesWhenTheUserSendsItAgain) {
    connectAndRead();
    sim.SetSilent(true);
    sim.ClearReceived();
    main().ui.WissenButton->click();
    ASSERT_TRUE(WaitUntil([&] { return messagesWith(kCommError) == 1; }, 6000));
    EXPECT_EQ(countOf("e"), 10);

    sim.ClearReceived();
    main().ui.WissenButton->click();
    ASSERT_TRUE(WaitUntil([&] { return messagesWith(kCommError) == 2; }, 6000));
    RunEventLoopFor(400);
    EXPECT_EQ(countOf("e"), 10);
}

TEST_F(TransportTest, SendingWithoutAPort_WritesNothingAndReportsNoStelpod) {
    main().ui.AnnuleerButton->setEnabled(true);
    main().ui.AnnuleerButton->click();
    ASSERT_TRUE(WaitUntil([&] { return messagesWith(kNoStelpod) == 1; }, 6000));
    EXPECT_EQ(main().LastCommand, "V");
    EXPECT_EQ(main().ComPort, 0);
}
