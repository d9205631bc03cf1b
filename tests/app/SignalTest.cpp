#include "ProgramProcess.h"
#include "StoredRows.h"

#include "support/WaitUntil.h"
#include "tools/stelpod-sim/StelpodSimulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <numeric>
#include <tuple>

namespace {

const std::pair<int, const char*> kSignals[] = {
    {SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};

// Generous: only a program that does not end at all fails it. The time taken
// is recorded with the test's result.
constexpr int kEndTimeoutMs = 10000;

// Whether the process blocks the three close signals, which it does from the
// first line of main on.
bool BlocksCloseSignals(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigBlk:"))
            continue;
        const unsigned long long mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
        const unsigned long long wanted =
            (1ull << (SIGTERM - 1)) | (1ull << (SIGINT - 1)) | (1ull << (SIGHUP - 1));
        return (mask & wanted) == wanted;
    }
    return false;
}

class SignalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ports.isValid());
        ASSERT_TRUE(data.isValid());
        sim.SetPortsFolder(ports.path().toStdString());
    }

    void TearDown() override { sim.Stop(); }

    void expectEndsCleanly(ProgramProcess& program, int signal) {
        program.Send(signal);
        qint64 ms = 0;
        EXPECT_TRUE(program.EndsCleanly(kEndTimeoutMs, ms))
            << "exit status " << program.process.exitStatus() << ", code "
            << program.process.exitCode();
        RecordProperty("end_ms", int(ms));
    }

    QString database() const { return data.filePath("Data.gdb"); }

    QTemporaryDir ports;
    QTemporaryDir data;
    sim::StelpodSimulator sim{1};
};

class RealProgramSignalTest : public SignalTest, public ::testing::WithParamInterface<int> {};

class ScriptedProgramSignalTest
    : public SignalTest,
      public ::testing::WithParamInterface<std::tuple<int, std::string>> {};

std::string SignalName(int index) {
    return kSignals[index].second;
}

} // namespace

// The real program, just started: the port dialog over the main window.
TEST_P(RealProgramSignalTest, AtStart_EndsAsWhenItsMainWindowCloses) {
    ProgramProcess program(DORVEL_PROGRAM, {}, ports.path());
    ASSERT_TRUE(program.process.waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return BlocksCloseSignals(program.process.processId()); }, 10000));
    expectEndsCleanly(program, kSignals[GetParam()].first);
}

INSTANTIATE_TEST_SUITE_P(Signals, RealProgramSignalTest, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return SignalName(info.param); });

// The scripted program, with the database open: after "Toon grafiek", during
// a download, and while the "MNO" message box is open. The rows already in
// the database stay, and the file opens cleanly afterwards.
TEST_P(ScriptedProgramSignalTest, EndsAsWhenItsMainWindowClosesAndKeepsItsRows) {
    const std::string scenario = std::get<1>(GetParam());
    sim.SetPaced(true);
    sim.UpdateState(
        [](sim::StelpodState& state) { state.records.assign(2000, "0907146503007530"); });
    if (scenario == "box") {
        sim.SetDownloadLimit(20);
        sim.SetDownloadEnd(sim::DownloadEnd::No);
    }
    sim.Start();
    ProgramProcess program(SCRIPTED_PROGRAM, {QString::fromStdString(scenario), database()},
                           ports.path());
    ASSERT_TRUE(program.WaitReady());
    expectEndsCleanly(program, kSignals[std::get<0>(GetParam())].first);

    const std::vector<int> ids = StoredIds(database());
    if (scenario == "chart") {
        EXPECT_TRUE(ids.empty());
    } else if (scenario == "download") {
        EXPECT_GE(ids.size(), 10u);
    } else {
        EXPECT_EQ(ids.size(), 20u);
    }
    std::vector<int> numbered(ids.size());
    std::iota(numbered.begin(), numbered.end(), 1);
    EXPECT_EQ(ids, numbered);
}

INSTANTIATE_TEST_SUITE_P(Signals, ScriptedProgramSignalTest,
                         ::testing::Combine(::testing::Values(0, 1, 2),
                                            ::testing::Values(std::string("chart"),
                                                              std::string("download"),
                                                              std::string("box"))),
                         [](const auto& info) {
                             return std::get<1>(info.param) + "_" +
                                    SignalName(std::get<0>(info.param));
                         });
