#include "platform/data/StringList.h"

#include "platform/errors/Exception.h"

#include <QRegularExpression>

void TStringList::Clear() {
    if (lines_.isEmpty())
        return;
    lines_.clear();
    Changed();
}

void TStringList::Add(const QString& line) {
    lines_.append(line);
    Changed();
}

void TStringList::Insert(int index, const QString& line) {
    if (index < 0 || index > lines_.size())
        throw EInvalidOperation(QString("List index out of bounds (%1)").arg(index));
    lines_.insert(index, line);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    lines_.removeAt(index);
    Changed();
}

const QString& TStringList::Strings(int index) const {
    CheckIndex(index);
    return lines_[index];
}

void TStringList::SetStrings(int index, const QString& line) {
    CheckIndex(index);
    lines_[index] = line;
    Changed();
}

QString TStringList::Text() const {
    return lines_.join("\r\n");
}

void TStringList::SetText(const QString& text) {
    static const QRegularExpression breaks("\r\n|\r|\n");
    lines_ = text.isEmpty() ? QStringList() : text.split(breaks);
    Changed();
}

void TStringList::Assign(const QStringList& lines) {
    lines_ = lines;
    Changed();
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= lines_.size())
        throw EInvalidOperation(QString("List index out of bounds (%1)").arg(index));
}

void TStringList::Changed() {
    if (OnChange)
        OnChange();
}
