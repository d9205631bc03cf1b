#include "platform/chart/ChartAxis.h"

#include "platform/errors/Exception.h"
#include "platform/regional/Regional.h"

TChartAxis::TChartAxis(TDataRange dataRange, TChanged changed)
    : dataRange_(std::move(dataRange)), changed_(std::move(changed)) {}

void TChartAxis::Refresh() const {
    if (!automatic_ || !stale_)
        return;
    stale_ = false;
    double low = 0;
    double high = 0;
    if (!dataRange_ || !dataRange_(low, high))
        low = high = 0;
    minimum_ = low;
    maximum_ = high;
}

void TChartAxis::Notify() const {
    if (changed_)
        changed_();
}

double TChartAxis::Minimum() const {
    Refresh();
    return minimum_;
}

double TChartAxis::Maximum() const {
    Refresh();
    return maximum_;
}

void TChartAxis::SetMinimum(double value) {
    if (value > Maximum())
        throw EInvalidOperation("Axis Minimum Value must be <= Maximum");
    minimum_ = value;
    Notify();
}

void TChartAxis::SetMaximum(double value) {
    if (value < Minimum())
        throw EInvalidOperation("Axis Maximum Value must be >= Minimum");
    maximum_ = value;
    Notify();
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
    if (maximum < minimum)
        throw EInvalidOperation("Axis Maximum Value must be >= Minimum");
    Refresh();
    minimum_ = minimum;
    maximum_ = maximum;
    Notify();
}

void TChartAxis::SetAutomatic(bool automatic) {
    automatic_ = automatic;
    if (automatic) {
        stale_ = true;
        Refresh();
    }
    Notify();
}

void TChartAxis::SetVisible(bool visible) {
    visible_ = visible;
    Notify();
}

void TChartAxis::SetTitle(const QString& title) {
    title_ = title;
    Notify();
}

void TChartAxis::SetDateTime(bool dateTime) {
    dateTime_ = dateTime;
    Notify();
}

void TChartAxis::SetDateTimeFormat(const QString& format) {
    dateTimeFormat_ = format;
    Notify();
}

void TChartAxis::SetValueFormat(const QString& format) {
    valueFormat_ = format;
    Notify();
}

QString TChartAxis::LabelText(double value) const {
    if (dateTime_)
        return dateTimeFormat_.isEmpty() ? Regional::DateTimeToStr(value)
                                         : Regional::FormatDateTime(dateTimeFormat_, value);
    return Regional::FormatFloat(valueFormat_, value);
}
