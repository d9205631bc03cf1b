#include "eventlog/viewer/EventLogFile.h"

#include "platform/errors/Exception.h"

#include <QSaveFile>

namespace EventLogFile {

QByteArray Join(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    file.write(bytes);
    if (!file.commit())
        throw EFileError(QStringLiteral("De gegevens konden niet worden geexporteerd naar \"%1\": "
                                        "%2.\rHet bestand is niet gewijzigd.")
                             .arg(path, file.errorString()));
}

} // namespace EventLogFile
