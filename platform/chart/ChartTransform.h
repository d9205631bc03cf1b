#pragma once

#include <QPointF>
#include <QRectF>

// A range of values on one axis.
struct TAxisRange {
    double Minimum = 0;
    double Maximum = 0;
    bool operator==(const TAxisRange&) const = default;
};

// What a drag zoom saved for its undo: the axes' Automatic flags and ranges.
struct TZoomState {
    bool Saved = false;
    bool LeftAutomatic = true;
    bool BottomAutomatic = true;
    TAxisRange Left;
    TAxisRange Bottom;
};

// The one place where data values and pixels meet: the plot area in pixels
// and the visible ranges of the bottom (x) and left (y) axes. A range of zero
// width is drawn one unit wide either side of its value.
class TChartTransform {
  public:
    TChartTransform() = default;
    TChartTransform(const QRectF& plotArea, TAxisRange x, TAxisRange y);

    const QRectF& PlotArea() const { return area_; }
    const TAxisRange& XRange() const { return x_; }
    const TAxisRange& YRange() const { return y_; }
    // The ranges as drawn across the plot area (a zero-width one widened).
    TAxisRange DrawnXRange() const { return {xFrom_, FromPixelX(area_.right())}; }
    TAxisRange DrawnYRange() const { return {yFrom_, FromPixelY(area_.top())}; }

    double ToPixelX(double x) const { return area_.left() + (x - xFrom_) * xScale_; }
    double ToPixelY(double y) const { return area_.bottom() - (y - yFrom_) * yScale_; }
    QPointF ToPixel(double x, double y) const { return {ToPixelX(x), ToPixelY(y)}; }
    double FromPixelX(double px) const { return xFrom_ + (px - area_.left()) / xScale_; }
    double FromPixelY(double py) const { return yFrom_ + (area_.bottom() - py) / yScale_; }

    // The ranges that show the given pixel rectangle across the plot area.
    void ZoomedRanges(const QRectF& pixels, TAxisRange& x, TAxisRange& y) const;
    // The ranges after dragging the picture by `delta` pixels.
    void PannedRanges(const QPointF& delta, TAxisRange& x, TAxisRange& y) const;

  private:
    QRectF area_;
    TAxisRange x_;
    TAxisRange y_;
    double xFrom_ = 0;
    double xScale_ = 1;
    double yFrom_ = 0;
    double yScale_ = 1;
};
