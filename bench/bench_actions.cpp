// The user's actions in the log window, maximised on a 1920 x 1080 screen
// and filled with a working unit's mix of events, each timed from the input
// to the end of the frame that shows its result, beside a baseline measured
// in the same run: the full redraw of the same chart at the same size for
// the chart's actions, and the client library used bare (a fetch of the
// same rows, or an insert loop of them) for the view, the pie, the export
// and the import. Each line gives the action's minimum and median, the
// baseline's, their ratio (of the medians) and the target.
#include "BareClient.h"
#include "LogWindowRig.h"
#include "app/MainForm.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/chart/Chart.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

LogWindowRig* rig = nullptr;

double Ms(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

template <class Work> double Time(Work&& work) {
    const auto start = Clock::now();
    work();
    return Ms(start);
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Min(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// The times of one action and of its baseline, in milliseconds.
struct Figures {
    std::vector<double> action;
    std::vector<double> baseline;

    // Times the action and hands its time to the benchmark.
    template <class Work> void Action(benchmark::State& state, Work&& work) {
        action.push_back(Time(work));
        state.SetIterationTime(action.back() / 1000);
    }
    template <class Work> void Baseline(Work&& work) { baseline.push_back(Time(work)); }

    void Report(benchmark::State& state, const char* target) const {
        state.counters["min_ms"] = Min(action);
        state.counters["med_ms"] = Median(action);
        state.counters["base_min"] = Min(baseline);
        state.counters["base_med"] = Median(baseline);
        state.counters["ratio"] = Median(baseline) > 0 ? Median(action) / Median(baseline) : 0;
        state.SetLabel(target);
    }
};

int Rows(const benchmark::State& state) {
    return int(state.range(0));
}

const char* ChartTarget(const benchmark::State& state) {
    return Rows(state) <= 8000 ? "target <= 16 ms and <= 1.5x" : "target <= 2x";
}

const char* ViewTarget(const benchmark::State& state) {
    return Rows(state) <= 8000 ? "target <= 50 ms" : "target <= 2x";
}

// An attachment of the baselines' own to the program's database, made
// before the timing: the program's view is attached all the time.
struct BareView {
    BareView() { bare.Attach(rig->DatabasePath()); }

    // A fetch of the view's rows with the statement the data set runs.
    void Fetch() {
        bare.Start();
        bare.FetchAll(rig->ViewStatement());
        bare.Commit();
    }

    Bare::Attachment bare;
};

// The chart back at its automatic ranges, without a frame of its own.
void ResetZoom() {
    rig->Chart().UndoZoom();
    rig->Frame();
}

QPoint At(double fx, double fy) {
    const QRect client = rig->Chart().rect();
    return {int(client.width() * fx), int(client.height() * fy)};
}

// A left-button drag over the chart with a frame after each move.
void Drag(QPoint from, QPoint to, const std::function<void()>& release) {
    rig->Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    for (int step = 1; step <= 4; ++step) {
        rig->Mouse(QEvent::MouseMove, Qt::LeftButton, from + (to - from) * step / 4);
        rig->Frame();
    }
    release();
}

void Release(QPoint at) {
    rig->Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    rig->Frame();
}

void BM_WheelStep(benchmark::State& state) {
    rig->Fill(Rows(state));
    ResetZoom();
    Figures figures;
    int step = 0;
    for (auto _ : state) {
        const int delta = step++ % 2 ? -120 : 120;
        figures.Action(state, [&] {
            rig->Wheel(delta);
            rig->Frame();
        });
        figures.Baseline([] { rig->Redraw(); });
    }
    ResetZoom();
    figures.Report(state, ChartTarget(state));
}

// A zoom dragged over the middle of the chart, then undone by dragging
// back; one of the two releases, with its frame, is timed.
void ZoomAndUndo(benchmark::State& state, bool timeTheUndo) {
    rig->Fill(Rows(state));
    ResetZoom();
    Figures figures;
    const auto release = [&](QPoint at, bool timed) {
        if (!timed) {
            Release(at);
            return;
        }
        figures.Action(state, [&] { Release(at); });
        figures.Baseline([] { rig->Redraw(); });
    };
    for (auto _ : state) {
        const QPoint from = At(0.3, 0.3);
        const QPoint to = At(0.6, 0.6);
        Drag(from, to, [&] { release(to, !timeTheUndo); });
        Drag(to, from, [&] { release(from, timeTheUndo); });
    }
    figures.Report(state, ChartTarget(state));
}

void BM_DragZoom(benchmark::State& state) {
    ZoomAndUndo(state, false);
}

void BM_UndoZoom(benchmark::State& state) {
    ZoomAndUndo(state, true);
}

// A button held down over the chart while the mouse moves: each move to
// `to(step)` and its frame is one step.
Figures HeldDrag(benchmark::State& state, Qt::MouseButton button, QPoint from,
                 const std::function<QPoint(int step)>& to) {
    rig->Mouse(QEvent::MouseButtonPress, button, from);
    Figures figures;
    int step = 0;
    for (auto _ : state) {
        const QPoint at = to(step++);
        figures.Action(state, [&] {
            rig->Mouse(QEvent::MouseMove, button, at);
            rig->Frame();
        });
        figures.Baseline([] { rig->Redraw(); });
    }
    return figures;
}

// The drag's frames while the zoom rectangle follows the mouse.
void BM_DragZoomMove(benchmark::State& state) {
    rig->Fill(Rows(state));
    ResetZoom();
    const QPoint from = At(0.3, 0.3);
    const Figures figures = HeldDrag(state, Qt::LeftButton, from,
                                     [](int step) { return At(0.5 + 0.01 * (step % 10), 0.6); });
    // A release close to the press is a click: it neither zooms nor undoes.
    Release(from);
    figures.Report(state, ChartTarget(state));
}

void BM_PanStep(benchmark::State& state) {
    rig->Fill(Rows(state));
    ResetZoom();
    const QPoint centre = At(0.5, 0.5);
    const Figures figures = HeldDrag(state, Qt::RightButton, centre, [centre](int step) {
        return centre + QPoint(step % 2 ? 0 : 40, 0);
    });
    rig->Mouse(QEvent::MouseButtonRelease, Qt::RightButton, centre);
    ResetZoom();
    figures.Report(state, ChartTarget(state));
}

// One step of dragging the window's corner: 16 pixels in and out again.
void BM_Resize(benchmark::State& state) {
    rig->Fill(Rows(state));
    ResetZoom();
    TDataForm& form = rig->Form();
    form.showNormal();
    form.resize(1920, 1080);
    rig->Frame();
    Figures figures;
    int step = 0;
    for (auto _ : state) {
        const int inset = step++ % 2 ? 0 : 16;
        figures.Action(state, [&] {
            form.resize(1920 - inset, 1080 - inset);
            rig->Frame();
        });
        figures.Baseline([] { rig->Redraw(); });
    }
    form.showMaximized();
    rig->Frame();
    figures.Report(state, ChartTarget(state));
}

void BM_FilterOk(benchmark::State& state) {
    rig->Fill(Rows(state));
    TDataForm& form = rig->Form();
    BareView bare;
    Figures figures;
    for (auto _ : state) {
        // Untick and tick a kind box: the filter is the same, but OK is
        // enabled again.
        rig->Click(form.ui.Startladen);
        rig->Click(form.ui.Startladen);
        rig->Frame();
        figures.Action(state, [&] {
            rig->Click(form.ui.DateOkButton);
            rig->Frame();
        });
        figures.Baseline([&] {
            bare.Fetch();
            rig->Redraw();
        });
    }
    figures.Report(state, ViewTarget(state));
}

// Clicks on the "Datum" title sort by date, ascending and descending in turn.
void BM_SortClick(benchmark::State& state) {
    rig->Fill(Rows(state));
    BareView bare;
    Figures figures;
    for (auto _ : state) {
        figures.Action(state, [&] {
            rig->ClickTitle(1);
            rig->Frame();
        });
        figures.Baseline([&] {
            bare.Fetch();
            rig->Redraw();
        });
    }
    // Back to the start order.
    rig->ClickTitle(0);
    rig->Frame();
    figures.Report(state, ViewTarget(state));
}

void BM_Pie(benchmark::State& state) {
    rig->Fill(Rows(state));
    TDataForm& form = rig->Form();
    BareView view;
    Bare::Attachment& bare = view.bare;
    Figures figures;
    for (auto _ : state) {
        figures.Action(state, [&] {
            rig->Click(form.ui.PowerstandenRadioButton);
            rig->Frame();
        });
        figures.Baseline([&] {
            // The pie's two queries per value, bare, and a redraw of the pie.
            bare.Start();
            std::vector<std::string> values;
            bare.FetchAll("SELECT DATA FROM DATATBL\r\nWHERE AKTIE = 'Insch./wijz. "
                          "vermogensstand'\r\nGROUP BY DATA",
                          &values);
            for (const std::string& value : values)
                bare.FetchAll("SELECT * FROM DATATBL\r\nWHERE DATA ='" + value + "'");
            bare.Commit();
            rig->Redraw();
        });
        rig->Click(form.ui.AccuRadioButton);
        rig->Frame();
    }
    figures.Report(state, Rows(state) <= 8000 ? "target <= 50 ms" : "");
}

void BM_Export(benchmark::State& state) {
    rig->Fill(Rows(state));
    const QString file = rig->Folder().filePath(QStringLiteral("Export.txt"));
    const QString bareFile = rig->Folder().filePath(QStringLiteral("BareExport.txt"));
    LogWindowRig::ChooseFile(file);
    BareView bare;
    Figures figures;
    QByteArray bytes;
    for (auto _ : state) {
        figures.Action(state, [&] {
            rig->Click(rig->Form().ui.ExportBTN);
            rig->Frame();
        });
        if (bytes.isEmpty()) {
            QFile written(file);
            written.open(QIODevice::ReadOnly);
            bytes = written.readAll();
        }
        figures.Baseline([&] {
            bare.Fetch();
            QFile out(bareFile);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                out.write(bytes) != bytes.size())
                state.SkipWithError("cannot write the bare export");
        });
    }
    figures.Report(state, "target <= 2x");
}

void BM_Import(benchmark::State& state) {
    const int rows = Rows(state);
    rig->Fill(8000);
    rig->ImportFile(rows);
    Figures figures;
    for (auto _ : state) {
        figures.Action(state, [&] { rig->Import(rows); });
        Bare::Attachment bare;
        bare.Create(QFile::encodeName(rig->Folder().filePath(QStringLiteral("Bare.gdb")))
                        .toStdString());
        figures.Baseline([&] {
            bare.InsertAll(rig->ImportRows(rows));
            bare.CommitRetaining();
        });
    }
    figures.Report(state, "target >= 0.5x the bare row rate");
    const double rate = rows / Median(figures.action) * 1000;
    const double bareRate = rows / Median(figures.baseline) * 1000;
    state.counters["rows_per_s"] = rate;
    state.counters["base_rows_per_s"] = bareRate;
    state.counters["ratio"] = rate / bareRate;
}

// "Toon grafiek" with the table filled: the database is made afresh and the
// window shows the empty view.
void BM_ToonGrafiek(benchmark::State& state) {
    const int rows = Rows(state);
    Figures figures;
    for (auto _ : state) {
        rig->Fill(rows);
        figures.Action(state, [&] {
            rig->Click(rig->Main().ui.Button2);
            rig->Frame();
        });
        figures.Baseline([&] {
            Bare::Attachment bare;
            bare.Create(QFile::encodeName(rig->Folder().filePath(QStringLiteral("Bare.gdb")))
                            .toStdString());
            rig->Redraw();
        });
    }
    rig->Fill(rows);
    figures.Report(state, "");
}

// The full redraw of the filled chart at 1920 x 900, the size the log
// window's chart has on a common screen.
void BM_ChartRedraw(benchmark::State& state) {
    rig->Fill(Rows(state));
    ResetZoom();
    QImage canvas(1920, 900, QImage::Format_ARGB32_Premultiplied);
    Figures figures;
    for (auto _ : state) {
        figures.Action(state, [&] {
            QPainter painter(&canvas);
            rig->Chart().Render(painter, canvas.rect());
        });
    }
    figures.Report(state, "target <= 16 ms");
}

void Register(int rows) {
    using Action = void (*)(benchmark::State&);
    const struct {
        const char* name;
        Action action;
        int iterations;
    } actions[] = {
        {"ChartRedraw_1920x900", BM_ChartRedraw, 20},
        {"WheelStep", BM_WheelStep, 20},
        {"DragZoom", BM_DragZoom, 10},
        {"DragZoomMove", BM_DragZoomMove, 20},
        {"UndoZoom", BM_UndoZoom, 10},
        {"PanStep", BM_PanStep, 20},
        {"Resize", BM_Resize, 20},
        {"FilterOk", BM_FilterOk, rows <= 8000 ? 10 : 3},
        {"SortClick", BM_SortClick, rows <= 8000 ? 10 : 4},
        {"Pie", BM_Pie, rows <= 8000 ? 10 : 3},
        {"Export", BM_Export, rows <= 8000 ? 5 : 3},
        {"Import", BM_Import, rows <= 8000 ? 5 : 3},
        {"ToonGrafiek", BM_ToonGrafiek, rows <= 8000 ? 3 : 2},
    };
    for (const auto& action : actions)
        benchmark::RegisterBenchmark(action.name, action.action)
            ->Arg(rows)
            ->ArgName("rows")
            ->Iterations(action.iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    LogWindowRig::UseFullHdScreen();
    QApplication app(argc, argv);
    LogWindowRig::UseDutchDesktop();
    benchmark::Initialize(&argc, argv);
    Register(8000);
    Register(100000);
    {
        LogWindowRig theRig;
        rig = &theRig;
        benchmark::RunSpecifiedBenchmarks();
        rig = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
