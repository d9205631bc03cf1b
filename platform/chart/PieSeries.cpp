#include "platform/chart/PieSeries.h"

#include "platform/chart/ChartTransform.h"
#include "platform/chart/SeriesPainter.h"

#include <cmath>
#include <numbers>

TPieSeries::TPieSeries(QObject* parent) : TChartSeries(false, parent) {
    SetColorEachPoint(true);
}

int TPieSeries::AddPie(double value, const QString& label, TColor color) {
    AddXY(Count(), value, label, color);
    return Count() - 1;
}

void TPieSeries::SetExplodeBiggest(int percent) {
    explodeBiggest_ = std::max(0, percent);
    Changed();
}

void TPieSeries::SetArrowLength(int pixels) {
    arrowLength_ = std::max(0, pixels);
    Changed();
}

void TPieSeries::SetMarksVisible(bool visible) {
    marksVisible_ = visible;
    Changed();
}

int TPieSeries::SliceAt(const QRectF& area, const QFontMetricsF& metrics,
                        const QPointF& pixel) const {
    const SeriesPainter::TPieGeometry geometry = SeriesPainter::PieGeometry(*this, area, metrics);
    for (int i = 0; i < int(geometry.StartAngle.size()); ++i) {
        const QPointF centre =
            geometry.Centre + (i == geometry.Exploded ? geometry.ExplodeOffset : QPointF());
        const double dx = pixel.x() - centre.x();
        const double dy = centre.y() - pixel.y();
        if (std::hypot(dx, dy) > geometry.Radius)
            continue;
        double angle = std::atan2(dy, dx) * 180 / std::numbers::pi;
        if (angle < 0)
            angle += 360;
        if (angle >= geometry.StartAngle[i] &&
            angle < geometry.StartAngle[i] + geometry.SpanAngle[i])
            return i;
    }
    return -1;
}

void TPieSeries::Paint(QPainter& painter, const TChartTransform& transform) const {
    SeriesPainter::PaintPie(painter, *this, transform.PlotArea());
}
