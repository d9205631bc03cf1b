#pragma once

#include <QBrush>
#include <QColor>
#include <QFontMetricsF>
#include <QPixmap>
#include <QRectF>
#include <vector>

class QPainter;
class TChartAxis;
class TChartTransform;

// Paint functions for the chart's frame: the layout of the plot area, the
// back wall with its picture, and the axes with their ticks, grid lines,
// labels and titles. Each takes the painter and the transform it draws with.
namespace ChartPainter {

// The plot area inside `target` after the margins (percent of the target's
// width and height: left, top, right, bottom) and the room that the visible
// axes' labels and titles need.
QRectF PlotArea(const QRectF& target, const int margins[4], const QFontMetricsF& metrics,
                const TChartAxis& left, const TChartAxis& bottom);

// Where the axes put their ticks for this transform and font.
std::vector<double> LeftTicks(const TChartAxis& left, const TChartTransform& transform,
                              const QFontMetricsF& metrics);
std::vector<double> BottomTicks(const TChartAxis& bottom, const TChartTransform& transform,
                                const QFontMetricsF& metrics);

void PaintBackWall(QPainter& painter, const QRectF& area, const QColor& color, const QBrush& brush,
                   const QPixmap& picture);
// Grid lines at the ticks of the visible axes, under the series.
void PaintGrid(QPainter& painter, const TChartTransform& transform, const TChartAxis& left,
               const TChartAxis& bottom);
// Axis lines, ticks, labels and titles of the visible axes, inside `target`.
void PaintAxes(QPainter& painter, const QRectF& target, const TChartTransform& transform,
               const TChartAxis& left, const TChartAxis& bottom);
// The rectangle shown while the user drags a zoom.
void PaintZoomRectangle(QPainter& painter, const QRectF& rectangle);

} // namespace ChartPainter
