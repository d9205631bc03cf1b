#include "platform/chart/PointSeries.h"

#include "platform/chart/SeriesPainter.h"

TPointSeries::TPointSeries(QObject* parent) : TChartSeries(true, parent) {}

void TPointSeries::SetPointerStyle(TSeriesPointerStyle style) {
    style_ = style;
    Changed();
}

void TPointSeries::SetPointerColor(TColor color) {
    fillColor_ = color;
    Changed();
}

void TPointSeries::SetPointerSize(int size) {
    size_ = std::max(1, size);
    Changed();
}

TColor TPointSeries::FillColor(int index) const {
    return ColorEachPoint() ? ValueColor(index) : fillColor_;
}

void TPointSeries::Paint(QPainter& painter, const TChartTransform& transform) const {
    SeriesPainter::PaintPoints(painter, *this, transform);
}
