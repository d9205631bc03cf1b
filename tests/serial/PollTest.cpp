#include "DriverFixture.h"

#include "platform/errors/Exception.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {

using Poll = DriverFixture;

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff); // NULs and CRs included
    return bytes;
}

TEST_F(Poll, TwoPorts_ServedInAscendingOrderWithACallEach) {
    Record();
    Port(5);
    Port(2);
    ASSERT_TRUE(driver->Connect(5));
    ASSERT_TRUE(driver->Connect(2));
    HoldPoll();
    ASSERT_TRUE(Port(5).Write("fifth"));
    ASSERT_TRUE(Port(2).Write("second"));
    ASSERT_TRUE(WaitForQueued(Port(5), 5));
    ASSERT_TRUE(WaitForQueued(Port(2), 6));
    Release();
    ASSERT_TRUE(WaitUntil([&] { return calls.size() >= 2; }));
    RunEventLoopFor(50);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].port, 2);
    EXPECT_EQ(calls[0].bytes, "second");
    EXPECT_EQ(calls[1].port, 5);
    EXPECT_EQ(calls[1].bytes, "fifth");
    EXPECT_EQ(driver->ReceivedText[2], "second");
    EXPECT_EQ(driver->ReceivedText[5], "fifth");
}

TEST_F(Poll, Bytes_AppendedExactlyIncludingNul) {
    Record();
    driver->ReceivedText[1] = "kept";
    lengths[1] = 4;
    ASSERT_TRUE(driver->Connect(1));
    const std::string bytes("V\0\r\n\xff\x10x", 7);
    ASSERT_TRUE(Port(1).Write(bytes));
    ASSERT_TRUE(WaitUntil([&] { return Received(1).size() >= bytes.size(); }));
    EXPECT_EQ(Received(1), bytes) << "DataPtr and DataSize";
    EXPECT_EQ(driver->ReceivedText[1], "kept" + bytes);
    EXPECT_EQ(driver->ReceivedText[1].size(), 11u);
}

TEST_F(Poll, NoHandler_BytesAreReadAndLost) {
    ASSERT_TRUE(driver->Connect(1));
    HoldPoll();
    ASSERT_TRUE(Port(1).Write("lost"));
    ASSERT_TRUE(WaitForQueued(Port(1), 4));
    Release();
    ASSERT_TRUE(WaitUntil([&] { return Port(1).Waiting() == 0; }));
    RunEventLoopFor(30);
    EXPECT_TRUE(driver->ReceivedText[1].empty());
    Record();
    ASSERT_TRUE(Port(1).Write("seen"));
    ASSERT_TRUE(WaitUntil([&] { return !calls.empty(); }));
    EXPECT_EQ(driver->ReceivedText[1], "seen");
}

TEST_F(Poll, NoPortOpen_TicksDoNothing) {
    Record();
    driver->SetPollingDelay(5);
    ASSERT_TRUE(Port(1).Write("x"));
    RunEventLoopFor(50);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Port(1).Waiting(), 1);
}

TEST_F(Poll, Reads_AreBoundedByInBufSizeSetWhileOpen) {
    Record();
    ASSERT_TRUE(driver->Connect(1));
    HoldPoll();
    driver->SetInBufSize(128);
    const std::string bytes = Pattern(1000);
    ASSERT_TRUE(Port(1).Write(bytes));
    ASSERT_TRUE(WaitForQueued(Port(1), 1000));
    Release();
    ASSERT_TRUE(WaitUntil([&] { return Received(1).size() >= 1000; }));
    std::vector<size_t> sizes;
    for (const ReceiveCall& call : calls)
        sizes.push_back(call.bytes.size());
    EXPECT_EQ(sizes, (std::vector<size_t>{128, 128, 128, 128, 128, 128, 128, 104}));
    EXPECT_EQ(Received(1), bytes);
    EXPECT_EQ(driver->ReceivedText[1], bytes);
}

TEST_F(Poll, LargeBurst_NoReadExceedsInBufSizeAndEveryByteArrivesOnce) {
    // A pseudo-terminal queues only a few KiB, so the burst is fed as the
    // driver drains it.
    Record();
    ASSERT_TRUE(driver->Connect(1));
    const std::string bytes = Pattern(70000);
    size_t fed = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            fed += Port(1).WriteSome(bytes.data() + fed, bytes.size() - fed);
            return driver->ReceivedText[1].size() >= bytes.size();
        },
        20000));
    size_t largest = 0;
    for (const ReceiveCall& call : calls)
        largest = std::max(largest, call.bytes.size());
    EXPECT_LE(largest, 65536u);
    EXPECT_EQ(Received(1), bytes);
    EXPECT_EQ(driver->ReceivedText[1], bytes);
}

TEST_F(Poll, HandlerThrows_PassEndsAndTheNextPortIsServedAtTheNextTick) {
    Record();
    Port(2);
    Port(5);
    ASSERT_TRUE(driver->Connect(2));
    ASSERT_TRUE(driver->Connect(5));
    HoldPoll();
    duringCall = [&](const ReceiveCall& call) {
        if (call.port == 2)
            throw EInvalidOperation(QStringLiteral("Fout in de ontvangst"));
    };
    std::string fifthWhenBoxShown = "not shown";
    onBox = [&](const MessageRequest& request) {
        EXPECT_EQ(request.Type, TMsgDlgType::mtError);
        fifthWhenBoxShown = driver->ReceivedText[5];
        return int(mrOk);
    };
    ASSERT_TRUE(Port(2).Write("two"));
    ASSERT_TRUE(Port(5).Write("five"));
    ASSERT_TRUE(WaitForQueued(Port(2), 3));
    ASSERT_TRUE(WaitForQueued(Port(5), 4));
    Release();
    ASSERT_TRUE(WaitUntil([&] { return driver->ReceivedText[5] == "five"; }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Fout in de ontvangst");
    EXPECT_EQ(fifthWhenBoxShown, "") << "port 5 was served in the pass that failed";
    EXPECT_EQ(driver->ReceivedText[2], "two") << "appended bytes stay";
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].port, 5);
}

TEST_F(Poll, ModalBoxInHandler_NestedPassesAppendEveryByteOnce) {
    Record();
    ASSERT_TRUE(driver->Connect(1));
    bool boxShown = false;
    duringCall = [&](const ReceiveCall& call) {
        if (call.depth == 1 && !boxShown) {
            boxShown = true;
            MessageDlg(QStringLiteral("Bezig"), TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        }
    };
    // The box runs a nested loop, as the real one does, while more bytes come.
    onBox = [&](const MessageRequest&) {
        EXPECT_TRUE(Port(1).Write("second"));
        QEventLoop loop;
        QTimer::singleShot(100, [&] { EXPECT_TRUE(Port(1).Write("third")); });
        QTimer::singleShot(400, &loop, &QEventLoop::quit);
        loop.exec();
        return int(mrOk);
    };
    ASSERT_TRUE(Port(1).Write("first"));
    ASSERT_TRUE(WaitUntil([&] { return boxShown && depth == 0; }));
    RunEventLoopFor(50);
    EXPECT_EQ(driver->ReceivedText[1], "firstsecondthird");
    EXPECT_EQ(Received(1), "firstsecondthird");
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].depth, 1);
    EXPECT_EQ(calls[1].depth, 2) << "the box's nested loop ran a pass";
    EXPECT_EQ(calls.back().depth, 2);
}

TEST_F(Poll, ReceiverTakesTextOutInsideItsHandler) {
    // As the main window does: one line at a time out of the entry.
    std::vector<std::string> lines;
    driver->OnReceiveData = [&](QObject*, const void*, uint32_t) {
        std::string& text = driver->ReceivedText[1];
        for (size_t end; (end = text.find('\r')) != std::string::npos;) {
            lines.push_back(text.substr(0, end));
            text.erase(0, end + 1);
        }
    };
    ASSERT_TRUE(driver->Connect(1));
    ASSERT_TRUE(Port(1).Write("V1\rC2\rS"));
    ASSERT_TRUE(WaitUntil([&] { return lines.size() == 2; }));
    ASSERT_TRUE(Port(1).Write("3\r"));
    ASSERT_TRUE(WaitUntil([&] { return lines.size() == 3; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"V1", "C2", "S3"}));
    EXPECT_EQ(driver->ReceivedText[1], "");
}

TEST_F(Poll, EntryNobodyEmpties_KeepsItsNewestMebibyte) {
    Record();
    const size_t bound = TMultiCommPortDriver::MaxReceivedText;
    EXPECT_EQ(bound, size_t(1) << 20);
    driver->ReceivedText[1] = "old" + std::string(bound - 13, 'x');
    lengths[1] = driver->ReceivedText[1].size();
    ASSERT_TRUE(driver->Connect(1));
    ASSERT_TRUE(Port(1).Write("0123456789"));
    ASSERT_TRUE(WaitUntil([&] { return driver->ReceivedText[1].size() == bound; }));
    ASSERT_TRUE(Port(1).Write("abcde"));
    // The entry no longer grows, so the calls are counted by their bytes.
    const auto delivered = [&] {
        size_t total = 0;
        for (const ReceiveCall& call : calls)
            total += call.bytes.size();
        return total;
    };
    ASSERT_TRUE(WaitUntil([&] { return delivered() == 15; }));
    const std::string& entry = driver->ReceivedText[1];
    EXPECT_EQ(entry.size(), bound);
    EXPECT_EQ(entry.substr(bound - 15), "0123456789abcde");
    EXPECT_EQ(entry.find("old"), std::string::npos) << "the oldest bytes go first";
    EXPECT_EQ(entry.substr(0, 3), "xxx");
}

TEST_F(Poll, VanishedDevice_NeitherCrashesNorHangs) {
    Record();
    Port(2);
    ASSERT_TRUE(driver->Connect(1));
    ASSERT_TRUE(driver->Connect(2));
    driver->SetOutputTimeout(60000);
    Port(1).CloseMaster();
    RunEventLoopFor(100);
    EXPECT_TRUE(driver->IsOpen(1));
    ASSERT_TRUE(Port(2).Write("alive"));
    ASSERT_TRUE(WaitUntil([&] { return driver->ReceivedText[2] == "alive"; }))
        << "the other port is still served";
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(driver->SendText("V\r", 1));
    EXPECT_LT(clock.elapsed(), 30000) << "the send waited for its time-out";
    EXPECT_TRUE(driver->GetLineStatus(1).none());
    EXPECT_FALSE(driver->FlushBuffers(true, true, 1));
    EXPECT_EQ(driver->OutFreeSpace(1), 0);
    driver->Disconnect(1);
    EXPECT_FALSE(driver->IsOpen(1));
    EXPECT_TRUE(calls.size() == 1 && calls[0].port == 2);
}

} // namespace
