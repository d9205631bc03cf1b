#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The event log text file: one row a line, five fields separated by ";",
// CR LF after every line, 8-bit text without conversion.
namespace EventLogFile {

// The lines of a file's bytes: a CR, an LF or the pair ends a line, a last
// line without an end counts, and a zero byte ends the text.
QStringList SplitLines(const QByteArray& bytes);

// The fields of a line: the texts between the separators; a ";" at the very
// end opens no further field. The old kind text "Vermogensstand gewijzigd"
// reads as "Insch./wijz. vermogensstand".
QStringList SplitFields(const QString& line);

// The file's bytes for these lines.
QByteArray Join(const QStringList& lines);

// Reads and writes whole files; EFileError with the file name and the
// system's reason when that fails.
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

} // namespace EventLogFile
