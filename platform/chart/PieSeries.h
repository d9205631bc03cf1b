#pragma once

#include "platform/chart/ChartSeries.h"

#include <QFontMetricsF>
#include <QRectF>

// A circular pie, one slice per point (the point's y value), in the order the
// slices were added. Each slice has its own colour and a mark with its label,
// joined to the slice by an arrow; the biggest slice is pushed out of the
// circle. Activating the pie in a chart hides the axes and switches the
// chart's zoom and panning off; deactivating it does the reverse.
class TPieSeries : public TChartSeries {
    Q_OBJECT
  public:
    explicit TPieSeries(QObject* parent = nullptr);

    // Adds a slice and returns its index.
    int AddPie(double value, const QString& label, TColor color);
    double PieValue(int index) const { return YValue(index); }

    // Push of the biggest slice out of the circle, in percent of the radius.
    int ExplodeBiggest() const { return explodeBiggest_; }
    void SetExplodeBiggest(int percent);
    // Length of the arrows from the slices to their marks, in pixels.
    int ArrowLength() const { return arrowLength_; }
    void SetArrowLength(int pixels);
    bool MarksVisible() const { return marksVisible_; }
    void SetMarksVisible(bool visible);

    // The slice under a pixel of the area the pie was painted in with a font
    // of these metrics, or -1.
    int SliceAt(const QRectF& area, const QFontMetricsF& metrics, const QPointF& pixel) const;

    bool UsesAxes() const override { return false; }
    void Paint(QPainter& painter, const TChartTransform& transform) const override;

  private:
    int explodeBiggest_ = 10;
    int arrowLength_ = 8;
    bool marksVisible_ = true;
};
