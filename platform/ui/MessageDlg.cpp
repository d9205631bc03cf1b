#include "platform/ui/MessageDlg.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

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

// The box's caption names its kind in the user's language, as Qt's own
// translations name its buttons: in Dutch under Dutch settings, else in
// English.
QString captionOf(TMsgDlgType type) {
    const bool dutch = QLocale().language() == QLocale::Dutch;
    switch (type) {
    case TMsgDlgType::mtWarning:
        return dutch ? QStringLiteral("Waarschuwing") : QStringLiteral("Warning");
    case TMsgDlgType::mtError:
        return dutch ? QStringLiteral("Fout") : QStringLiteral("Error");
    case TMsgDlgType::mtInformation:
        return dutch ? QStringLiteral("Informatie") : QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation:
        return dutch ? QStringLiteral("Bevestigen") : QStringLiteral("Confirm");
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

// A shown window of ours that stays on top of the others, if any.
QWidget* windowOnTop() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return window;
    return nullptr;
}

// The window the box belongs to: the one the user works in, else (a timer
// raised it while another program is active) the one of ours on top, else
// none.
QWidget* ownerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return windowOnTop();
}

// A message box placed once its text is laid out: QMessageBox takes its final
// size only in its show event, after Qt centred it with the size it had.
class TMessageBox : public QMessageBox {
  public:
    TMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                QWidget* owner)
        : QMessageBox(icon, caption, text, QMessageBox::NoButton, owner), owner_(owner) {
        // A window of ours on top would cover a box that is not.
        if (windowOnTop())
            setWindowFlag(Qt::WindowStaysOnTopHint);
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        placeCentred();
    }

  private:
    // Centred on the owner's frame, or on the screen without an owner, and
    // kept on that screen. The box's own frame is not known before it is
    // mapped; the owner's frame margins stand in for it.
    void placeCentred() {
        QMargins frame;
        QRect area;
        QScreen* screen = QGuiApplication::primaryScreen();
        if (owner_) {
            const QRect outer = owner_->frameGeometry();
            const QRect inner = owner_->geometry();
            frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
            area = outer;
            screen = owner_->screen();
        } else if (screen) {
            area = screen->availableGeometry();
        }
        if (!area.isValid())
            return;
        QRect outer = QRect(QPoint(), size()).marginsAdded(frame);
        outer.moveCenter(area.center());
        if (screen) {
            const QRect available = screen->availableGeometry();
            outer.moveLeft(std::max(available.left(),
                                    std::min(outer.left(), available.right() - outer.width() + 1)));
            outer.moveTop(std::max(available.top(),
                                   std::min(outer.top(), available.bottom() - outer.height() + 1)));
        }
        // The client area's place: window systems place a window that is not
        // yet mapped by it, whatever its frame turns out to be.
        setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), size()));
    }

    QWidget* owner_;
};

int showBox(const MessageRequest& request) {
    TMessageBox box(iconOf(request.Type), captionOf(request.Type),
                    QString(request.Text)
                        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                        .replace(QLatin1Char('\r'), QLatin1Char('\n')),
                    ownerWindow());
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
