#include "platform/ui/MessageDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

MessageBoxHook& hook() {
    static MessageBoxHook instance;
    return instance;
}

QMessageBox::Icon iconOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case TMsgDlgType::mtError:
        return QMessageBox::Critical;
    case TMsgDlgType::mtInformation:
        return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString captionOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning:
        return QStringLiteral("Warning");
    case TMsgDlgType::mtError:
        return QStringLiteral("Error");
    case TMsgDlgType::mtInformation:
        return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation:
        return QStringLiteral("Confirm");
    }
    return {};
}

struct ButtonInfo {
    QMessageBox::StandardButton standard;
    int result;
};

ButtonInfo infoOf(TMsgDlgBtn button) {
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return {QMessageBox::Yes, mrYes};
    case TMsgDlgBtn::mbNo:
        return {QMessageBox::No, mrNo};
    case TMsgDlgBtn::mbOK:
        return {QMessageBox::Ok, mrOk};
    case TMsgDlgBtn::mbCancel:
        return {QMessageBox::Cancel, mrCancel};
    }
    return {QMessageBox::Ok, mrOk};
}

bool has(const std::vector<TMsgDlgBtn>& buttons, TMsgDlgBtn button) {
    return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

int showBox(const MessageRequest& request) {
    QMessageBox box(iconOf(request.Type), captionOf(request.Type),
                    QString(request.Text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                        .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    for (TMsgDlgBtn button : request.Buttons)
        box.addButton(infoOf(button).standard);
    // Yes is the default of a question and Escape answers No; a box with OK
    // alone has OK as default and Escape.
    if (has(request.Buttons, TMsgDlgBtn::mbYes))
        box.setDefaultButton(QMessageBox::Yes);
    else if (has(request.Buttons, TMsgDlgBtn::mbOK))
        box.setDefaultButton(QMessageBox::Ok);
    if (has(request.Buttons, TMsgDlgBtn::mbNo))
        box.setEscapeButton(QMessageBox::No);
    else if (has(request.Buttons, TMsgDlgBtn::mbCancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (has(request.Buttons, TMsgDlgBtn::mbOK))
        box.setEscapeButton(QMessageBox::Ok);
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (TMsgDlgBtn button : request.Buttons)
        if (clicked == box.button(infoOf(button).standard))
            return infoOf(button).result;
    return has(request.Buttons, TMsgDlgBtn::mbNo) ? mrNo : mrCancel;
}

} // namespace

int MessageDlg(const QString& text, TMsgDlgType type, std::vector<TMsgDlgBtn> buttons) {
    const MessageRequest request{text, type, std::move(buttons)};
    if (hook())
        return hook()(request);
    return showBox(request);
}

void SetMessageBoxHook(MessageBoxHook newHook) {
    hook() = std::move(newHook);
}
