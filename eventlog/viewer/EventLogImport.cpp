#include "eventlog/viewer/EventLogImport.h"

#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventRecord.h"
#include "eventlog/viewer/EventLogLines.h"
#include "platform/data/IBSQL.h"
#include "platform/errors/Exception.h"

#include <cmath>

namespace {

constexpr qsizetype ShownLength = 60;

[[noreturn]] void refuse(int number, const QString& reason) {
    throw EConvertError(QStringLiteral("Regel %1: %2").arg(QString::number(number), reason));
}

QString shownLine(QByteArrayView line) {
    return TEventLogImport::Shown(
        QString::fromLatin1(line.first(std::min(line.size(), ShownLength + 1))));
}

} // namespace

QString TEventLogImport::Shown(const QString& text) {
    QString shown = text.left(ShownLength);
    for (QChar& c : shown)
        if (!c.isPrint())
            c = QLatin1Char('?');
    if (text.size() > ShownLength)
        shown += QStringLiteral("...");
    return shown;
}

void TEventLogImport::Read(const QString& path) {
    TEventLogLines lines(path);
    QByteArray line;
    while (lines.Next(line))
        convertLine(line, lines.Number());
}

void TEventLogImport::convertLine(QByteArrayView line, int number) {
    // A blank line holds no row.
    if (line.isEmpty())
        return;
    if (line.size() > TEventLogLines::MaxLineLength)
        refuse(number, QStringLiteral("de regel is langer dan %1 tekens: '%2'")
                           .arg(QString::number(TEventLogLines::MaxLineLength), shownLine(line)));
    if (line.contains('\0'))
        refuse(number, QStringLiteral("de regel bevat een nul-byte: '%1'").arg(shownLine(line)));
    Row row;
    // The fields are the texts between the separators; a ";" at the very end
    // opens no further field, and fields after the fifth are ignored.
    qsizetype start = 0;
    for (int field = 0; field < 5 && start < line.size(); ++field) {
        qsizetype stop = line.indexOf(';', start);
        if (stop < 0)
            stop = line.size();
        QString text = QString::fromLatin1(line.sliced(start, stop - start));
        if (text == QLatin1String("Vermogensstand gewijzigd"))
            text = EventKind::PowerLevel;
        convertField(row, field, text, number);
        start = stop + 1;
    }
    rows_.push_back(row);
}

void TEventLogImport::convertField(Row& row, int field, const QString& text, int number) {
    if (field >= 3) {
        const bool kind = field == 3;
        const int width = kind ? TDataModule1::AktieLength : TDataModule1::DataLength;
        if (text.size() > width)
            refuse(number, QStringLiteral("'%1' is langer dan %2 tekens (%3)")
                               .arg(Shown(text), QString::number(width),
                                    kind ? QStringLiteral("Aktie") : QStringLiteral("Data")));
        (kind ? row.aktie : row.data) = textIndex(text);
        return;
    }
    try {
        if (field == 0) {
            row.id = Regional::StrToInt(text);
        } else if (!text.isEmpty()) {
            const TDateTime value = Regional::StrToDateTime(text);
            const double day = std::trunc(value);
            if (field == 1)
                row.datum = day;
            else
                row.tijd = std::fabs(value - day);
            (field == 1 ? row.hasDatum : row.hasTijd) = true;
        }
    } catch (const EConvertError& error) {
        // The conversion's own text, with the field quoted as a box shows it.
        refuse(number, QString(error.Message())
                           .replace(QLatin1Char('\'') + text + QLatin1Char('\''),
                                    QLatin1Char('\'') + Shown(text) + QLatin1Char('\'')));
    }
}

quint32 TEventLogImport::textIndex(const QString& text) {
    auto found = textIndexes_.constFind(text);
    if (found != textIndexes_.constEnd())
        return *found;
    const auto index = quint32(texts_.size());
    texts_ << text;
    textIndexes_.insert(text, index);
    return index;
}

void TEventLogImport::Insert(TIBSQL& insertion) const {
    TIBParam& id = insertion.ParamByName(QStringLiteral("ID"));
    TIBParam& datum = insertion.ParamByName(QStringLiteral("DATUM"));
    TIBParam& tijd = insertion.ParamByName(QStringLiteral("TIJD"));
    TIBParam& aktie = insertion.ParamByName(QStringLiteral("AKTIE"));
    TIBParam& data = insertion.ParamByName(QStringLiteral("DATA"));
    for (const Row& row : rows_) {
        id.SetAsInteger(row.id);
        if (row.hasDatum)
            datum.SetAsDateTime(row.datum);
        if (row.hasTijd)
            tijd.SetAsDateTime(row.tijd);
        if (row.aktie)
            aktie.SetAsString(texts_[row.aktie]);
        if (row.data)
            data.SetAsString(texts_[row.data]);
        insertion.ExecQuery();
    }
}
