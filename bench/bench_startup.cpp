// The program's start until the main window is shown, against a bare Qt
// program that shows a window with as many widgets.
#include "app/Program.h"
#include "app/MainForm.h"
#include "tools/pictures/Pictures.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <benchmark/benchmark.h>

namespace {

void waitShown(QWidget& window) {
    while (!window.isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Times one start with the given body; the closing of the windows afterwards
// is not part of it.
template <class Start>
void timeStarts(benchmark::State& state, Start start) {
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        auto windows = start();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
}

void BM_ProgramStart(benchmark::State& state) {
    timeStarts(state, [] {
        auto program = std::make_unique<TProgram>();
        waitShown(*program->MainForm);
        return program;
    });
}

// About as many widgets as the main window, the log window and the port
// dialog hold together.
void BM_BareWindowWithAsManyWidgets(benchmark::State& state) {
    timeStarts(state, [] {
        auto window = std::make_unique<QWidget>();
        for (int i = 0; i < 30; ++i) {
            new QLabel(QStringLiteral("Label %1").arg(i), window.get());
            new QLineEdit(window.get());
            new QPushButton(QStringLiteral("Button %1").arg(i), window.get());
        }
        window->show();
        waitShown(*window);
        return window;
    });
}

BENCHMARK(BM_ProgramStart)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_BareWindowWithAsManyWidgets)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitPictures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
