#include "platform/chart/ChartSeries.h"

#include "platform/chart/Chart.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

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

void TChartSeries::AddXY(double x, double y, const QString& label, TColor color) {
    if (orderedByX_ && !x_.empty() && x < x_.back())
        ordered_ = false;
    x_.push_back(x);
    y_.push_back(y);
    colors_.push_back(color);
    if (!label.isEmpty() || !labels_.empty()) {
        labels_.resize(x_.size() - 1);
        labels_.push_back(label);
    }
    Changed();
}

void TChartSeries::Order() const {
    if (ordered_)
        return;
    // A stable sort keeps points of equal x in the order of adding.
    std::vector<size_t> order(x_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return x_[a] < x_[b]; });
    const auto permute = [&order](auto& values) {
        std::remove_reference_t<decltype(values)> sorted;
        sorted.reserve(values.size());
        for (size_t from : order)
            sorted.push_back(std::move(values[from]));
        values.swap(sorted);
    };
    permute(x_);
    permute(y_);
    permute(colors_);
    if (!labels_.empty())
        permute(labels_);
    ordered_ = true;
}

const std::vector<double>& TChartSeries::XValues() const {
    Order();
    return x_;
}

const std::vector<double>& TChartSeries::YValues() const {
    Order();
    return y_;
}

const QString& TChartSeries::Label(int index) const {
    Order();
    static const QString none;
    if (index < 0 || index >= Count())
        throw std::out_of_range("TChartSeries::Label");
    return labels_.empty() ? none : labels_[size_t(index)];
}

void TChartSeries::Clear() {
    x_.clear();
    y_.clear();
    labels_.clear();
    colors_.clear();
    ordered_ = true;
    Changed();
}

void TChartSeries::SetYValue(int index, double y) {
    Order();
    double& value = y_.at(index);
    if (value == y)
        return;
    value = y;
    Changed();
}

TColor TChartSeries::ValueColor(int index) const {
    Order();
    const TColor color = colors_.at(index);
    return color == clTeeColor ? seriesColor_ : color;
}

bool TChartSeries::XRange(double& minimum, double& maximum) const {
    if (x_.empty())
        return false;
    Order();
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
