#pragma once

#include <QString>
#include <functional>

// One axis of the chart: its range, whether the range follows the data
// (Automatic), and how it labels its values. The data range comes from the
// chart (the active series' smallest and largest values).
class TChartAxis {
  public:
    // Gives the data's range on this axis; false when no active series has
    // points (the automatic range is then 0 to 0).
    using TDataRange = std::function<bool(double& minimum, double& maximum)>;
    // Called after every change of range or looks, so that the chart redraws.
    using TChanged = std::function<void()>;

    TChartAxis(TDataRange dataRange, TChanged changed);

    // The range in force; an automatic axis takes it from the data first
    // when the data changed.
    double Minimum() const;
    double Maximum() const;
    // Refused with EInvalidOperation "Axis Minimum Value must be <= Maximum"
    // for a minimum above the current maximum, "Axis Maximum Value must be
    // >= Minimum" for a maximum below the current minimum.
    void SetMinimum(double value);
    void SetMaximum(double value);
    // Both at once, checked against each other only.
    void SetMinMax(double minimum, double maximum);

    bool Automatic() const { return automatic_; }
    // Switching it on also takes the range from the data now.
    void SetAutomatic(bool automatic);
    // The chart calls it when series data change.
    void DataChanged() { stale_ = true; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);

    // Labels: a date-time axis writes its values with DateTimeFormat (the
    // class library's date-time format), any other with ValueFormat (its
    // number format).
    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool dateTime);
    const QString& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const QString& format);
    const QString& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const QString& format);
    QString LabelText(double value) const;

  private:
    void Refresh() const;
    void Notify() const;

    TDataRange dataRange_;
    TChanged changed_;
    mutable double minimum_ = 0;
    mutable double maximum_ = 0;
    bool automatic_ = true;
    mutable bool stale_ = true;
    bool visible_ = true;
    QString title_;
    bool dateTime_ = false;
    QString dateTimeFormat_;
    QString valueFormat_ = "#,##0.###";
};
