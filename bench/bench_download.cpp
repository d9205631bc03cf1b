// The download path inside the program: record lines standing in the
// receive text, through framing, dispatch, AddData and the download bar, to
// the end line's commit and the refill of the view. Reported as records per
// second and as a multiple of the line rate (an 18-byte record line every
// 4.69 ms at 38400 bit/s).
#include "app/MainForm.h"
#include "app/Program.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/regional/Regional.h"
#include "platform/ui/MessageDlg.h"
#include "tools/pictures/Pictures.h"
#include "tools/stelpod-sim/RecordGenerator.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr double kLineRateRecordsPerSecond = 38400.0 / 10 / 18;

void BM_DownloadPath(benchmark::State& state) {
    QTemporaryDir folder;
    TProgram program;
    TMainForm& main = *program.MainForm;
    main.DatabaseFile = folder.filePath("Data.gdb");
    main.ComPort = 1; // never opened: what the handler sends goes nowhere
    main.Connected = true;
    // The memory count of the read sequence sets the bar's maximum.
    program.DataForm->ui.DownLoadBar->SetMax(int(state.range(0)));

    sim::RecordGeneratorOptions options;
    options.count = size_t(state.range(0));
    std::string text;
    for (const std::string& record : sim::RecordGenerator::GenerateHex(options))
        text += "M" + record + "\r";
    text += "MOK\r";

    for (auto _ : state) {
        state.PauseTiming();
        main.Button2Click(nullptr);
        program.DataForm->DownLoadButtonClick(nullptr);
        state.ResumeTiming();
        main.MultiCommPortDriver1->ReceivedText[1] = text;
        main.MultiCommPortDriver1ReceiveData(nullptr, nullptr, 0);
        if (program.DataModule1->DataIBDataSet->RecordCount() != state.range(0))
            state.SkipWithError("not every record became a row");
    }
    state.counters["records/s"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x line rate"] = benchmark::Counter(
        double(state.range(0)) / kLineRateRecordsPerSecond, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DownloadPath)->Arg(8000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitPictures();
    Regional::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    Regional::SetFormatSettings(settings);
    SetMessageBoxHook([](const MessageRequest&) { return int(mrOk); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
