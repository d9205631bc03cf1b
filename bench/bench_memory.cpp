// The program's resident memory with its log window maximised: the peak
// after a full download of 8000 records and after an import of 100000 rows,
// each in a process of its own so that one peak does not hide the other,
// and the resident size after each of ten downloads into a database made
// afresh every time ("Toon grafiek"), which must not grow.
#include "EventMix.h"
#include "LogWindowRig.h"
#include "app/MainForm.h"
#include "eventlog/viewer/DataForm.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string self;

// VmHWM (peak) or VmRSS (now) of this process, in megabytes.
double StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            std::istringstream fields(line.substr(key.size() + 1));
            double kilobytes = 0;
            fields >> kilobytes;
            return kilobytes / 1024;
        }
    }
    return 0;
}

// The scenarios, run in the child process; each prints its figures as
// "name value" lines.
int RunScenario(const std::string& scenario, const std::string& file, int argc, char** argv) {
    LogWindowRig::UseFullHdScreen();
    QApplication app(argc, argv);
    LogWindowRig::UseDutchDesktop();
    LogWindowRig rig;
    if (scenario == "download") {
        rig.Download(8000);
    } else if (scenario == "import") {
        rig.Click(rig.Main().ui.Button2);
        rig.Frame();
        LogWindowRig::ChooseFile(QString::fromStdString(file));
        rig.Click(rig.Form().ui.ImportBTN);
        rig.Frame();
    } else {
        for (int i = 1; i <= 10; ++i) {
            rig.Download(8000);
            std::printf("rss_%d %.1f\n", i, StatusMegabytes("VmRSS"));
        }
    }
    std::printf("peak %.1f\nrss %.1f\n", StatusMegabytes("VmHWM"), StatusMegabytes("VmRSS"));
    return 0;
}

// Runs a scenario in a child process and gives its figures.
std::vector<std::pair<std::string, double>> Child(const std::string& scenario,
                                                  const std::string& file = "-") {
    const std::string command = "'" + self + "' --scenario " + scenario + " '" + file + "'";
    std::vector<std::pair<std::string, double>> figures;
    FILE* output = popen(command.c_str(), "r");
    if (!output)
        return figures;
    char name[64];
    double value = 0;
    while (std::fscanf(output, "%63s %lf", name, &value) == 2)
        figures.emplace_back(name, value);
    pclose(output);
    return figures;
}

double Figure(const std::vector<std::pair<std::string, double>>& figures, const std::string& name) {
    for (const auto& [key, value] : figures)
        if (key == name)
            return value;
    return 0;
}

void BM_PeakAfterDownload(benchmark::State& state) {
    for (auto _ : state) {
        const auto figures = Child("download");
        state.counters["peak_MB"] = Figure(figures, "peak");
        state.counters["rss_MB"] = Figure(figures, "rss");
    }
    state.SetLabel("8000 records; today about 77 MB");
}

void BM_PeakAfterImport(benchmark::State& state) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Import.txt"));
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(EventMix::MakeRows(int(state.range(0))).File);
    }
    for (auto _ : state) {
        const auto figures = Child("import", QFile::encodeName(file).toStdString());
        state.counters["peak_MB"] = Figure(figures, "peak");
        state.counters["rss_MB"] = Figure(figures, "rss");
    }
    state.SetLabel("100000 rows; today about 132 MB");
}

void BM_TenDownloads(benchmark::State& state) {
    for (auto _ : state) {
        const auto figures = Child("repeat");
        const double first = Figure(figures, "rss_1");
        const double second = Figure(figures, "rss_2");
        const double last = Figure(figures, "rss_10");
        state.counters["rss_1st_MB"] = first;
        state.counters["rss_2nd_MB"] = second;
        state.counters["rss_10th_MB"] = last;
        state.counters["growth_2nd_to_10th_MB"] = last - second;
    }
    state.SetLabel("target: no growth");
}

BENCHMARK(BM_PeakAfterDownload)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_PeakAfterImport)->Arg(100000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_TenDownloads)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--scenario")
        return RunScenario(argv[2], argv[3], 1, argv);
    self = std::filesystem::read_symlink("/proc/self/exe").string();
    // The import file is written with the regional settings the child reads
    // it with.
    LogWindowRig::UseDutchDesktop();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
