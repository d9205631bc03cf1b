#pragma once

#include "platform/regional/Regional.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class TIBSQL;

// The rows of an event log text file, every line converted before the table
// is touched: the ID as a whole number, the date and the time by the
// regional date-and-time conversion, the kind and value texts checked
// against the widths of their columns. Each row is held in a few bytes, with
// each distinct text once, so even a huge file takes less memory than its
// own size or little more.
class TEventLogImport {
  public:
    // Reads and converts the whole file, line by line. The first line that
    // does not convert raises EConvertError "Regel <n>: <reason>" (the
    // conversion's own text for a field); a file that cannot be read raises
    // EFileError.
    void Read(const QString& path);
    int Count() const { return int(rows_.size()); }
    // Runs the prepared insertion (parameters ID, DATUM, TIJD, AKTIE and
    // DATA) once per row, in file order; a field the line lacks is NULL.
    void Insert(TIBSQL& insertion) const;

    // A text from the file as an error box quotes it: at most its first 60
    // characters, "..." after a longer one, and "?" for a character that
    // cannot be shown.
    static QString Shown(const QString& text);

  private:
    struct Row {
        TDateTime datum = 0;
        TDateTime tijd = 0;
        qint32 id = 0;
        quint32 aktie = 0; // index into texts_; 0 for none
        quint32 data = 0;
        bool hasDatum = false;
        bool hasTijd = false;
    };

    void convertLine(QByteArrayView line, int number);
    void convertField(Row& row, int field, const QString& text, int number);
    quint32 textIndex(const QString& text);

    std::vector<Row> rows_;
    QStringList texts_{QString()};
    QHash<QString, quint32> textIndexes_;
};
