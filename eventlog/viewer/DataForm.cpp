#include "eventlog/viewer/DataForm.h"

#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventRecord.h"
#include "eventlog/store/PowerLevelColor.h"
#include "eventlog/viewer/EventLogFile.h"
#include "eventlog/viewer/EventLogImport.h"
#include "eventlog/viewer/StelpodLink.h"
#include "eventlog/viewer/ViewStatement.h"
#include "platform/chart/ChartColor.h"
#include "platform/ui/Anchors.h"
#include "platform/ui/Handler.h"
#include "platform/regional/Regional.h"
#include "platform/ui/MessageDlg.h"
#include "tools/pictures/Pictures.h"

#include <QResizeEvent>
#include <cmath>
#include <vector>

namespace {

// The chart is 160 pixels narrower than the window's outer width. The rule
// is kept on the client width, with the design's frame of 8 pixels (an outer
// width of 800 for a client width of 792), so the chart does not depend on
// how wide a window manager draws its frames.
constexpr int kChartWidthMargin = 160;
constexpr int kDesignFrameWidth = 8;

QRgb rgb(int red, int green, int blue) {
    return qRgb(red, green, blue);
}

TColor colorOf(int red, int green, int blue) {
    return QColorToColor(QColor(rgb(red, green, blue)));
}

void setUpMarkers(TPointSeries* series, const QString& title, TColor color,
                  TSeriesPointerStyle style, TColor fill) {
    series->SetTitle(title);
    series->SetSeriesColor(color);
    series->SetPointerStyle(style);
    series->SetPointerColor(fill);
}

} // namespace

TDataForm::TDataForm(QWidget* parent)
    : QWidget(parent, Qt::Window), Series1(new TPieSeries(this)), Series10(new TLineSeries(this)),
      Series2(new TLineSeries(this)), Series3(new TPointSeries(this)),
      Series4(new TPointSeries(this)), Series5(new TPointSeries(this)),
      Series6(new TPointSeries(this)), Series7(new TPointSeries(this)),
      Series8(new TPointSeries(this)), Series9(new TPointSeries(this)) {
    ui.setupUi(this);
    setWindowTitle(QStringLiteral("DataForm"));
    setUpChart();
    setUpAnchors();
    bindEvents();
    setMinimumSize(size());
    move(316, 254);
}

void TDataForm::bindEvents() {
    BindEvent(ui.DownLoadButton, &QPushButton::clicked, this,
              [this] { DownLoadButtonClick(ui.DownLoadButton); });
    BindEvent(ui.DateOkButton, &QPushButton::clicked, this,
              [this] { DateOkButtonClick(ui.DateOkButton); });
    BindEvent(ui.ExportBTN, &QPushButton::clicked, this, [this] { ExportBTNClick(ui.ExportBTN); });
    BindEvent(ui.ImportBTN, &QPushButton::clicked, this, [this] { ImportBTNClick(ui.ImportBTN); });
    BindEvent(ui.PrintBTN, &QPushButton::clicked, this, [this] { PrintBTNClick(ui.PrintBTN); });
    ui.AccuRadioButton->OnClick = Bind(this, &TDataForm::AccuRadioButtonClick);
    ui.PowerstandenRadioButton->OnClick = Bind(this, &TDataForm::PowerstandenRadioButtonClick);
    ui.Chart1->OnScroll = Bind(this, &TDataForm::Chart1Scroll);
    ui.Chart1->OnZoom = Bind(this, &TDataForm::Chart1Zoom);
    ui.Chart1->OnUndoZoom = Bind(this, &TDataForm::Chart1UndoZoom);
    ui.Chart1->OnMouseWheel = [this](QObject* sender, Qt::KeyboardModifiers shift, int delta,
                                     QPoint position, bool& handled) {
        Chart1MouseWheel(sender, shift, delta, position, handled);
    };
    ui.Chart1->OnMouseMove = [this](QObject* sender, Qt::KeyboardModifiers shift, int x, int y) {
        Chart1MouseMove(sender, shift, x, y);
    };
    ui.DBGrid1->OnTitleClick = [this](const QString& fieldName) { DBGrid1TitleClick(fieldName); };
    for (QCheckBox* box : filterBoxes())
        BindEvent(box, &QCheckBox::clicked, this, [this, box] { wijzigenvermogensstandenClick(box); });
    for (TMaskEdit* edit : {ui.StartDateEdit, ui.EndDateEdit}) {
        edit->OnChange = Bind(this, &TDataForm::wijzigenvermogensstandenClick);
        edit->OnEnter = Bind(this, &TDataForm::EndDateEditEnter);
    }
}

std::vector<QCheckBox*> TDataForm::filterBoxes() const {
    return {ui.wijzigenvermogensstanden, ui.Accusamples,      ui.Startladen,
            ui.Eindeconstcurrent,        ui.Ladenklaar,       ui.Verbindingverbroken,
            ui.Inschakelvoltage,         ui.Uitschakelvoltage, ui.Shutoffvoltage,
            ui.DatumTijd};
}

void TDataForm::SetPeers(TStelpodLink* link, TDataModule1* dataModule) {
    link_ = link;
    dataModule_ = dataModule;
    ui.DBGrid1->SetDataSource(dataModule->DataDataSource);
}

TChartSeriesLinks TDataForm::VoltageSeries() const {
    return {Series2, Series3, Series4, Series5, Series6, Series7, Series8, Series9, Series10};
}

void TDataForm::setUpChart() {
    TChart* chart = ui.Chart1;
    chart->SetChartColor(palette().color(QPalette::Button));
    chart->SetBackWallColor(palette().color(QPalette::Button));
    chart->SetBackWallBrush(QBrush(Qt::white));
    chart->SetBackImage(QPixmap(Pictures::ChartBackground));
    chart->SetMargins(0, 0, 5, 0);
    chart->BottomAxis().SetDateTime(true);
    chart->BottomAxis().SetDateTimeFormat(QStringLiteral("dd-MM-yy/hh:mm:ss"));
    chart->LeftAxis().SetTitle(QStringLiteral("Accu Voltage (Volt)"));
    chart->LeftAxis().SetValueFormat(QStringLiteral("#,#0.#0"));

    Series1->SetTitle(QStringLiteral("Vermogens"));
    Series1->SetSeriesColor(clRed);
    Series1->SetMarksVisible(true);
    Series1->SetArrowLength(8);
    Series1->SetExplodeBiggest(10);
    Series1->SetActive(false);

    Series10->SetTitle(QStringLiteral("Vermogensstand"));
    Series10->SetSeriesColor(clLime);
    Series10->SetColorEachPoint(true);
    Series10->SetLineWidth(6);

    Series2->SetTitle(QStringLiteral("Accuspanning"));
    Series2->SetSeriesColor(colorOf(255, 128, 128));
    Series2->SetLineWidth(2);

    using Style = TSeriesPointerStyle;
    setUpMarkers(Series3, QStringLiteral("Start laden"), clGreen, Style::psTriangle, clYellow);
    setUpMarkers(Series4, QStringLiteral("Einde const. current"), clYellow, Style::psTriangle,
                 colorOf(255, 128, 0));
    setUpMarkers(Series5, QStringLiteral("Einde const. voltage"), clBlue, Style::psRectangle,
                 clLime);
    setUpMarkers(Series6, QStringLiteral("Verbinding verbroken"), clWhite, Style::psDownTriangle,
                 clRed);
    setUpMarkers(Series7, QStringLiteral("Inschakelen"), clGray, Style::psCircle, clLime);
    setUpMarkers(Series8, QStringLiteral("Uitschakelen"), clFuchsia, Style::psCircle, clRed);
    setUpMarkers(Series9, QStringLiteral("Auto Shutoff"), clTeal, Style::psCircle, clBlue);

    for (TChartSeries* series : std::initializer_list<TChartSeries*>{
             Series1, Series10, Series2, Series3, Series4, Series5, Series6, Series7, Series8,
             Series9})
        chart->AddSeries(series);
}

void TDataForm::setUpAnchors() {
    const TAnchors leftBottom = akLeft | akBottom;
    const TAnchors rightBottom = akRight | akBottom;
    const TAnchors topRight = akTop | akRight;
    SetAnchors(ui.Chart1, akLeft | akTop | akBottom);
    SetAnchors(ui.Bevel1, akLeft | akRight | akBottom);
    SetAnchors(ui.Image1, topRight);
    SetAnchors(ui.Panel1, topRight);
    SetAnchors(ui.Image2, rightBottom);
    SetAnchors(ui.PrintBTN, rightBottom);
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui.DBGrid1, ui.ImportBTN, ui.ExportBTN, ui.DownLoadButton,
                                         ui.DownLoadBar, ui.wijzigenvermogensstanden,
                                         ui.Accusamples, ui.Startladen, ui.Eindeconstcurrent,
                                         ui.Ladenklaar, ui.Verbindingverbroken,
                                         ui.Inschakelvoltage, ui.Uitschakelvoltage,
                                         ui.Shutoffvoltage, ui.DatumTijd, ui.vanLabel,
                                         ui.StartDateEdit, ui.totLabel, ui.EndDateEdit,
                                         ui.DateOkButton})
        SetAnchors(control, leftBottom);
}

void TDataForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RunHandler([this] { FormResize(this); });
}

void TDataForm::FormResize(QObject*) {
    const int outerWidth = width() + kDesignFrameWidth;
    ui.Chart1->resize(std::max(outerWidth - kChartWidthMargin, 0), ui.Chart1->height());
}

void TDataForm::DownLoadButtonClick(QObject*) {
    if (!link_->IsConnected()) {
        MessageDlg(QStringLiteral("Er is geen verbinding met een stelpod."),
                   TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return;
    }
    dataModule_->DataIBTransaction->Commit();
    dataModule_->LocalIBTransaction->SetActive(true);
    ui.DownLoadBar->show();
    ui.DownLoadBar->SetPosition(0);
    link_->SendString(QStringLiteral("M"));
}

void TDataForm::DBGrid1TitleClick(QString fieldName) {
    TIBDataSet* view = dataModule_->DataIBDataSet;
    view->Close();
    TStringList& statement = view->SelectSQL();
    const int last = statement.Count() - 1;
    statement.SetStrings(last, ViewStatement::SortLine(statement.Strings(last), fieldName));
    view->Open();
}

void TDataForm::wijzigenvermogensstandenClick(QObject*) {
    ui.DateOkButton->setEnabled(true);
    const bool range = ui.DatumTijd->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{ui.StartDateEdit, ui.EndDateEdit,
                                                            ui.vanLabel, ui.totLabel})
        control->setVisible(range);
}

void TDataForm::EndDateEditEnter(QObject*) {
    dataModule_->DataIBDataSet->Close();
}

void TDataForm::DateOkButtonClick(QObject*) {
    if (ui.StartDateEdit->text().contains(QLatin1Char(' ')) ||
        ui.EndDateEdit->text().contains(QLatin1Char(' ')))
        return;
    TIBDataSet* view = dataModule_->DataIBDataSet;
    view->Close();
    TStringList& statement = view->SelectSQL();
    const QString orderLine = statement.Strings(statement.Count() - 1);

    // The kind boxes in the order in which their lines are added, with the
    // kind each selects.
    const std::pair<QCheckBox*, const QString&> kindBoxes[] = {
        {ui.Accusamples, EventKind::AccuSample},
        {ui.Startladen, EventKind::StartLaden},
        {ui.Eindeconstcurrent, EventKind::EindeCurrent},
        {ui.Ladenklaar, EventKind::EindeVoltage},
        {ui.Verbindingverbroken, EventKind::VerbindingVerbroken},
        {ui.Inschakelvoltage, EventKind::Inschakel},
        {ui.Uitschakelvoltage, EventKind::Uitschakel},
        {ui.Shutoffvoltage, EventKind::Shutoff},
        {ui.wijzigenvermogensstanden, EventKind::PowerLevel}};
    QStringList kinds;
    for (const auto& [box, kind] : kindBoxes)
        if (box->isChecked())
            kinds << kind;
    std::optional<std::pair<QString, QString>> range;
    if (ui.DatumTijd->isChecked())
        range = std::make_pair(ui.StartDateEdit->text(), ui.EndDateEdit->text());
    // With no kind there is nothing to show; the statement keeps its last
    // form, which every later opening of the view runs.
    if (kinds.isEmpty()) {
        MessageDlg(QStringLiteral("Er is geen data om weer te geven."), TMsgDlgType::mtInformation,
                   {TMsgDlgBtn::mbOK});
        return;
    }
    statement.Assign(ViewStatement::Filtered(kinds, range, orderLine));
    view->Open();
    ui.DateOkButton->setEnabled(false);
}

void TDataForm::AccuRadioButtonClick(QObject*) {
    Series1->SetActive(false);
    for (TChartSeries* series : voltageViewSeries())
        series->SetActive(true);
}

// The pie counts the power levels over the whole table, whatever the view's
// filter: one slice per distinct value of the power-level rows.
void TDataForm::PowerstandenRadioButtonClick(QObject*) {
    Series1->Clear();
    for (TChartSeries* series : voltageViewSeries())
        series->SetActive(false);
    TIBQuery* query = dataModule_->LocalIBQuery;
    query->Close();
    query->SQL().Clear();
    query->SQL().Add(QStringLiteral("SELECT DATA FROM DATATBL"));
    query->SQL().Add(QStringLiteral("WHERE AKTIE = ") +
                     ViewStatement::Quoted(EventKind::PowerLevel));
    query->SQL().Add(QStringLiteral("GROUP BY DATA"));
    query->Open();
    query->Last();
    const int values = query->RecNo();
    if (values > 0) {
        QStringList levels;
        query->First();
        for (int pass = 0; pass < values; ++pass) {
            levels << query->FieldByName(QStringLiteral("DATA")).AsString();
            query->Next();
        }
        Series1->SetActive(false);
        for (const QString& level : levels) {
            query->Close();
            query->SQL().Clear();
            query->SQL().Add(QStringLiteral("SELECT * FROM DATATBL"));
            query->SQL().Add(QStringLiteral("WHERE DATA =") + ViewStatement::Quoted(level));
            query->Open();
            query->Last();
            const TColor color = PowerLevelColor(Regional::StrToInt(level.left(level.size() - 1)));
            Series1->AddPie(query->RecNo(), QStringLiteral("Vermogensstand: ") + level, color);
        }
    }
    Series1->SetActive(true);
}

std::vector<TChartSeries*> TDataForm::voltageViewSeries() const {
    return {Series2, Series3, Series4, Series5, Series6, Series7, Series8, Series9, Series10};
}

// The power-level band lies 1 % of the visible voltage span above the
// bottom of the visible range.
void TDataForm::Chart1Scroll(QObject*) {
    if (Series10->Count() == 0)
        return;
    // The axis is read once, as the handler starts: moving the band changes
    // an automatic axis's range.
    const TChartAxis& axis = ui.Chart1->LeftAxis();
    const double y = axis.Minimum() + (axis.Maximum() - axis.Minimum()) / 100.0f;
    for (int i = 0; i < Series10->Count(); ++i)
        Series10->SetYValue(i, y);
}

void TDataForm::Chart1Zoom(QObject* Sender) {
    Chart1Scroll(Sender);
}

void TDataForm::Chart1UndoZoom(QObject* Sender) {
    ui.Chart1->LeftAxis().SetAutomatic(true);
    ui.Chart1->BottomAxis().SetAutomatic(true);
    Chart1Scroll(Sender);
}

// One wheel step zooms both ranges to 85 % (away from the user) or 115 %
// about the point under the cursor.
void TDataForm::Chart1MouseWheel(QObject* Sender, Qt::KeyboardModifiers, int WheelDelta, QPoint,
                                 bool& Handled) {
    TChart* chart = ui.Chart1;
    const QPoint cursor = chart->CursorPos();
    // The client rectangle's right and bottom edges in the class library's
    // sense, its width and height; Qt's right() and bottom() lie one inside.
    const QRect client = chart->ClientRect();
    const double fx = double(cursor.x()) / client.width();
    const double fy = double(cursor.y()) / client.height();
    TChartAxis& left = chart->LeftAxis();
    TChartAxis& bottom = chart->BottomAxis();
    double spanY = left.Maximum() - left.Minimum();
    double spanX = bottom.Maximum() - bottom.Minimum();
    const double cx = fx * spanX + bottom.Minimum();
    const double cy = left.Maximum() - fy * spanY;
    const long double factor = WheelDelta > 0 ? 0.85L : 1.15L;
    spanY = double(spanY * factor);
    spanX = double(spanX * factor);
    left.SetMaximum(cy + spanY / 2.0f);
    left.SetMinimum(cy - spanY / 2.0f);
    bottom.SetMaximum(cx + spanX / 2.0f);
    bottom.SetMinimum(cx - spanX / 2.0f);
    left.SetAutomatic(false);
    bottom.SetAutomatic(false);
    Chart1Scroll(Sender);
    Handled = true;
}

void TDataForm::Chart1MouseMove(QObject*, Qt::KeyboardModifiers, int, int) {
    ui.Chart1->setFocus();
}

QPrinter& TDataForm::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void TDataForm::PrintBTNClick(QObject*) {
    ui.Chart1->PrintLandscape(&Printer());
}

namespace {

const QString kTextFiles = QStringLiteral("Textfiles (*.txt)|*.txt");

} // namespace

// Writes the rows of the view, in its order, as the event log text file.
void TDataForm::ExportBTNClick(QObject*) {
    SaveDialog1.Title = QStringLiteral("Gegevens opslaan als...");
    SaveDialog1.DefaultExt = QStringLiteral("txt");
    SaveDialog1.FileName = QStringLiteral("File1.txt");
    SaveDialog1.Filter = kTextFiles;
    if (!SaveDialog1.Execute())
        return;
    TIBDataSet* view = dataModule_->DataIBDataSet;
    QStringList lines;
    static const char* const columns[] = {"ID", "DATUM", "TIJD", "AKTIE", "DATA"};
    for (view->First(); !view->Eof(); view->Next()) {
        QStringList fields;
        for (const char* column : columns)
            fields << view->FieldByName(QString::fromLatin1(column)).AsString();
        lines << fields.join(QLatin1Char(';'));
    }
    EventLogFile::WriteFile(SaveDialog1.FileName, EventLogFile::Join(lines));
    MessageDlg(QStringLiteral("De gegevens uit de tabel zijn succesvol geexporteerd."),
               TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

// Replaces the whole table by the rows of a text file. Every line is
// converted before the table is touched, and the deletion and the new rows
// become permanent in one commit, so a file that fails changes nothing.
void TDataForm::ImportBTNClick(QObject*) {
    OpenDialog1.Title = QStringLiteral("Selecteer bestand voor import");
    OpenDialog1.DefaultExt = QStringLiteral("txt");
    OpenDialog1.Filter = kTextFiles;
    if (!OpenDialog1.Execute())
        return;
    if (MessageDlg(QStringLiteral("U staat op het punt om de gegevens uit de tabel te wissen en\r"
                                  "te vullen met de gegevens uit het gekozen bestand.\r\r"
                                  "Wilt u doorgaan?"),
                   TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return;
    TEventLogImport file;
    file.Read(OpenDialog1.FileName);

    dataModule_->DataIBTransaction->Commit();
    TIBTransaction* local = dataModule_->LocalIBTransaction;
    const bool localWasRunning = local->InTransaction();
    local->SetActive(true);
    TIBSQL* statement = dataModule_->LocalIBSQL;
    try {
        statement->SQL().Clear();
        statement->SQL().Add(QStringLiteral("DELETE FROM DATATBL"));
        statement->ExecQuery();
        statement->SQL().Assign(TDataModule1::InsertionLines());
        statement->Prepare();
        file.Insert(*statement);
        if (local->InTransaction())
            local->CommitRetaining();
    } catch (...) {
        // The engine refused a step: the deletion and the rows inserted so
        // far are undone together, the insertion is set again for later
        // downloads, and the view shows the table as it was.
        try {
            if (localWasRunning)
                local->RollbackRetaining();
            else
                local->Rollback();
            statement->SQL().Assign(TDataModule1::InsertionLines());
            dataModule_->DataIBDataSet->Open();
        } catch (const std::exception&) {
            // The engine's first refusal is the one to report.
        }
        throw;
    }
    dataModule_->DataIBDataSet->Open();
    ui.Chart1->UndoZoom();
    MessageDlg(QStringLiteral("De gegevens uit het bestand zijn succesvol geimporteerd."),
               TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}
