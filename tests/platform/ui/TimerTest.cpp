#include "platform/ui/Timer.h"

#include "platform/ui/MessageDlg.h"
#include "support/MessageRecorder.h"
#include "support/WaitUntil.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

// Counts ticks and remembers when the first one came.
struct TickCounter {
    TTimer timer;
    QElapsedTimer clock;
    int ticks = 0;
    qint64 firstTickAt = -1;

    explicit TickCounter(int interval) {
        timer.SetEnabled(false);
        timer.SetInterval(interval);
        timer.OnTimer = [this](QObject* sender) {
            EXPECT_EQ(sender, &timer);
            if (ticks++ == 0)
                firstTickAt = clock.elapsed();
        };
    }
};

TEST(Timer, StartsEnabledWithOneSecond) {
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
}

TEST(Timer, EnablingStartsAFullPeriod) {
    TickCounter counter(300);
    RunEventLoopFor(100);
    counter.clock.start();
    counter.timer.SetEnabled(true);
    ASSERT_TRUE(WaitUntil([&] { return counter.ticks > 0; }, 5000));
    EXPECT_GE(counter.firstTickAt, 290);
}

TEST(Timer, WritingTheSameValueLetsTheRunningPeriodGoOn) {
    TickCounter counter(400);
    counter.clock.start();
    counter.timer.SetEnabled(true);
    // Rewriting the same values over and over must not push the tick back.
    QElapsedTimer rewriting;
    rewriting.start();
    while (counter.ticks == 0 && rewriting.elapsed() < 5000) {
        counter.timer.SetEnabled(true);
        counter.timer.SetInterval(400);
        RunEventLoopFor(50);
    }
    EXPECT_EQ(counter.ticks, 1) << "rewriting the same values kept pushing the tick back";
}

TEST(Timer, NewIntervalRestartsARunningTimer) {
    TickCounter counter(5000);
    counter.timer.SetEnabled(true);
    RunEventLoopFor(100);
    counter.clock.start();
    counter.timer.SetInterval(300);
    ASSERT_TRUE(WaitUntil([&] { return counter.ticks > 0; }, 5000));
    EXPECT_GE(counter.firstTickAt, 290);
}

TEST(Timer, DisabledOrZeroIntervalNeverTicks) {
    TickCounter counter(50);
    RunEventLoopFor(200);
    EXPECT_EQ(counter.ticks, 0);
    counter.timer.SetInterval(0);
    counter.timer.SetEnabled(true);
    RunEventLoopFor(200);
    EXPECT_EQ(counter.ticks, 0);
}

TEST(Timer, TicksGoOnInsideAMessageBox) {
    TickCounter counter(50);
    MessageRecorder boxes;
    boxes.SetModalTime(600);
    counter.timer.SetEnabled(true);
    MessageDlg("wacht", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    EXPECT_GE(counter.ticks, 2);
}

TEST(Timer, FailingTickShowsTheErrorBoxAndTheTimerGoesOn) {
    TickCounter counter(30);
    MessageRecorder boxes;
    counter.timer.OnTimer = [&](QObject*) {
        ++counter.ticks;
        throw std::runtime_error("tick failed");
    };
    counter.timer.SetEnabled(true);
    ASSERT_TRUE(WaitUntil([&] { return counter.ticks >= 2; }, 5000));
    EXPECT_EQ(boxes.Requests().front().Text, "tick failed");
    EXPECT_EQ(boxes.Requests().front().Type, TMsgDlgType::mtError);
}

} // namespace
