#pragma once

#include "platform/chart/ChartSeries.h"

enum class TSeriesPointerStyle { psRectangle, psCircle, psTriangle, psDownTriangle };

// A marker at every point: outlined in the series colour and filled with the
// marker fill colour (with each point's own colour when ColorEachPoint is on).
class TPointSeries : public TChartSeries {
    Q_OBJECT
  public:
    explicit TPointSeries(QObject* parent = nullptr);

    TSeriesPointerStyle PointerStyle() const { return style_; }
    void SetPointerStyle(TSeriesPointerStyle style);
    TColor PointerColor() const { return fillColor_; }
    void SetPointerColor(TColor color);
    // Half the marker's width and height, in pixels.
    int PointerSize() const { return size_; }
    void SetPointerSize(int size);

    // The fill colour of point `index`'s marker.
    TColor FillColor(int index) const;

    void Paint(QPainter& painter, const TChartTransform& transform) const override;

  private:
    TSeriesPointerStyle style_ = TSeriesPointerStyle::psRectangle;
    TColor fillColor_ = clWhite;
    int size_ = 4;
};
