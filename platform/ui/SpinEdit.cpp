#include "platform/ui/SpinEdit.h"

#include "platform/ui/Beep.h"
#include "platform/ui/FocusReason.h"
#include "platform/ui/Handler.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

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

bool TSpinEdit::acceptsTyped(QChar key) const {
    if (key.unicode() < 0x20)
        return true; // Backspace, Enter, Escape and the like edit or end the edit
    if (key >= QLatin1Char('0') && key <= QLatin1Char('9'))
        return true;
    // A minus only where a negative number can stand, in front of the rest.
    const int start =
        lineEdit()->hasSelectedText() ? lineEdit()->selectionStart() : lineEdit()->cursorPosition();
    return key == QLatin1Char('-') && minValue_ < 0 && start == 0;
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!command && !isReadOnly() &&
        std::any_of(typed.begin(), typed.end(), [this](QChar key) { return !acceptsTyped(key); })) {
        MessageBeep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    // Only a move of the focus to another control of the window ends the edit;
    // the edit has the focus again when its window is active again.
    if (FocusMovesWithinWindow(event))
        RunHandler([this] {
            const int value = Value();
            if (checkValue(value) != value)
                SetValue(value);
        });
    QAbstractSpinBox::focusOutEvent(event);
}
