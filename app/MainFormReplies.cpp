// The main window's reply handler: framing of the reply lines and the
// actions of each reply, by its first character.
#include "app/ComportForm.h"
#include "app/MainForm.h"
#include "app/StelpodProtocol.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/regional/Regional.h"
#include "platform/ui/MessageDlg.h"

using namespace StelpodProtocol;

namespace {

void inform(const QString& text) {
    MessageDlg(text, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

QString latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

// Takes one complete line at a time out of the port's receive text, which is
// read afresh for every line: a message box opened by one line runs a nested
// loop in which this handler may be entered again, and each line must be
// handled exactly once, by whichever call takes it.
void TMainForm::MultiCommPortDriver1ReceiveData(QObject*, const void*, uint32_t) {
    if (ComPort < 1 || ComPort > 256 || MultiCommPortDriver1->ReceivedText[ComPort].empty())
        return;
    for (;;) {
        std::string& text = MultiCommPortDriver1->ReceivedText[ComPort];
        const size_t end = text.find('\r');
        if (end == std::string::npos)
            break;
        const std::string line = text.substr(0, end);
        text.erase(0, end + 1);
        ComTimer->SetEnabled(false);
        if (downloadRunning_) {
            DownloadTimer->SetEnabled(false);
            DownloadTimer->SetEnabled(true);
        }
        if (!line.empty())
            dispatchReply(line);
    }
}

void TMainForm::dispatchReply(const std::string& line) {
    switch (line[0]) {
    case 'V':
        return replyV(line);
    case 'C':
        return replyC(line);
    case 'S':
        return runGuarded(&TMainForm::replyS, line);
    case 'T':
        return runGuarded(&TMainForm::replyT, line);
    case 'P':
        return runGuarded(&TMainForm::replyP, line);
    case 'E':
        return runGuarded(&TMainForm::replyE, line);
    case 'd':
        return replyD(line);
    case 'H':
        return runGuarded(&TMainForm::replyH, line);
    case 'M':
        return replyM(line);
    case 'K':
        return replyK(line);
    case 'e':
        return replyErased(line);
    case 's':
    case 'c':
    case 't':
    case 'p':
        return replySaved(line);
    case 'x':
        return replyTestMode(line);
    default:
        return;
    }
}

// A guarded reply that fails (a bad field, or a value a control refuses)
// switches the retry timer on, so the last command is resent and counted.
void TMainForm::runGuarded(void (TMainForm::*reply)(const std::string&), const std::string& line) {
    try {
        (this->*reply)(line);
    } catch (const std::exception&) {
        ComTimer->SetEnabled(true);
    }
}

void TMainForm::replyV(const std::string& line) {
    const size_t separator = line.find('\x10');
    ui.FirmwareEdit->setText(separator == std::string::npos ? QString()
                                                            : latin1(line.substr(1, separator - 1)));
    ui.NiMhRadioButton->setEnabled(FirmwareVersion(ui.FirmwareEdit->text()) > 103);
    ui.LoodRadioButton->setEnabled(FirmwareVersion(ui.FirmwareEdit->text()) > 103);
    const size_t ok = line.find("OK");
    ui.BootEdit->setText(ok != std::string::npos && ok > separator
                             ? latin1(line.substr(separator + 1, ok - separator - 1))
                             : QString());
    if (comportForm_)
        comportForm_->close();
    Connected = true;
    SendString(QStringLiteral("C"));
}

void TMainForm::replyC(const std::string& line) {
    AccuFlags = static_cast<uint8_t>(HexField(line, 2, 2));
    ui.NiMhRadioButton->setChecked((AccuFlags & 1) != 0);
    ui.LoodRadioButton->setChecked((AccuFlags & 1) == 0);
    if (FirmwareVersion(ui.FirmwareEdit->text(), 4) > 107 && (AccuFlags & 0x80) != 0)
        inform(QStringLiteral("De lithium batterij in de stelpod is (bijna) leeg, vervang deze."));
    SendString(QStringLiteral("S"));
}

void TMainForm::replyS(const std::string& line) {
    ui.SampleTijdSpinEdit->SetValue(static_cast<int>(HexField(line, 2, 2)));
    SendString(QStringLiteral("T"));
}

void TMainForm::replyT(const std::string& line) {
    ui.TurnoffTijdSpinEdit->SetValue(static_cast<int>(HexField(line, 2, 2)));
    SendString(QStringLiteral("P1"));
}

void TMainForm::replyP(const std::string& line) {
    static const char* const next[] = {"P2", "P3", "E"};
    TTrackBar* const bars[] = {ui.TrackBar1, ui.TrackBar2, ui.TrackBar3};
    const char level = line.size() > 1 ? line[1] : '\0';
    if (level < '1' || level > '3')
        return;
    const int n = level - '1';
    const int value = static_cast<int>(HexField(line, 3, 2));
    if (const auto position = BarPositionOfPower(ui.FirmwareEdit->text(), value))
        bars[n]->SetPosition(*position);
    mirrorPowerLevel(n + 1);
    SendString(QString::fromLatin1(next[n]));
}

void TMainForm::replyE(const std::string& line) {
    ui.RewritesEdit->setText(Regional::IntToStr(HexField(line, 2, 2)));
    const long long records = RecordCount(HexField(line, 4, 4));
    ui.NumRecEdit->setText(Regional::IntToStr(records));
    TProgressBar* bar = dataForm_->ui.DownLoadBar;
    bar->SetMax(static_cast<int>(records));
    if (Regional::StrToInt(ui.RewritesEdit->text()) > 0) {
        ui.NumRecEdit->setText(ui.NumRecEdit->text() + QStringLiteral("/8000"));
        bar->SetMax(8000);
    }
    bar->SetPosition(0);
    const TDateTime timeOfDay = Regional::Now();
    const TDateTime date = Regional::Now();
    SendString(ClockCommand(timeOfDay, date));
}

void TMainForm::replyD(const std::string& line) {
    if (line == "dNO")
        inform(QStringLiteral("De datum/tijd kon niet worden geschreven.\rControleer de stelpod."));
    ui.OkButton->setEnabled(false);
    ui.AnnuleerButton->setEnabled(false);
    SendString(QStringLiteral("H"));
}

void TMainForm::replyH(const std::string& line) {
    ui.VoltageEdit->setText(VoltageText(HexValue(Copy(line, 2, 4) + "0")));
    ComTimer->SetEnabled(true);
    ui.ProgressBar1->StepIt();
}

// The save sequence: each acknowledgement sends the next setting. Only the
// acknowledgement of the write sent last counts, and only while the chain
// runs, so that noise on the line never writes to the unit.
void TMainForm::replySaved(const std::string& line) {
    if (!saveChainRunning_ || !AcknowledgesWrite(line, LastCommand))
        return;
    switch (line[0]) {
    case 's':
        AccuFlags = ui.NiMhRadioButton->isChecked() ? 1 : 0;
        SendString(QStringLiteral("c") + Regional::IntToHex(AccuFlags, 2));
        return;
    case 'c':
        SendString(QStringLiteral("t") + Regional::IntToHex(ui.TurnoffTijdSpinEdit->Value(), 2));
        return;
    case 't':
        sendPowerCode(QStringLiteral("p1"), ui.TrackBar1);
        return;
    default:
        break;
    }
    const char level = line.size() > 1 ? line[1] : '\0';
    if (level == '1') {
        sendPowerCode(QStringLiteral("p2"), ui.TrackBar2);
    } else if (level == '2') {
        sendPowerCode(QStringLiteral("p3"), ui.TrackBar3);
    } else if (level == '3') {
        ui.OkButton->setEnabled(false);
        ui.AnnuleerButton->setEnabled(false);
        SendString(QStringLiteral("H"));
    }
}

void TMainForm::sendPowerCode(const QString& command, const TTrackBar* bar) {
    if (const auto code = PowerCodeOfBar(ui.FirmwareEdit->text(), bar->Position()))
        SendString(command + Regional::IntToHex(*code, 2));
}

void TMainForm::replyK(const std::string&) {
    if (ensureConnected())
        SendString(QStringLiteral("V"));
}

void TMainForm::replyErased(const std::string&) {
    ui.RewritesEdit->setText(QStringLiteral("0"));
    ui.NumRecEdit->setText(QStringLiteral("0"));
}

void TMainForm::replyTestMode(const std::string&) {
    inform(QStringLiteral(
        "De stelpod is nu in testmode, druk op toets 1,2 of 3 en kijk of de bijbehorende ledjes "
        "aan en uit gaan.\r"
        "Test verder of alle leds op de accubar branden, met uitzondering van de laatste rode "
        "led.\r"
        "deze laatste led kan doormiddel van de trilsensor woden bediend. Als u klaar bent druk "
        "dan op de on/off toets"));
    SendString(QStringLiteral("H"));
}

// A record line becomes a row; a line holding "MOK", or the line "MNO", ends
// the download.
void TMainForm::replyM(const std::string& line) {
    if (line.find("MOK") != std::string::npos || line == "MNO") {
        endDownload(line == "MNO");
        return;
    }
    dataModule_->AddData(latin1(line));
    dataForm_->ui.DownLoadBar->StepIt();
}

// A unit that falls silent during a download ends it as "MNO" does, so the
// rows that did arrive are kept and shown.
void TMainForm::DownloadTimerTimer(QObject*) {
    if (downloadRunning_)
        endDownload(true);
}

void TMainForm::endDownload(bool failed) {
    downloadRunning_ = false;
    DownloadTimer->SetEnabled(false);
    if (failed)
        inform(QStringLiteral("De gegevens konden niet worden opgehaald.\rControleer de stelpod."));
    if (dataModule_->LocalIBTransaction->InTransaction())
        dataModule_->LocalIBTransaction->CommitRetaining();
    dataModule_->DataIBDataSet->Open();
    dataForm_->ui.Chart1->UndoZoom();
    dataForm_->ui.DownLoadBar->hide();
    bringLogWindowForward();
    dataForm_->ui.AccuRadioButton->setChecked(true);
    if (LithiumLow)
        inform(QStringLiteral(
            "De lithium batterij in de stelpod is bijna leeg of reeds leeg, vervang deze."));
    LithiumLow = false;
    SendString(QStringLiteral("V"));
}

// The end of a download shows the log window maximised in front, also when the
// user had minimised it or put another window over it meanwhile.
void TMainForm::bringLogWindowForward() {
    dataForm_->show();
    dataForm_->setWindowState((dataForm_->windowState() & ~Qt::WindowMinimized) |
                              Qt::WindowMaximized);
    dataForm_->raise();
    dataForm_->activateWindow();
}
