#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <vector>

// Reads an event log text file one line at a time through a small buffer,
// so a file of any size is never held whole: a CR, an LF or the pair ends a
// line, and a last line without an end counts. A line longer than
// MaxLineLength is handed on cut to its first MaxLineLength + 1 bytes, read
// no further, so that a huge line is refused at once; the next call goes on
// after its end.
class TEventLogLines {
  public:
    // Far more than the longest line the export writes (about 100 bytes).
    static constexpr qsizetype MaxLineLength = 4096;

    // Raises EFileError "Cannot open file ..." with the system's reason.
    explicit TEventLogLines(const QString& path);

    // The next line, without its end, as the file's bytes; false at the end
    // of the file. Raises EFileError when reading fails.
    bool Next(QByteArray& line);
    // The number of the line that Next gave last, from 1.
    int Number() const { return number_; }

  private:
    bool fill();
    void skipRestOfLine();

    QFile file_;
    std::vector<char> buffer_;
    qsizetype position_ = 0;
    qsizetype size_ = 0;
    bool afterCarriageReturn_ = false; // an LF right here ends no line
    bool inLongLine_ = false;          // the rest of a cut line is still unread
    int number_ = 0;
};
