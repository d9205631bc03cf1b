#include "eventlog/viewer/EventLogFile.h"

#include "platform/errors/Exception.h"

#include <QFile>

namespace EventLogFile {

QStringList SplitLines(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\0');
    const QByteArray text = end < 0 ? bytes : bytes.left(end);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines << QString::fromLatin1(text.mid(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << QString::fromLatin1(text.mid(start));
    return lines;
}

QStringList SplitFields(const QString& line) {
    QStringList fields;
    QString field;
    const auto close = [&] {
        fields << (field == QLatin1String("Vermogensstand gewijzigd")
                       ? QStringLiteral("Insch./wijz. vermogensstand")
                       : field);
        field.clear();
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != QLatin1Char(';'))
            field += line[i];
        if (line[i] == QLatin1Char(';') || i == line.size() - 1)
            close();
    }
    return fields;
}

QByteArray Join(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw EFileError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
}

} // namespace EventLogFile
