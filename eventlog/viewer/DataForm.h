#pragma once

#include "eventlog/store/ChartSeriesLinks.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PieSeries.h"
#include "platform/chart/PointSeries.h"
#include "platform/ui/FileDialogs.h"
#include "ui_DataForm.h"

#include <QPrinter>
#include <QWidget>
#include <memory>
#include <vector>

class TDataModule1;
class TStelpodLink;

// The event log window: the table as a grid and a chart, the filter
// controls, printing, export and import, and the download.
class TDataForm : public QWidget {
    Q_OBJECT
public:
    explicit TDataForm(QWidget* parent = nullptr);

    // The main window's link to the Stelpod and the data module, which exist
    // only after the log window was created.
    void SetPeers(TStelpodLink* link, TDataModule1* dataModule);

    Ui::TDataForm ui;
    // The series of Chart1, in the chart's order: the pie, the power-level
    // band, the voltage line and the seven event markers.
    TPieSeries* const Series1;
    TLineSeries* const Series10;
    TLineSeries* const Series2;
    TPointSeries* const Series3;
    TPointSeries* const Series4;
    TPointSeries* const Series5;
    TPointSeries* const Series6;
    TPointSeries* const Series7;
    TPointSeries* const Series8;
    TPointSeries* const Series9;

    // The series that every opening of the view refills.
    TChartSeriesLinks VoltageSeries() const;

    void FormResize(QObject* Sender);
    void DownLoadButtonClick(QObject* Sender);

    // Sort and filter of the view.
    // Takes its own copy of the name: closing the view frees the fields.
    void DBGrid1TitleClick(QString fieldName);
    void wijzigenvermogensstandenClick(QObject* Sender);
    void EndDateEditEnter(QObject* Sender);
    void DateOkButtonClick(QObject* Sender);

    // Chart modes, navigation and printing.
    void AccuRadioButtonClick(QObject* Sender);
    void PowerstandenRadioButtonClick(QObject* Sender);
    void Chart1Scroll(QObject* Sender);
    void Chart1Zoom(QObject* Sender);
    void Chart1UndoZoom(QObject* Sender);
    void Chart1MouseWheel(QObject* Sender, Qt::KeyboardModifiers Shift, int WheelDelta,
                          QPoint MousePos, bool& Handled);
    void Chart1MouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void PrintBTNClick(QObject* Sender);

    // Export and import of the event log text file.
    void ExportBTNClick(QObject* Sender);
    void ImportBTNClick(QObject* Sender);

    TSaveDialog SaveDialog1;
    TOpenDialog OpenDialog1;

    // The printer that "Print" prints on; tests direct it to a file. It is
    // made on first use, so start-up does not load the print system.
    QPrinter& Printer();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUpChart();
    void setUpAnchors();
    void bindEvents();
    std::vector<QCheckBox*> filterBoxes() const;
    std::vector<TChartSeries*> voltageViewSeries() const;

    std::unique_ptr<QPrinter> printer_;
    TStelpodLink* link_ = nullptr;
    TDataModule1* dataModule_ = nullptr;
};
