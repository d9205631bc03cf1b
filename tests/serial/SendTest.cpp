#include "DriverFixture.h"

#include <QElapsedTimer>

namespace {

using Send = DriverFixture;

TEST_F(Send, Text_ReachesTheDeviceByteForByte) {
    ASSERT_TRUE(driver->Connect(1));
    const std::string line("d\x01\0\x7f\r", 5);
    EXPECT_TRUE(driver->SendText(line, 1));
    EXPECT_EQ(Port(1).Read(5), line);
    EXPECT_EQ(driver->SendData(line.data(), 0, 1), 0u);
}

TEST_F(Send, ClosedPort_WritesNothing) {
    EXPECT_EQ(driver->SendData("V\r", 2, 1), 0u);
    EXPECT_FALSE(driver->SendText("V\r", 1));
    EXPECT_TRUE(driver->SendText("", 1)) << "nothing to write counts as written";
    EXPECT_EQ(Port(1).Read(1, 50), "");
}

TEST_F(Send, PeerStopsReading_EndsAfterTheTimeOutWithTheCountSoFar) {
    ASSERT_TRUE(driver->Connect(1));
    driver->SetOutputTimeout(200);
    std::string data(1 << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = char(i % 253);
    QElapsedTimer clock;
    clock.start();
    const uint32_t written = driver->SendData(data.data(), uint32_t(data.size()), 1);
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, data.size());
    EXPECT_EQ(Port(1).Read(data.size(), 200), data.substr(0, written))
        << "exactly the bytes counted, in order";
}

TEST_F(Send, CheckLineStatusWithNoModemLineOn_StopsAtOnce) {
    // A pseudo-terminal reports no modem lines.
    ASSERT_TRUE(driver->Connect(1));
    EXPECT_TRUE(driver->GetLineStatus(1).none());
    driver->SetCheckLineStatus(true);
    EXPECT_EQ(driver->SendData("V\r", 2, 1), 0u);
    EXPECT_EQ(Port(1).Read(1, 50), "");
    driver->SetCheckLineStatus(false);
    EXPECT_EQ(driver->SendData("V\r", 2, 1), 2u);
}

TEST_F(Send, OutFreeSpace_IsTheOutputQueueWithin16Bits) {
    EXPECT_EQ(driver->OutFreeSpace(1), 65535) << "closed";
    ASSERT_TRUE(driver->Connect(1));
    EXPECT_EQ(driver->OutFreeSpace(1), 2048);
    driver->SetOutBufSize(131072);
    EXPECT_EQ(driver->OutFreeSpace(1), 65535) << "more room than 16 bits hold";
}

TEST_F(Send, FlushBuffers_DiscardsTheChosenQueue) {
    EXPECT_FALSE(driver->FlushBuffers(true, true, 1)) << "closed";
    ASSERT_TRUE(driver->Connect(1));
    HoldPoll();
    ASSERT_TRUE(Port(1).Write("queued"));
    ASSERT_TRUE(WaitForQueued(Port(1), 6));
    EXPECT_TRUE(driver->FlushBuffers(false, false, 1));
    EXPECT_TRUE(driver->FlushBuffers(false, true, 1));
    EXPECT_EQ(Port(1).Waiting(), 6);
    EXPECT_TRUE(driver->FlushBuffers(true, false, 1));
    EXPECT_EQ(Port(1).Waiting(), 0);
}

} // namespace
