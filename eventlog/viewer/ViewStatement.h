#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// The rules by which the log window rewrites the view's statement: the sort
// replaces its last line, the ORDER BY line; the filter builds every line
// before it.
namespace ViewStatement {

// The ORDER BY line after a click on the title of `fieldName`, given the
// last line in force: the same column again reverses the direction, another
// column sorts ascending; DATUM sorts by TIJD as its second key.
QString SortLine(const QString& lastLine, const QString& fieldName);

// A text between single quotes, with every quote inside it doubled.
QString Quoted(const QString& text);

// "20" + year + "-" + month + "-" + day of a date edit's text dd?mm?yy.
QString DateLiteral(const QString& editText);

// The filtered statement for at least one kind: the kinds joined by OR
// inside WHERE( ), the date range joined by AND when given, the ORDER BY
// line last.
QStringList Filtered(const QStringList& kinds,
                     const std::optional<std::pair<QString, QString>>& dateRange,
                     const QString& orderLine);

} // namespace ViewStatement
