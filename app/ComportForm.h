#pragma once

#include "ui_ComportForm.h"

#include <QWidget>

class TMainForm;

// The port dialog: shown on top of the main window at start, it opens the
// chosen port and sends the first command. The first "V" reply hides it.
class TComportForm : public QWidget {
    Q_OBJECT
public:
    explicit TComportForm(TMainForm* mainForm);

    Ui::TComportForm ui;

    void ConnectButtonClick(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TMainForm* mainForm_;
};
