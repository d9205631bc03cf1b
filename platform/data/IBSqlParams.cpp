#include "platform/data/IBSqlParams.h"

namespace {

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == '_' || c == '$';
}

} // namespace

TIBSqlParams TIBSqlParams::Parse(const QString& sql) {
    TIBSqlParams result;
    result.text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == '\'' || c == '"') {
            // Quoted text runs to the closing quote; a doubled quote is part of it.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype end = j < n ? j + 1 : n;
            result.text += sql.mid(i, end - i);
            i = end;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            qsizetype j = i;
            while (j < n && sql[j] != '\n' && sql[j] != '\r')
                ++j;
            result.text += sql.mid(i, j - i);
            i = j;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const qsizetype close = sql.indexOf("*/", i + 2);
            const qsizetype end = close < 0 ? n : close + 2;
            result.text += sql.mid(i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < n && IsNameChar(sql[i + 1])) {
            qsizetype j = i + 1;
            while (j < n && IsNameChar(sql[j]))
                ++j;
            result.names << sql.mid(i + 1, j - i - 1).toUpper();
            result.text += '?';
            i = j;
        } else {
            result.text += c;
            ++i;
        }
    }
    return result;
}
