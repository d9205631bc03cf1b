#pragma once

#include "eventlog/store/EventLogHost.h"
#include "eventlog/viewer/StelpodLink.h"
#include "platform/ui/Timer.h"
#include "serial/MultiCommPortDriver.h"
#include "ui_MainForm.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <string>

class TComportForm;
class TDataForm;
class TDataModule1;

// The main window: the Stelpod's values and settings, the command buttons,
// and the command protocol with its retries and reply handling.
class TMainForm : public QWidget, public TEventLogHost, public TStelpodLink {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The windows and the module created after the main window.
    void SetPeers(TDataForm* dataForm, TDataModule1* dataModule, TComportForm* comportForm);

    Ui::TMainForm ui;
    TMultiCommPortDriver* const MultiCommPortDriver1;
    TTimer* const ComTimer;
    // Ends a download whose unit fell silent: armed by every line that
    // arrives while a download runs.
    TTimer* const DownloadTimer;

    // Writes a command line and arms the retry timer.
    void SendString(const QString& Cmd) override;
    bool IsConnected() const override { return Connected; }

    // What the record decoding reads and sets.
    QString FirmwareText() const override;
    void SetLithiumLow() override { LithiumLow = true; }

    // Fields shared with the port dialog, the reply handler, the buttons, the
    // data module and the log window.
    int ComPort = 0;
    uint8_t AccuFlags = 0;
    QString LastCommand;
    bool LithiumLow = false;
    bool Connected = false;
    int RetryCount = 0;

    // Where "Toon grafiek" creates the event database; tests point it into a
    // folder of their own.
    QString DatabaseFile;

    void ComTimerTimer(QObject* Sender);
    void DownloadTimerTimer(QObject* Sender);
    void MultiCommPortDriver1ReceiveData(QObject* Sender, const void* DataPtr, uint32_t DataSize);

    // Change handlers of the settings.
    void SampleTijdSpinEditChange(QObject* Sender);
    void NiMhRadioButtonClick(QObject* Sender);
    void TrackBar1Change(QObject* Sender);

    // Command buttons.
    void UpDown1Click(QObject* Sender, bool up);
    void KalibButtonClick(QObject* Sender);
    void WissenButtonClick(QObject* Sender);
    void OkButtonClick(QObject* Sender);
    void AnnuleerButtonClick(QObject* Sender);
    void Button1Click(QObject* Sender);
    void ResetBTNClick(QObject* Sender);
    void StartClick(QObject* Sender);
    void Button2Click(QObject* Sender);

    // Window creation: gives the bar and the knobs of the hidden panel the
    // outlines of their pictures.
    void FormCreate(QObject* Sender);
    int GenRegion(QPoint* Points, int Capacity, const QImage& Bitmap, int XOffset, int YOffset);

    // The hidden dial panel to the right of the settings.
    void VoltageEditKeyPress(QObject* Sender, QChar& Key);
    void JvTransparentButton1MouseEnter(QObject* Sender);
    void JvDialButton1Change(QObject* Sender);
    void JvDialButton1Exit(QObject* Sender);
    void Image3MouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes a command line and arms the retry timer, leaving the count of
    // tries as it is (except for "H", which never runs out).
    void writeCommand(const QString& Cmd);
    void bindEvents();
    void setUpPanel();
    // Shows a power level's percentage on its knob and label.
    void mirrorPowerLevel(int level);
    void FormClose();

    // One reply line, by its first character.
    void dispatchReply(const std::string& line);
    void runGuarded(void (TMainForm::*reply)(const std::string&), const std::string& line);
    void replyV(const std::string& line);
    void replyC(const std::string& line);
    void replyS(const std::string& line);
    void replyT(const std::string& line);
    void replyP(const std::string& line);
    void replyE(const std::string& line);
    void replyD(const std::string& line);
    void replyH(const std::string& line);
    void replySaved(const std::string& line);
    void replyK(const std::string& line);
    void replyErased(const std::string& line);
    void replyTestMode(const std::string& line);
    void replyM(const std::string& line);
    // The end of a download; `failed` when the unit could not deliver its
    // memory ("MNO", or silence).
    void endDownload(bool failed);
    // Shows the log window restored, maximised and in front.
    void bringLogWindowForward();

    // The power code of a bar, or nothing sent for an unknown hardware kind.
    void sendPowerCode(const QString& command, const TTrackBar* bar);
    void enableSaveButtons(bool enabled);
    // Tells the user when no Stelpod has answered yet.
    bool ensureConnected();

    // From "Ok" until the chain's last acknowledgement, another command, or
    // a write that ran out of tries: only then do "s", "c", "t" and "p"
    // replies write the next setting.
    bool saveChainRunning_ = false;
    // From the sending of "M" until the download's end, or until "M" ran out
    // of tries without a reply.
    bool downloadRunning_ = false;

    TDataForm* dataForm_ = nullptr;
    TDataModule1* dataModule_ = nullptr;
    TComportForm* comportForm_ = nullptr;
};
