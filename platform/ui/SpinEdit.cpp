#include "platform/ui/SpinEdit.h"

#include "platform/ui/Handler.h"

#include <QFocusEvent>
#include <QLineEdit>

TSpinEdit::TSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::textEdited);
    writeText(QStringLiteral("0"));
}

int TSpinEdit::Value() const {
    bool ok = false;
    const int value = text().trimmed().toInt(&ok, 10);
    return ok ? value : minValue_;
}

void TSpinEdit::SetValue(int value) {
    writeText(QString::number(checkValue(value)));
}

void TSpinEdit::setText(const QString& text) {
    writeText(text);
}

int TSpinEdit::checkValue(int value) const {
    if (maxValue_ == minValue_)
        return value;
    if (value < minValue_)
        return minValue_;
    if (value > maxValue_)
        return maxValue_;
    return value;
}

void TSpinEdit::writeText(const QString& text) {
    if (text == lastText_)
        return;
    writing_ = true;
    lineEdit()->setText(text);
    writing_ = false;
    lastText_ = text;
    // A change made by the program's own code raises the event as a plain
    // call, so a failure in the handler reaches that code.
    Fire(OnChange, this);
}

void TSpinEdit::textEdited(const QString& text) {
    if (writing_ || text == lastText_)
        return;
    lastText_ = text;
    RunHandler([this] { Fire(OnChange, this); });
}

void TSpinEdit::stepBy(int steps) {
    RunHandler([&] { SetValue(Value() + steps); });
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    if (minValue_ == maxValue_)
        return StepUpEnabled | StepDownEnabled;
    const int value = Value();
    StepEnabled enabled = StepNone;
    if (value < maxValue_)
        enabled |= StepUpEnabled;
    if (value > minValue_)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State TSpinEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

void TSpinEdit::fixup(QString&) const {}

QSize TSpinEdit::sizeHint() const {
    QSize hint = QAbstractSpinBox::sizeHint();
    hint.setWidth(
        std::max(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 30));
    return hint;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    // Only a move of the focus to another control of the window ends the edit;
    // the window losing activation (another window, a message box, closing)
    // leaves it as it is, and the edit has the focus again on return.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        RunHandler([this] {
            const int value = Value();
            if (checkValue(value) != value)
                SetValue(value);
        });
    QAbstractSpinBox::focusOutEvent(event);
}
