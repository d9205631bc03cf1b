#pragma once

#include "platform/ui/Events.h"

#include <QAbstractSpinBox>

// A text field with up and down arrows holding a whole number. The text is
// what counts: Value() converts it, and any text may stand while the user
// types, even a number outside the range or no number at all. A number
// outside MinValue..MaxValue is brought into range when the edit loses the
// focus, which Qt does on the mouse press of a button, before its click.
// With MinValue equal to MaxValue the range does not limit the value. Typing
// refuses, with a beep, any character but a digit, and a minus but in front
// where MinValue is below 0; a text set by code or pasted is taken as it is.
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
  public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }

    // The text as a decimal whole number (blanks around it allowed); a text
    // that is no whole number reads as MinValue.
    int Value() const;
    // Brings the value into range and writes it as the text.
    void SetValue(int value);

    // Replaces the text as typed, without bringing it into range.
    void setText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    QSize sizeHint() const override;

    // Raised on every change of the text, whoever made it.
    TNotifyEvent OnChange;

  protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int checkValue(int value) const;
    bool acceptsTyped(QChar key) const;
    void writeText(const QString& text);
    void textEdited(const QString& text);

    int minValue_ = 0;
    int maxValue_ = 0;
    QString lastText_;
    bool writing_ = false;
};
