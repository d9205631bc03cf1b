#include "platform/chart/LineSeries.h"

#include "platform/chart/SeriesPainter.h"

TLineSeries::TLineSeries(QObject* parent) : TChartSeries(true, parent) {}

void TLineSeries::SetLineWidth(int width) {
    lineWidth_ = std::max(1, width);
    Changed();
}

void TLineSeries::Paint(QPainter& painter, const TChartTransform& transform) const {
    SeriesPainter::PaintLine(painter, *this, lineWidth_, transform);
}
