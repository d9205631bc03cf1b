#include "app/ComportForm.h"

#include "app/MainForm.h"
#include "platform/ui/Handler.h"
#include "platform/ui/MessageDlg.h"

#include <array>

TComportForm::TComportForm(TMainForm* mainForm)
    : QWidget(mainForm, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint),
      mainForm_(mainForm) {
    ui.setupUi(this);
    setFixedSize(size());
    // "Verbinden" comes first in the tab order, so Enter connects at once.
    ui.ConnectButton->setFocus();
    BindEvent(ui.ConnectButton, &QPushButton::clicked, this,
              [this] { ConnectButtonClick(ui.ConnectButton); });
}

void TComportForm::showEvent(QShowEvent* event) {
    // Centred over the main window whenever it is shown.
    QRect frame = frameGeometry();
    frame.moveCenter(mainForm_->frameGeometry().center());
    move(frame.topLeft());
    QWidget::showEvent(event);
}

void TComportForm::ConnectButtonClick(QObject*) {
    mainForm_->RetryCount = 10;
    std::array<TBaudRate, 256> rates;
    rates.fill(10);
    mainForm_->MultiCommPortDriver1->SetBaudRates(rates);
    const int port = ui.ComportSpinEdit->Value();
    if (mainForm_->MultiCommPortDriver1->Connect(port)) {
        mainForm_->ComPort = port;
        mainForm_->SendString(QStringLiteral("V"));
        return;
    }
    MessageDlg(QStringLiteral("De door u gekozen compoort bestaat niet of is bezet.\r"
                              "Kies een andere compoort of sluit het programma dat verbinding "
                              "heeft met de compoort."),
               TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}
