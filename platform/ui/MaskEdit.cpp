#include "platform/ui/MaskEdit.h"

#include "platform/regional/Regional.h"
#include "platform/ui/Beep.h"
#include "platform/ui/FocusReason.h"
#include "platform/ui/Handler.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {

const QString refusalText() {
    return QStringLiteral("Invalid input value.  Use escape key to abandon changes");
}

// Qt's mask character that accepts what a place of the class library's mask
// accepts. Every place is optional to Qt, so that a blank can stand anywhere;
// the required places are checked on leaving the edit.
QChar qtMaskChar(QChar kind) {
    switch (kind.unicode()) {
    case '0':
    case '9':
        return QLatin1Char('0');
    case 'L':
    case 'l':
        return QLatin1Char('a');
    case 'A':
    case 'a':
        return QLatin1Char('n');
    case '#':
        return QLatin1Char('#');
    default:
        return QLatin1Char('x');
    }
}

} // namespace

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TMaskEdit::textEdited);
}

void TMaskEdit::SetEditMask(const QString& mask) {
    const QString before = text();
    editMask_ = mask;
    applyMask();
    writeText(displayOf(before), true);
}

void TMaskEdit::applyMask() {
    places_.clear();
    blank_ = QLatin1Char('_');
    saveLiterals_ = true;
    QString body = editMask_;
    // The fields after the mask: literals saved ("0" not), the blank character.
    const qsizetype second = body.lastIndexOf(QLatin1Char(';'));
    if (second > 0 && body[second - 1] != QLatin1Char('\\')) {
        const qsizetype first = body.lastIndexOf(QLatin1Char(';'), second - 1);
        if (first > 0 && body[first - 1] != QLatin1Char('\\')) {
            saveLiterals_ = body.mid(first + 1, second - first - 1) != QLatin1String("0");
            if (second + 1 < body.size())
                blank_ = body[second + 1];
            body.truncate(first);
        } else {
            saveLiterals_ = body.mid(second + 1) != QLatin1String("0");
            body.truncate(second);
        }
    }
    const auto& settings = Regional::FormatSettings();
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        Place place;
        switch (c.unicode()) {
        case '!':
        case '<':
        case '>':
            continue;
        case '\\':
            if (++i < body.size())
                place.Literal = body[i];
            break;
        case '/':
            place.Literal = settings.DateSeparator;
            break;
        case ':':
            place.Literal = settings.TimeSeparator;
            break;
        case '0':
        case 'L':
        case 'A':
        case 'C':
            place.Kind = c;
            place.Required = true;
            break;
        case '9':
        case 'l':
        case 'a':
        case 'c':
        case '#':
            place.Kind = c;
            break;
        default:
            place.Literal = c;
        }
        places_.push_back(place);
    }
    QString qtMask;
    for (const Place& place : places_)
        qtMask += place.Literal.isNull() ? QString(qtMaskChar(place.Kind))
                                         : QStringLiteral("\\") + place.Literal;
    writing_ = true;
    setInputMask(places_.empty() ? QString() : qtMask + QLatin1Char(';') + blank_);
    writing_ = false;
}

bool TMaskEdit::fits(const Place& place, QChar c) const {
    switch (place.Kind.unicode()) {
    case '0':
    case '9':
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    case 'L':
    case 'l':
        return c.isLetter();
    case 'A':
    case 'a':
        return c.isLetterOrNumber();
    case '#':
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
               c == QLatin1Char('-');
    default:
        return c != blank_ && c != QLatin1Char(' ');
    }
}

QString TMaskEdit::displayOf(const QString& text) const {
    if (places_.empty())
        return text;
    QString display;
    qsizetype from = 0;
    for (const Place& place : places_) {
        if (!place.Literal.isNull()) {
            display += place.Literal;
            if (saveLiterals_)
                ++from;
            continue;
        }
        const QChar c = from < text.size() ? text[from] : QChar(' ');
        ++from;
        display += fits(place, c) ? c : blank_;
    }
    return display;
}

QString TMaskEdit::text() const {
    if (places_.empty())
        return QLineEdit::text();
    const QString display = displayText();
    QString result;
    for (size_t i = 0; i < places_.size(); ++i) {
        const QChar c = qsizetype(i) < display.size() ? display[qsizetype(i)] : blank_;
        if (!places_[i].Literal.isNull()) {
            if (saveLiterals_)
                result += places_[i].Literal;
        } else {
            result += c == blank_ ? QChar(' ') : c;
        }
    }
    return result;
}

void TMaskEdit::setText(const QString& text) {
    writeText(displayOf(text), true);
}

bool TMaskEdit::IsFilled() const {
    const QString display = displayText();
    for (size_t i = 0; i < places_.size(); ++i) {
        if (!places_[i].Required)
            continue;
        const qsizetype at = qsizetype(i);
        if (at >= display.size() || !fits(places_[i], display[at]))
            return false;
    }
    return true;
}

// A change made by code raises OnChange as a plain call, so a failing handler
// reaches that code; it also ends the user's changes, as the class library's
// Modified flag does.
void TMaskEdit::writeText(const QString& display, bool fromCode) {
    writing_ = true;
    QLineEdit::setText(display);
    writing_ = false;
    const QString now = text();
    if (now == lastText_)
        return;
    lastText_ = now;
    if (fromCode)
        Fire(OnChange, this);
    else
        RunHandler([this] { Fire(OnChange, this); });
}

void TMaskEdit::textEdited() {
    if (writing_)
        return;
    const QString now = text();
    if (now == lastText_)
        return;
    lastText_ = now;
    RunHandler([this] { Fire(OnChange, this); });
}

void TMaskEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const bool back = keptFocus_ && !FocusMovesWithinWindow(event);
    keptFocus_ = false;
    if (back)
        return; // the window was active again, the edit had the focus all along
    if (reEnter_) {
        // Back after a refused exit: the text to restore stays as it was.
        reEnter_ = false;
        return;
    }
    enterText_ = text();
    RunHandler([this] { Fire(OnEnter, this); });
}

void TMaskEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!FocusMovesWithinWindow(event)) {
        keptFocus_ = true;
        return;
    }
    if (places_.empty() || !isModified() || IsFilled() || refusing_)
        return;
    // The mouse press that moved the focus has yet to reach its control, and
    // its release may follow at once: both are kept from the rest of the
    // window until the edit has the focus back, so a clicked button does not
    // click.
    refusing_ = true;
    qApp->installEventFilter(this);
    QTimer::singleShot(0, this, [this] { refuseExit(); });
}

bool TMaskEdit::eventFilter(QObject* watched, QEvent* event) {
    if (refusing_ && watched != this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            break;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

void TMaskEdit::refuseExit() {
    reEnter_ = true;
    setFocus(Qt::OtherFocusReason);
    if (!hasFocus())
        reEnter_ = false;
    qApp->removeEventFilter(this);
    refusing_ = false;
    MessageBeep();
    ShowException(EDBEditError(refusalText()));
}

void TMaskEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !places_.empty() && isModified()) {
        RunHandler([this] { writeText(displayOf(enterText_), true); });
        setModified(false);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
