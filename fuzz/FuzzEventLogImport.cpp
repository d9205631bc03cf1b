// Feeds arbitrary files to the import's reading: the line reader and the
// conversion of every line, under the regional settings of several regions.
// With the second byte at 128 or more, the input's bytes start after rows
// whose length that byte chooses, so the reader's buffer ends somewhere in
// their first 2 KiB. Checks that the
// reader gives the lines the file holds, and that the import either takes a
// row from every line that is not blank or names the line it refuses.
#include "eventlog/viewer/EventLogImport.h"
#include "eventlog/viewer/EventLogLines.h"
#include "fuzz/FuzzSettings.h"
#include "platform/errors/Exception.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

constexpr qsizetype ReaderBuffer = 64 * 1024;

// The file's lines, found independently of the reader: a CR, an LF or the
// pair ends a line, and a last line without an end counts. A line longer
// than the reader's limit is given cut.
QList<QByteArray> LinesOf(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    for (QByteArray& line : lines)
        line.truncate(TEventLogLines::MaxLineLength + 1);
    return lines;
}

// Rows that every region converts, `length` bytes in all: few and long (the
// number may stand after blanks), so that each run stays quick.
QByteArray Filler(qsizetype length) {
    QByteArray filler;
    while (length - filler.size() >= 3) {
        const qsizetype row = std::min<qsizetype>(length - filler.size(), 4000);
        filler += QByteArray(row - 3, ' ') + "1\r\n";
    }
    return filler + QByteArray(length - filler.size(), '\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    Fuzz::UseRegion(data[0]);
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("import.txt"));
    const QByteArray bytes =
        (data[1] < 128 ? QByteArray() : Filler(ReaderBuffer - 16 * (data[1] - 128))) +
        QByteArray(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    {
        QFile file(path);
        Fuzz::Require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
                      "the file is written");
    }

    const QList<QByteArray> expected = LinesOf(bytes);
    TEventLogLines reader(path);
    QByteArray line;
    qsizetype count = 0;
    while (reader.Next(line)) {
        Fuzz::Require(count < expected.size() && line == expected[count],
                      "the reader gives the file's lines");
        ++count;
        Fuzz::Require(reader.Number() == count, "the reader counts its lines");
    }
    Fuzz::Require(count == expected.size(), "the reader gives every line");

    TEventLogImport import;
    try {
        import.Read(path);
        qsizetype rows = 0;
        for (const QByteArray& l : expected)
            rows += l.isEmpty() ? 0 : 1;
        Fuzz::Require(import.Count() == rows, "every line that is not blank gives a row");
    } catch (const EConvertError& error) {
        const QString prefix = error.Message().section(QLatin1Char(':'), 0, 0);
        bool number = false;
        const int refused = prefix.mid(6).toInt(&number);
        Fuzz::Require(prefix.startsWith(QLatin1String("Regel ")) && number && refused >= 1 &&
                          refused <= expected.size() && !expected[refused - 1].isEmpty(),
                      "a refused line is named by its number");
    }
    return 0;
}
