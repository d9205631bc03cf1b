#include "app/MainForm.h"

#include "app/ComportForm.h"
#include "app/StelpodProtocol.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/store/DatabasePath.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/regional/Regional.h"
#include "platform/ui/Handler.h"
#include "platform/ui/MessageDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTextDocument>

using namespace StelpodProtocol;

namespace {

// How long a running download waits for the unit's next line.
constexpr int kDownloadSilenceMs = 5000;

const QString kNotConnected = QStringLiteral("Er is geen verbinding met een stelpod.");

bool askYes(const QString& text, TMsgDlgType type) {
    return MessageDlg(text, type, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) == mrYes;
}

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent), MultiCommPortDriver1(new TMultiCommPortDriver(this)),
      ComTimer(new TTimer(this)), DownloadTimer(new TTimer(this)) {
    ui.setupUi(this);
    // The eleven instruction lines just fit the memo with a narrow margin.
    ui.Memo1->document()->setDocumentMargin(2);
    // The calibration voltage 36,00 with the regional decimal separator, so
    // that it converts under every regional setting.
    ui.Edit1->setText(Regional::FormatFloat(QStringLiteral("0.00"), 36));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    move(390, 220);

    MultiCommPortDriver1->SetHwFlow(THwFlowControl::hfNONE);
    MultiCommPortDriver1->SetInBufSize(65536);
    ComTimer->SetEnabled(false);
    ComTimer->SetInterval(300);
    DownloadTimer->SetEnabled(false);
    DownloadTimer->SetInterval(kDownloadSilenceMs);
    DatabaseFile = DatabasePath();
    bindEvents();
    setUpPanel();
    FormCreate(this);
}

TMainForm::~TMainForm() = default;

void TMainForm::SetPeers(TDataForm* dataForm, TDataModule1* dataModule,
                         TComportForm* comportForm) {
    dataForm_ = dataForm;
    dataModule_ = dataModule;
    comportForm_ = comportForm;
}

void TMainForm::bindEvents() {
    using namespace std::placeholders;
    MultiCommPortDriver1->OnReceiveData =
        std::bind(&TMainForm::MultiCommPortDriver1ReceiveData, this, _1, _2, _3);
    ComTimer->OnTimer = Bind(this, &TMainForm::ComTimerTimer);
    DownloadTimer->OnTimer = Bind(this, &TMainForm::DownloadTimerTimer);

    ui.SampleTijdSpinEdit->OnChange = Bind(this, &TMainForm::SampleTijdSpinEditChange);
    ui.TurnoffTijdSpinEdit->OnChange = Bind(this, &TMainForm::SampleTijdSpinEditChange);
    ui.NiMhRadioButton->OnClick = Bind(this, &TMainForm::NiMhRadioButtonClick);
    ui.LoodRadioButton->OnClick = Bind(this, &TMainForm::NiMhRadioButtonClick);
    for (TTrackBar* bar : {ui.TrackBar1, ui.TrackBar2, ui.TrackBar3})
        bar->OnChange = Bind(this, &TMainForm::TrackBar1Change);
    ui.UpDown1->OnClick = [this](QObject* sender, TUDBtnType button) {
        UpDown1Click(sender, button == TUDBtnType::btNext);
    };

    const auto onClick = [this](QAbstractButton* button, void (TMainForm::*handler)(QObject*)) {
        BindEvent(button, &QAbstractButton::clicked, this,
                  [this, button, handler] { (this->*handler)(button); });
    };
    onClick(ui.KalibButton, &TMainForm::KalibButtonClick);
    onClick(ui.WissenButton, &TMainForm::WissenButtonClick);
    onClick(ui.OkButton, &TMainForm::OkButtonClick);
    onClick(ui.AnnuleerButton, &TMainForm::AnnuleerButtonClick);
    onClick(ui.Button1, &TMainForm::Button1Click);
    onClick(ui.ResetBTN, &TMainForm::ResetBTNClick);
    onClick(ui.Start, &TMainForm::StartClick);
    onClick(ui.Button2, &TMainForm::Button2Click);
}

QString TMainForm::FirmwareText() const {
    return ui.FirmwareEdit->text();
}

// Every send that the user or a sequence starts gets its ten tries, also
// when it repeats the command that failed last.
void TMainForm::SendString(const QString& Cmd) {
    RetryCount = 10;
    if (!IsSaveWrite(Cmd))
        saveChainRunning_ = false;
    if (Cmd == QLatin1String("M"))
        downloadRunning_ = true;
    writeCommand(Cmd);
}

void TMainForm::writeCommand(const QString& Cmd) {
    if (Cmd == QLatin1String("H")) {
        ComTimer->SetInterval(500);
        RetryCount = 10;
    } else {
        ComTimer->SetInterval(300);
    }
    MultiCommPortDriver1->SendText((Cmd + QLatin1Char('\r')).toLatin1().toStdString(), ComPort);
    LastCommand = Cmd;
    ComTimer->SetEnabled(true);
}

void TMainForm::ComTimerTimer(QObject*) {
    RetryCount = std::max(RetryCount - 1, 0);
    if (RetryCount != 0) {
        writeCommand(LastCommand);
        return;
    }
    ComTimer->SetEnabled(false);
    saveChainRunning_ = false;
    // A download that never got an answer is not waited for any longer.
    if (LastCommand == QLatin1String("M"))
        downloadRunning_ = false;
    if (Connected)
        MessageDlg(QStringLiteral("Er is een communicatiefout opgetreden, probeer opnieuw."),
                   TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    else
        MessageDlg(QStringLiteral("Er is geen stelpod gedetecteerd op de door u gekozen compoort, "
                                  "probeer opnieuw."),
                   TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

void TMainForm::enableSaveButtons(bool enabled) {
    ui.OkButton->setEnabled(enabled);
    ui.AnnuleerButton->setEnabled(enabled);
}

bool TMainForm::ensureConnected() {
    if (!Connected)
        MessageDlg(kNotConnected, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    return Connected;
}

void TMainForm::SampleTijdSpinEditChange(QObject*) {
    enableSaveButtons(true);
}

void TMainForm::NiMhRadioButtonClick(QObject*) {
    enableSaveButtons(true);
}

void TMainForm::TrackBar1Change(QObject*) {
    const std::pair<TTrackBar*, TLabel*> levels[] = {
        {ui.TrackBar1, ui.P1Label}, {ui.TrackBar2, ui.P2Label}, {ui.TrackBar3, ui.P3Label}};
    for (const auto& [bar, label] : levels)
        label->setText(QString::number(BarPercentage(bar->Position())) + QLatin1Char('%'));
    enableSaveButtons(true);
}

void TMainForm::UpDown1Click(QObject*, bool up) {
    long double value = Regional::StrToFloat(ui.Edit1->text());
    value += up ? 0.01L : -0.01L;
    ui.Edit1->setText(Regional::FloatToStr(value));
}

void TMainForm::KalibButtonClick(QObject*) {
    if (!ensureConnected())
        return;
    if (!askYes(QStringLiteral("Weet u zeker dat u de stelpod (opnieuw) wilt kalibreren?"),
                TMsgDlgType::mtWarning))
        return;
    SendString(CalibrationCommand(Regional::StrToFloat(ui.Edit1->text())));
}

void TMainForm::WissenButtonClick(QObject*) {
    if (!ensureConnected())
        return;
    if (askYes(QStringLiteral("Weet u zeker dat u alle records wilt verwijderen?"),
               TMsgDlgType::mtConfirmation))
        SendString(QStringLiteral("e"));
}

void TMainForm::OkButtonClick(QObject*) {
    if (!ensureConnected())
        return;
    SendString(QStringLiteral("s") + Regional::IntToHex(ui.SampleTijdSpinEdit->Value(), 2));
    saveChainRunning_ = true;
}

void TMainForm::AnnuleerButtonClick(QObject*) {
    SendString(QStringLiteral("V"));
}

void TMainForm::Button1Click(QObject*) {
    if (!ensureConnected())
        return;
    SendString(QStringLiteral("x"));
}

void TMainForm::ResetBTNClick(QObject*) {
    if (!ensureConnected())
        return;
    const QString question =
        QStringLiteral("U staat op het punt om de stelpod te resetten? Dit houd in dat alle "
                       "gegevens verloren zullen gaan\r"
                       "en dat de fabrieksinstellingen weer hersteld zullen worden.\r"
                       "Er zal een nieuwe kalibratie plaatsvinden op basis van de huidig gemeten "
                       "spanning.\r"
                       "\r"
                       "Weet u zeker dat u de stelpod wilt resetten?");
    if (askYes(question, TMsgDlgType::mtConfirmation))
        SendString(QStringLiteral("X"));
}

void TMainForm::StartClick(QObject*) {
    if (!ensureConnected())
        return;
    SendString(QStringLiteral("V"));
}

// "Toon grafiek": the database is created afresh; whatever fails in the
// creation, the log window is shown and the view is opened.
void TMainForm::Button2Click(QObject*) {
    dataModule_->CreateDatabase(DatabaseFile);
    dataForm_->show();
    dataForm_->raise();
    if (dataModule_->LocalIBTransaction->InTransaction())
        dataModule_->LocalIBTransaction->Commit();
    dataModule_->OpenView();
}

void TMainForm::FormClose() {
    if (dataModule_)
        dataModule_->FormClose();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    RunHandler([this] { FormClose(); });
    event->accept();
    // Closing the main window ends the program, whatever else is shown.
    QApplication::quit();
}
