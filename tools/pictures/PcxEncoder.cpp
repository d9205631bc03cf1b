#include "tools/pictures/PcxEncoder.h"

namespace {

void PutWord(QByteArray& bytes, int at, int value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

// One plane's line; runs stay within it, as the format's readers expect.
void EncodeRuns(QByteArray& out, const unsigned char* line, int length) {
    for (int i = 0; i < length;) {
        int count = 1;
        while (i + count < length && count < 63 && line[i + count] == line[i])
            ++count;
        if (count > 1 || line[i] >= 0xC0)
            out += char(0xC0 | count);
        out += char(line[i]);
        i += count;
    }
}

} // namespace

QByteArray EncodePcx(const QImage& image) {
    const int width = image.width(), height = image.height();
    const int bytesPerLine = (width + 1) & ~1; // lines have an even length

    QByteArray out(128, '\0');
    out[0] = 0x0A; // ZSoft
    out[1] = 5;    // version 5
    out[2] = 1;    // run-length encoding
    out[3] = 8;    // bits per pixel and plane
    PutWord(out, 8, width - 1);
    PutWord(out, 10, height - 1);
    PutWord(out, 12, 96);
    PutWord(out, 14, 96);
    out[65] = 3;
    PutWord(out, 66, bytesPerLine);
    PutWord(out, 68, 1); // colour
    PutWord(out, 70, width);
    PutWord(out, 72, height);

    QByteArray planes(3 * bytesPerLine, '\0');
    auto* plane = reinterpret_cast<unsigned char*>(planes.data());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = image.pixel(x, y);
            plane[x] = qRed(rgb);
            plane[bytesPerLine + x] = qGreen(rgb);
            plane[2 * bytesPerLine + x] = qBlue(rgb);
        }
        for (int p = 0; p < 3; ++p)
            EncodeRuns(out, plane + p * bytesPerLine, bytesPerLine);
    }
    return out;
}
