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
    // Unbuffered, so that every write reports what the system took: a disk
    // that fills up takes part of a write and reports no error for it, and
    // the buffered device then loses the rest without a word. Going on after
    // a short write gets the system's reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFileError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            break;
        written += step;
    }
    // Without a commit the temporary file is removed and the file of that
    // name is left as it was.
    if (written != bytes.size() || !file.commit()) {
        // Some languages' system texts end in a full stop, others do not.
        QString reason = file.errorString();
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        throw EFileError(QStringLiteral("De gegevens konden niet worden geexporteerd naar \"%1\": "
                                        "%2.\rHet bestand is niet gewijzigd.")
                             .arg(path, reason));
    }
}

} // namespace EventLogFile
