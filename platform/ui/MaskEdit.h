#pragma once

#include "platform/errors/Exception.h"
#include "platform/ui/Events.h"

#include <QLineEdit>
#include <vector>

// The refusal of an edit whose text does not fill its mask.
class EDBEditError : public Exception {
  public:
    using Exception::Exception;
};

// An edit with the class library's edit mask, in the form
// "[!]mask[;save literals[;blank character]]": '0' a required digit, '9' an
// optional digit, 'L'/'l' a required/optional letter, 'A'/'a' a
// required/optional letter or digit, 'C'/'c' a required/optional character,
// '#' an optional digit or sign, '/' the regional date separator, ':' the
// regional time separator, '\' takes the next character literally, '!', '<'
// and '>' are accepted and change nothing here; any other character is a
// literal. Places not filled show the blank character while editing and read
// back as blanks in text(); literals belong to the text.
//
// Once the user has changed the text, leaving the edit with a required place
// empty is refused: it beeps, takes the focus back and shows "Invalid input
// value.  Use escape key to abandon changes" in the standard error box.
// Escape restores the text the edit had when it got the focus.
class TMaskEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
  public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask);

    // The text with unfilled places as blanks. Hides QLineEdit's, which would
    // leave them out.
    QString text() const;
    // Puts the text into the mask place by place: a literal place always shows
    // its literal, a character that does not fit its place leaves it blank.
    void setText(const QString& text);

    // Whether every required place is filled.
    bool IsFilled() const;
    bool Modified() const { return isModified(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Place {
        QChar Literal; // a literal place when not null
        QChar Kind;    // the mask character of an input place
        bool Required = false;
    };

    void applyMask();
    bool fits(const Place& place, QChar c) const;
    QString displayOf(const QString& text) const;
    void writeText(const QString& text, bool fromCode);
    void textEdited();
    void refuseExit();

    QString editMask_;
    std::vector<Place> places_;
    QChar blank_ = QLatin1Char('_');
    bool saveLiterals_ = true;
    QString lastText_;
    QString enterText_;
    bool writing_ = false;
    bool reEnter_ = false;
    bool keptFocus_ = false;
    bool refusing_ = false;
};
