#include "platform/imaging/PcxDecoder.h"

#include "platform/errors/Exception.h"
#include "platform/imaging/PictureLimits.h"

#include <cstdint>

namespace {

constexpr int kHeaderSize = 128;
constexpr int kPaletteSize = 769; // the marker byte 12 and 256 RGB triples
constexpr unsigned char kPaletteMarker = 12;

[[noreturn]] void Fail(const QString& why) {
    throw EInvalidOperation(QStringLiteral("Invalid PCX picture: ") + why);
}

int Word(const unsigned char* at) {
    return at[0] | (at[1] << 8);
}

// Expands the run-length encoded stream in [from, to) into exactly `size`
// bytes. A run may cross from one plane or line into the next, as some
// writers produce it.
QByteArray Expand(const unsigned char* from, const unsigned char* to, qsizetype size) {
    QByteArray out(size, Qt::Uninitialized);
    auto* target = reinterpret_cast<unsigned char*>(out.data());
    qsizetype filled = 0;
    while (filled < size) {
        if (from == to)
            Fail(QStringLiteral("the picture data ends early"));
        unsigned char value = *from++;
        qsizetype count = 1;
        if ((value & 0xC0) == 0xC0) {
            count = value & 0x3F;
            if (from == to)
                Fail(QStringLiteral("the picture data ends inside a run"));
            value = *from++;
        }
        if (count > size - filled)
            count = size - filled; // a run that overshoots the last line is cut off
        for (qsizetype i = 0; i < count; ++i)
            target[filled++] = value;
    }
    return out;
}

} // namespace

QImage DecodePcx(const QByteArray& data) {
    if (data.size() < kHeaderSize)
        Fail(QStringLiteral("the header is incomplete"));
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    if (bytes[0] != 0x0A)
        Fail(QStringLiteral("not a PCX file"));
    if (bytes[1] != 5)
        Fail(QStringLiteral("version %1 is not supported").arg(bytes[1]));
    if (bytes[2] != 1)
        Fail(QStringLiteral("the encoding is not run-length"));
    if (bytes[3] != 8)
        Fail(QStringLiteral("%1 bits per plane are not supported").arg(bytes[3]));
    const int planes = bytes[65];
    if (planes != 1 && planes != 3)
        Fail(QStringLiteral("%1 planes are not supported").arg(planes));

    const int xMin = Word(bytes + 4), yMin = Word(bytes + 6);
    const int xMax = Word(bytes + 8), yMax = Word(bytes + 10);
    if (xMax < xMin || yMax < yMin)
        Fail(QStringLiteral("the picture window is empty"));
    const int width = xMax - xMin + 1;
    const int height = yMax - yMin + 1;
    if (width > MaxPictureSide || height > MaxPictureSide)
        Fail(QStringLiteral("%1 x %2 pixels is larger than %3 x %3")
                 .arg(width)
                 .arg(height)
                 .arg(MaxPictureSide));
    const int bytesPerLine = Word(bytes + 66);
    if (bytesPerLine < width)
        Fail(QStringLiteral("the line length is shorter than the picture width"));

    const unsigned char* dataEnd = bytes + data.size();
    const unsigned char* palette = nullptr;
    if (planes == 1) {
        if (data.size() < kHeaderSize + kPaletteSize ||
            bytes[data.size() - kPaletteSize] != kPaletteMarker)
            Fail(QStringLiteral("the colour palette is missing"));
        palette = dataEnd - kPaletteSize + 1;
        dataEnd -= kPaletteSize;
    }

    // Every two bytes of data give at most 63 pixels' bytes; a header that
    // claims more than the data can hold is refused before anything is
    // allocated for it.
    const qsizetype lineSize = qsizetype(planes) * bytesPerLine;
    const qsizetype size = lineSize * height;
    const qsizetype available = dataEnd - (bytes + kHeaderSize);
    if (size > (available / 2 + 1) * 63)
        Fail(QStringLiteral("the header declares more picture data than the file holds"));
    const QByteArray plain = Expand(bytes + kHeaderSize, dataEnd, size);
    const auto* pixels = reinterpret_cast<const unsigned char*>(plain.constData());

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        Fail(QStringLiteral("the picture is too large"));
    for (int y = 0; y < height; ++y) {
        const unsigned char* line = pixels + y * lineSize;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (palette) {
                const unsigned char* entry = palette + 3 * line[x];
                out[x] = qRgb(entry[0], entry[1], entry[2]);
            } else {
                out[x] = qRgb(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
            }
        }
    }
    return image;
}
