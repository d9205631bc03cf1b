#include "platform/chart/ChartSeries.h"

#include "platform/chart/Chart.h"

#include <algorithm>

TChartSeries::TChartSeries(bool orderedByX, QObject* parent)
    : QObject(parent), orderedByX_(orderedByX) {}

TChartSeries::~TChartSeries() {
    if (chart_)
        chart_->RemoveSeries(this);
}

void TChartSeries::Changed() {
    yRangeValid_ = false;
    if (chart_)
        chart_->SeriesChanged();
}

void TChartSeries::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (chart_) {
        chart_->SeriesActiveChanged(this);
        chart_->SeriesChanged();
    }
}

void TChartSeries::SetSeriesColor(TColor color) {
    seriesColor_ = color;
    Changed();
}

void TChartSeries::SetColorEachPoint(bool on) {
    colorEachPoint_ = on;
    Changed();
}

int TChartSeries::AddXY(double x, double y, const QString& label, TColor color) {
    // Points of equal x keep the order in which they were added, so the new
    // point goes after all points whose x is not greater than its own.
    const auto at = orderedByX_ ? std::upper_bound(x_.begin(), x_.end(), x) : x_.end();
    const auto index = at - x_.begin();
    x_.insert(at, x);
    y_.insert(y_.begin() + index, y);
    labels_.insert(labels_.begin() + index, label);
    colors_.insert(colors_.begin() + index, color);
    Changed();
    return int(index);
}

void TChartSeries::Clear() {
    x_.clear();
    y_.clear();
    labels_.clear();
    colors_.clear();
    Changed();
}

void TChartSeries::SetYValue(int index, double y) {
    y_.at(index) = y;
    Changed();
}

TColor TChartSeries::ValueColor(int index) const {
    const TColor color = colors_.at(index);
    return color == clTeeColor ? seriesColor_ : color;
}

bool TChartSeries::XRange(double& minimum, double& maximum) const {
    if (x_.empty())
        return false;
    if (orderedByX_) {
        minimum = x_.front();
        maximum = x_.back();
    } else {
        const auto [low, high] = std::minmax_element(x_.begin(), x_.end());
        minimum = *low;
        maximum = *high;
    }
    return true;
}

bool TChartSeries::YRange(double& minimum, double& maximum) const {
    if (y_.empty())
        return false;
    if (!yRangeValid_) {
        const auto [low, high] = std::minmax_element(y_.begin(), y_.end());
        yMin_ = *low;
        yMax_ = *high;
        yRangeValid_ = true;
    }
    minimum = yMin_;
    maximum = yMax_;
    return true;
}
