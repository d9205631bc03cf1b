#pragma once

#include "platform/chart/ChartSeries.h"

// A line through the points in x order. Each segment is drawn in the colour
// of the point at which it ends, whether the series colours each point or
// not.
class TLineSeries : public TChartSeries {
    Q_OBJECT
  public:
    explicit TLineSeries(QObject* parent = nullptr);

    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int width);

    void Paint(QPainter& painter, const TChartTransform& transform) const override;

  private:
    int lineWidth_ = 1;
};
