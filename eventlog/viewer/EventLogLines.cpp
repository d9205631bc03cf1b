#include "eventlog/viewer/EventLogLines.h"

#include "platform/errors/Exception.h"

#include <algorithm>

namespace {

constexpr qsizetype BufferSize = 64 * 1024;

const char* lineEnd(const char* begin, const char* end) {
    return std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
}

} // namespace

TEventLogLines::TEventLogLines(const QString& path) : file_(path), buffer_(BufferSize) {
    if (!file_.open(QIODevice::ReadOnly))
        throw EFileError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file_.errorString()));
}

bool TEventLogLines::fill() {
    const qint64 read = file_.read(buffer_.data(), qint64(buffer_.size()));
    if (read < 0)
        throw EFileError(QStringLiteral("Cannot read file \"%1\". %2")
                             .arg(file_.fileName(), file_.errorString()));
    position_ = 0;
    size_ = read;
    return read > 0;
}

void TEventLogLines::skipRestOfLine() {
    inLongLine_ = false;
    while (position_ < size_ || fill()) {
        const char* end = buffer_.data() + size_;
        const char* stop = lineEnd(buffer_.data() + position_, end);
        position_ = stop - buffer_.data();
        if (stop != end) {
            afterCarriageReturn_ = *stop == '\r';
            ++position_;
            return;
        }
    }
}

bool TEventLogLines::Next(QByteArray& line) {
    line.clear();
    if (inLongLine_)
        skipRestOfLine();
    bool found = false;
    while (position_ < size_ || fill()) {
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (buffer_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        found = true;
        const char* begin = buffer_.data() + position_;
        const char* end = buffer_.data() + size_;
        const char* stop = lineEnd(begin, end);
        line.append(begin, std::min<qsizetype>(stop - begin, MaxLineLength + 1 - line.size()));
        position_ = stop - buffer_.data();
        if (stop != end) {
            afterCarriageReturn_ = *stop == '\r';
            ++position_;
            break;
        }
        if (line.size() > MaxLineLength) {
            inLongLine_ = true;
            break;
        }
    }
    if (found)
        ++number_;
    return found;
}
