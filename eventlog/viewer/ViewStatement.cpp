#include "eventlog/viewer/ViewStatement.h"

namespace ViewStatement {

QString SortLine(const QString& lastLine, const QString& fieldName) {
    QString line = QStringLiteral("ORDER BY ") + fieldName;
    const bool descending = lastLine.contains(line) && lastLine.contains(QLatin1String("ASC"));
    line += descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    if (line.contains(QLatin1String("DATUM")))
        line += descending ? QStringLiteral(", TIJD DESC") : QStringLiteral(", TIJD ASC");
    return line;
}

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1String("'"), QLatin1String("''")) +
           QLatin1Char('\'');
}

QString DateLiteral(const QString& editText) {
    return QStringLiteral("20") + editText.mid(6, 2) + QLatin1Char('-') + editText.mid(3, 2) +
           QLatin1Char('-') + editText.mid(0, 2);
}

QStringList Filtered(const QStringList& kinds,
                     const std::optional<std::pair<QString, QString>>& dateRange,
                     const QString& orderLine) {
    QStringList lines{QStringLiteral("SELECT *"), QStringLiteral("FROM DATATBL"),
                      QStringLiteral("WHERE(")};
    for (const QString& kind : kinds)
        lines << (lines.size() == 3 ? QStringLiteral("AKTIE = ") : QStringLiteral("OR AKTIE = ")) +
                     Quoted(kind);
    lines << QStringLiteral(")");
    if (dateRange)
        lines << QStringLiteral("AND DATUM BETWEEN ") + Quoted(DateLiteral(dateRange->first)) +
                     QStringLiteral(" AND ") + Quoted(DateLiteral(dateRange->second));
    lines << orderLine;
    return lines;
}

} // namespace ViewStatement
