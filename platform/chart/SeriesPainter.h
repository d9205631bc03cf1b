#pragma once

#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <vector>

class QPainter;
class TChartSeries;
class TChartTransform;
class TPieSeries;
class TPointSeries;

// Paint functions for the series, each taking the painter and the transform;
// the series classes' Paint calls them.
namespace SeriesPainter {

// A line through the points, each segment in the colour of the point at which
// it ends. Only the points over the part of the plot area the painter draws
// on (and one either side) are drawn, and within each pixel column a run of
// points of one colour is reduced to its first, lowest, highest and last
// point: the pen covers the same pixels, so the picture stays the same at
// any number of points.
void PaintLine(QPainter& painter, const TChartSeries& series, int width,
               const TChartTransform& transform);

// A marker at each point over the part of the plot area the painter draws
// on; markers that would land on the same pixel as the one before, in the
// same colour, are drawn once.
void PaintPoints(QPainter& painter, const TPointSeries& series, const TChartTransform& transform);

// Where the slices lie in an area: angles in degrees, counter-clockwise from
// three o'clock, in the order of the slices.
struct TPieGeometry {
    QPointF Centre;
    double Radius = 0;
    std::vector<double> StartAngle;
    std::vector<double> SpanAngle;
    int Exploded = -1;
    QPointF ExplodeOffset;
};
TPieGeometry PieGeometry(const TPieSeries& series, const QRectF& area,
                         const QFontMetricsF& metrics);
void PaintPie(QPainter& painter, const TPieSeries& series, const QRectF& area);

} // namespace SeriesPainter
