// Redrawing the log window's chart, filled, against drawing its voltage line
// as one plain antialiased polyline, in the same run.
#include "platform/chart/Chart.h"
#include "platform/chart/ChartTransform.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PointSeries.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

namespace {

// The log window's chart with its voltage line, power-level band and marker
// series, filled with `points` rows a minute apart.
struct FilledChart {
    FilledChart(int width, int height, int points) {
        chart.resize(width, height);
        chart.SetMargins(0, 0, 5, 0);
        chart.BottomAxis().SetDateTime(true);
        chart.BottomAxis().SetDateTimeFormat("dd-MM-yy/hh:mm:ss");
        chart.LeftAxis().SetValueFormat("#,#0.#0");
        chart.LeftAxis().SetTitle("Accu Voltage (Volt)");
        band.SetLineWidth(6);
        band.SetColorEachPoint(true);
        band.SetSeriesColor(clLime);
        voltage.SetLineWidth(2);
        voltage.SetSeriesColor(8421631);
        chart.AddSeries(&band);
        chart.AddSeries(&voltage);
        for (auto& marker : markers) {
            marker.SetPointerStyle(TSeriesPointerStyle::psTriangle);
            marker.SetPointerColor(clYellow);
            chart.AddSeries(&marker);
        }
        std::mt19937 random(1);
        std::normal_distribution<double> noise(0, 0.05);
        const TColor levels[] = {0x00FFC8, 0x0083FF, 0x00FF2E};
        const double start = 46143;
        for (int i = 0; i < points; ++i) {
            const double x = start + i / 1440.0;
            const double y = 25 + 2 * std::sin(i / 500.0) + noise(random);
            band.AddXY(x, 30, QString(), levels[i / 2000 % 3]);
            voltage.AddXY(x, y, QString(), 0x0000FF);
            if (i % 97 == 0)
                markers[i % 7].AddXY(x, y, QString(), 0x0000FF);
        }
    }

    TChart chart;
    TLineSeries band;
    TLineSeries voltage;
    TPointSeries markers[7];
};

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// One full redraw of the filled chart, antialiased, as the widget paints it.
void BM_ChartRedraw(benchmark::State& state) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    FilledChart filled(width, height, int(state.range(2)));
    QImage image = Canvas(width, height);
    for (auto _ : state) {
        QPainter painter(&image);
        filled.chart.Render(painter, filled.chart.rect());
    }
    state.SetLabel("whole chart");
}

// The voltage line alone, as the chart draws it.
void BM_VoltageLine(benchmark::State& state) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    FilledChart filled(width, height, int(state.range(2)));
    const TChartTransform transform = filled.chart.Transform();
    QImage image = Canvas(width, height);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        filled.voltage.Paint(painter, transform);
    }
    state.SetLabel("reduced runs");
}

// The same line as one antialiased polyline through every point.
void BM_VoltageLinePlainPolyline(benchmark::State& state) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    FilledChart filled(width, height, int(state.range(2)));
    const TChartTransform transform = filled.chart.Transform();
    QPolygonF line;
    for (int i = 0; i < filled.voltage.Count(); ++i)
        line << transform.ToPixel(filled.voltage.XValue(i), filled.voltage.YValue(i));
    QImage image = Canvas(width, height);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(line);
    }
    state.SetLabel("baseline");
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (int points : {8000, 100000}) {
        benchmark->Args({640, 313, points});
        benchmark->Args({1920, 900, points});
    }
    benchmark->ArgNames({"w", "h", "points"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_ChartRedraw)->Apply(Sizes);
BENCHMARK(BM_VoltageLine)->Apply(Sizes);
BENCHMARK(BM_VoltageLinePlainPolyline)->Apply(Sizes);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
