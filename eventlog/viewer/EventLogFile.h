#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The event log text file as the export writes it: one row a line, five
// fields separated by ";", CR LF after every line, 8-bit text without
// conversion.
namespace EventLogFile {

// The file's bytes for these lines.
QByteArray Join(const QStringList& lines);

// Writes the file whole or not at all: the bytes go to a temporary file
// beside it, which replaces the file only once every byte is written. On any
// failure a file of that name is left as it was, and EFileError says what
// failed with the system's reason.
void WriteFile(const QString& path, const QByteArray& bytes);

} // namespace EventLogFile
