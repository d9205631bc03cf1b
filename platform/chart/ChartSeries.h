#pragma once

#include "platform/chart/ChartColor.h"

#include <QObject>
#include <QString>
#include <vector>

class QPainter;
class TChart;
class TChartTransform;

// What every series of the chart has: a title, a colour, the Active switch
// and its points (x, y, text label, colour). Line and point series keep their
// points by ascending x; the pie keeps the order in which slices are added.
// A series can be filled and painted without a chart; once added to one it
// tells the chart about every change so that it redraws.
//
// Points added out of x order are put in their places when the points are
// next read, all at once: a view sorted other than by time adds tens of
// thousands of points in any order, and inserting each at its place would
// move the whole array every time.
class TChartSeries : public QObject {
    Q_OBJECT
  public:
    ~TChartSeries() override;

    TChart* ParentChart() const { return chart_; }

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }

    // An inactive series is not drawn and does not count in the automatic
    // axis ranges.
    bool Active() const { return active_; }
    void SetActive(bool active);

    TColor SeriesColor() const { return seriesColor_; }
    void SetSeriesColor(TColor color);

    // Every point keeps the colour it was added with.
    bool ColorEachPoint() const { return colorEachPoint_; }
    void SetColorEachPoint(bool on);

    // Adds a point. Line and point series place it by ascending x, after any
    // points of the same x; the pie appends it.
    void AddXY(double x, double y, const QString& label = QString(), TColor color = clTeeColor);
    // Removes all points.
    void Clear();
    int Count() const { return int(x_.size()); }

    double XValue(int index) const { return XValues().at(index); }
    double YValue(int index) const { return YValues().at(index); }
    // Setting the value a point has already changes nothing.
    void SetYValue(int index, double y);
    const QString& Label(int index) const;
    // The colour point `index` is painted in: the colour it was added with,
    // or the series colour for a point added with clTeeColor.
    TColor ValueColor(int index) const;
    TColor Color(int index) const { return ValueColor(index); }

    // Whole arrays, for painting and for the axis ranges.
    const std::vector<double>& XValues() const;
    const std::vector<double>& YValues() const;

    // Smallest and largest x and y; false for a series without points.
    bool XRange(double& minimum, double& maximum) const;
    bool YRange(double& minimum, double& maximum) const;

    // Whether the series is drawn against the axes (the pie is not).
    virtual bool UsesAxes() const { return true; }
    virtual void Paint(QPainter& painter, const TChartTransform& transform) const = 0;

  protected:
    explicit TChartSeries(bool orderedByX, QObject* parent);
    void Changed();

  private:
    friend class TChart;

    // Puts points added out of x order in their places.
    void Order() const;

    bool orderedByX_;
    TChart* chart_ = nullptr;
    QString title_;
    bool active_ = true;
    TColor seriesColor_ = clRed;
    bool colorEachPoint_ = false;
    // The points; labels_ stays empty until a point has a label, as the
    // chart's own points have none.
    mutable std::vector<double> x_;
    mutable std::vector<double> y_;
    mutable std::vector<QString> labels_;
    mutable std::vector<TColor> colors_;
    mutable bool ordered_ = true;
    mutable bool yRangeValid_ = false;
    mutable double yMin_ = 0;
    mutable double yMax_ = 0;
};
