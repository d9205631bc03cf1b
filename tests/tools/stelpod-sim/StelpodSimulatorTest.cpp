#include "PortClient.h"

#include "tools/stelpod-sim/RecordGenerator.h"
#include "tools/stelpod-sim/StelpodSimulator.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace sim;
namespace fs = std::filesystem;

namespace {

// A unit on com3 of a ports folder of its own, unpaced so tests run quickly,
// and a client connected to it through the published link.
class StelpodSimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/stelpod-sim-test-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        StelpodState state = StelpodState::Defaults();
        state.batteryByte = 0x81;
        state.voltageRaw = 0xAFC8;
        state.records = {"8907146503007530", "0110146503015DC0", "5959236503080080"};
        simulator_ = std::make_unique<StelpodSimulator>(3, state);
        simulator_->SetPortsFolder(folder_);
        simulator_->SetPaced(false);
        simulator_->Start();
        client_ = std::make_unique<PortClient>(folder_ + "/com3");
        ASSERT_TRUE(client_->IsOpen());
    }

    void TearDown() override {
        client_.reset();
        simulator_.reset();
        fs::remove_all(folder_);
    }

    std::optional<std::string> Ask(const std::string& command) {
        client_->Send(command);
        return client_->ReadLine();
    }

    std::string folder_;
    std::unique_ptr<StelpodSimulator> simulator_;
    std::unique_ptr<PortClient> client_;
};

std::vector<std::string> ReadLinesUntilEnd(PortClient& client, int timeoutMs = 2000) {
    std::vector<std::string> lines;
    while (auto line = client.ReadLine(timeoutMs)) {
        lines.push_back(*line);
        if (*line == "MOK" || *line == "MNO")
            break;
    }
    return lines;
}

TEST_F(StelpodSimulatorTest, ReadSequence_AnswersEveryCommandWithItsReplyLine) {
    const std::pair<const char*, std::string> exchanges[] = {
        {"V", std::string("VSN-Stelpod108\x10") + "BL-0102OK"},
        {"C", "C81"},
        {"S", "S05"},
        {"T", "T1E"},
        {"P1", "P1FF"},
        {"P2", "P2BF"},
        {"P3", "P380"},
        {"E", "E000028"}, // (3 records + 2) * 8 bytes
        {"d0907146503", "d"},
        {"H", "HAFC8"},
    };
    for (const auto& [command, reply] : exchanges)
        EXPECT_EQ(Ask(command), reply) << command;

    const auto clock = simulator_->State().clock;
    ASSERT_TRUE(clock.has_value());
    EXPECT_EQ(*clock, (ClockValue{9, 7, 14, 25, 3, 1}));

    const auto received = simulator_->Received();
    ASSERT_EQ(received.size(), std::size(exchanges));
    EXPECT_EQ(received.front().text, "V");
    EXPECT_EQ(received.back().text, "H");
    EXPECT_LE(received.front().time, received.back().time);
}

TEST_F(StelpodSimulatorTest, Voltage_WandersWithinTheBatteryRange) {
    simulator_->UpdateState([](StelpodState& state) { state.voltageRaw.reset(); });
    for (int i = 0; i < 5; ++i) {
        const auto reply = Ask("H");
        ASSERT_TRUE(reply && reply->size() == 5 && (*reply)[0] == 'H') << reply.value_or("none");
        const double volts = std::stoul(reply->substr(1), nullptr, 16) * 16.0 / 20000.0;
        EXPECT_GE(volts, 24.0);
        EXPECT_LE(volts, 38.0);
        usleep(100000);
    }
}

TEST_F(StelpodSimulatorTest, Clock_RefusedOnRequestOrWithBadFields) {
    EXPECT_EQ(Ask("d0907146513"), "dNO"); // month 13
    EXPECT_EQ(Ask("d09071465"), "dNO");
    simulator_->SetClockRefused(true);
    EXPECT_EQ(Ask("d0907146503"), "dNO");
    EXPECT_FALSE(simulator_->State().clock.has_value());
}

TEST_F(StelpodSimulatorTest, SaveThenRead_GivesTheSavedValuesBack) {
    const std::pair<const char*, const char*> saves[] = {
        {"s0A", "sOK"}, {"c00", "cOK"}, {"t3C", "tOK"},   {"p120", "p1"},
        {"p240", "p2"}, {"p360", "p3"}, {"K0AFC80", "K"},
    };
    for (const auto& [command, reply] : saves)
        EXPECT_EQ(Ask(command), reply) << command;
    // The lithium cell's bit is a measurement, which writing the type keeps.
    const std::pair<const char*, const char*> reads[] = {
        {"S", "S0A"}, {"C", "C80"}, {"T", "T3C"}, {"P1", "P120"}, {"P2", "P240"}, {"P3", "P360"},
    };
    for (const auto& [command, reply] : reads)
        EXPECT_EQ(Ask(command), reply) << command;
    EXPECT_EQ(simulator_->State().calibration, 0x0AFC80u);
}

TEST_F(StelpodSimulatorTest, BadWriteField_IsRefusedAndStoresNothing) {
    EXPECT_EQ(Ask("sZZ"), "sNO");
    EXPECT_EQ(Ask("S"), "S05");
}

TEST_F(StelpodSimulatorTest, EraseAndFactoryReset_EmptyTheMemory) {
    simulator_->UpdateState([](StelpodState& state) { state.rewriteCount = 3; });
    EXPECT_EQ(Ask("e"), "e");
    EXPECT_EQ(Ask("E"), "E000010");

    EXPECT_EQ(Ask("s0A"), "sOK");
    EXPECT_EQ(Ask("p100"), "p1");
    simulator_->UpdateState([](StelpodState& state) { state.records = {"0000000101000000"}; });
    EXPECT_EQ(Ask("X"), "X");
    EXPECT_EQ(Ask("S"), "S05");
    EXPECT_EQ(Ask("P1"), "P1FF");
    EXPECT_EQ(Ask("E"), "E000010");
    EXPECT_EQ(Ask("C"), "C81");
}

TEST_F(StelpodSimulatorTest, Download_SendsEveryRecordThenMok) {
    RecordGeneratorOptions options;
    options.count = 50;
    const auto records = RecordGenerator::GenerateHex(options);
    simulator_->UpdateState([&](StelpodState& state) { state.records = records; });

    client_->Send("M");
    const auto lines = ReadLinesUntilEnd(*client_);
    ASSERT_EQ(lines.size(), records.size() + 1);
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(lines[i], "M" + records[i]);
    EXPECT_EQ(lines.back(), "MOK");
}

TEST_F(StelpodSimulatorTest, Download_FaultsChangeWhatIsSent) {
    struct Case {
        const char* name;
        DownloadEnd end;
        std::optional<std::size_t> limit;
        std::optional<std::size_t> malformed;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"mno",
         DownloadEnd::No,
         {},
         {},
         {"M8907146503007530", "M0110146503015DC0", "M5959236503080080", "MNO"}},
        {"mno only", DownloadEnd::No, 0, {}, {"MNO"}},
        {"stops half-way", DownloadEnd::None, 1, {}, {"M8907146503007530"}},
        {"malformed",
         DownloadEnd::Ok,
         {},
         1,
         {"M8907146503007530", "M01101465GHIJKLMN", "M5959236503080080", "MOK"}},
    };
    for (const Case& c : cases) {
        simulator_->SetDownloadEnd(c.end);
        simulator_->SetDownloadLimit(c.limit);
        simulator_->SetMalformedRecordAt(c.malformed);
        client_->Send("M");
        // A download that stops half-way sends no end line: wait only briefly.
        std::vector<std::string> lines = ReadLinesUntilEnd(*client_, 300);
        EXPECT_EQ(lines, c.expected) << c.name;
    }
}

TEST_F(StelpodSimulatorTest, CrLf_EndsEveryReplyWithCarriageReturnAndLineFeed) {
    simulator_->SetCrLf(true);
    client_->Send("S");
    client_->Send("T");
    EXPECT_EQ(client_->ReadUntilQuiet(200), "S05\r\nT1E\r\n");
}

TEST_F(StelpodSimulatorTest, Silent_LogsCommandsButNeverAnswers) {
    simulator_->SetSilent(true);
    client_->Send("V");
    EXPECT_EQ(client_->ReadUntilQuiet(300), "");
    ASSERT_EQ(simulator_->Received().size(), 1u);
    EXPECT_EQ(simulator_->Received()[0].text, "V");
}

TEST_F(StelpodSimulatorTest, DropFirstReplies_AnswersFromTheNextCommandOn) {
    simulator_->SetDropReplies(2);
    client_->Send("S");
    client_->Send("S");
    EXPECT_EQ(client_->ReadUntilQuiet(300), "");
    EXPECT_EQ(Ask("S"), "S05");
    EXPECT_EQ(simulator_->Received().size(), 3u);
}

TEST_F(StelpodSimulatorTest, SplitReplies_ArriveCompleteAfterTheGaps) {
    simulator_->SetSplitReplies(true);
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ(Ask("P1"), "P1FF");
    // Three pieces with two gaps of 20 ms between them.
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(40));
    EXPECT_EQ(Ask("d0907146503"), "d");
}

TEST_F(StelpodSimulatorTest, Garbage_PrecedesEachReplyAsALineOfItsOwn) {
    simulator_->SetGarbage(true);
    client_->Send("S");
    const auto noise = client_->ReadLine();
    ASSERT_TRUE(noise && !noise->empty());
    EXPECT_FALSE(std::isalnum(static_cast<unsigned char>((*noise)[0])));
    EXPECT_EQ(client_->ReadLine(), "S05");
}

TEST_F(StelpodSimulatorTest, Paced_DownloadTakesAtLeastTheLineTime) {
    RecordGeneratorOptions options;
    options.count = 100;
    simulator_->UpdateState(
        [&](StelpodState& state) { state.records = RecordGenerator::GenerateHex(options); });
    simulator_->SetPaced(true);

    const auto sent = std::chrono::steady_clock::now();
    client_->Send("M");
    const auto lines = ReadLinesUntilEnd(*client_);
    const auto took = std::chrono::steady_clock::now() - sent;
    ASSERT_EQ(lines.size(), 101u);
    // 18 bytes a record line at 3840 bytes/s.
    EXPECT_GE(std::chrono::duration<double>(took).count(), 100 * 18 / 3840.0);
}

TEST_F(StelpodSimulatorTest, Client_CanCloseAndOpenThePortAgain) {
    EXPECT_EQ(Ask("S"), "S05");
    client_.reset();
    usleep(100000);
    client_ = std::make_unique<PortClient>(folder_ + "/com3");
    ASSERT_TRUE(client_->IsOpen());
    EXPECT_EQ(Ask("T"), "T1E");
}

TEST_F(StelpodSimulatorTest, Link_PointsToTheDeviceAndGoesAtStop) {
    const std::string link = folder_ + "/com3";
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), simulator_->DevicePath());
    client_.reset();
    simulator_->Stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(StelpodSimulatorPorts, DefaultFolder_IsTakenFromTheEnvironment) {
    char folder[] = "/tmp/stelpod-sim-env-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string ports = std::string(folder) + "/ports";
    setenv("DORVEL_PORTS", ports.c_str(), 1);
    {
        StelpodSimulator simulator(7);
        simulator.Start();
        EXPECT_TRUE(fs::is_symlink(ports + "/com7")); // the folder is created too
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(ports + "/com7")));
    unsetenv("DORVEL_PORTS");
    fs::remove_all(folder);
}

} // namespace
