#pragma once

#include <QByteArray>
#include <QImage>

// A small PCX writer for the decoder's tests: version 5, run-length encoded,
// 8 bits per plane, either three colour planes or one plane with the picture's
// own colour table (the image must then be Format_Indexed8). With
// `runsAcrossLines` the whole picture is encoded as one stream, so runs cross
// from one plane or line into the next.
inline QByteArray WritePcx(const QImage& image, bool runsAcrossLines = false) {
    const bool indexed = image.format() == QImage::Format_Indexed8;
    const int planes = indexed ? 1 : 3;
    const int width = image.width(), height = image.height();
    const int bytesPerLine = (width + 1) & ~1;

    QByteArray header(128, '\0');
    auto put = [&](int at, int value) {
        header[at] = char(value & 0xFF);
        header[at + 1] = char(value >> 8);
    };
    header[0] = 0x0A;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    put(8, width - 1);
    put(10, height - 1);
    put(12, 72);
    put(14, 72);
    header[65] = char(planes);
    put(66, bytesPerLine);
    put(68, 1);

    QByteArray plain;
    for (int y = 0; y < height; ++y)
        for (int plane = 0; plane < planes; ++plane)
            for (int x = 0; x < bytesPerLine; ++x) {
                if (x >= width) {
                    plain += '\0';
                } else if (indexed) {
                    plain += char(image.pixelIndex(x, y));
                } else {
                    const QRgb rgb = image.pixel(x, y);
                    plain += char(plane == 0 ? qRed(rgb) : plane == 1 ? qGreen(rgb) : qBlue(rgb));
                }
            }

    QByteArray out = header;
    const int stretch = runsAcrossLines ? int(plain.size()) : bytesPerLine;
    for (int start = 0; start < plain.size(); start += stretch) {
        const int end = start + stretch;
        for (int i = start; i < end;) {
            const auto value = static_cast<unsigned char>(plain[i]);
            int count = 1;
            while (i + count < end && count < 63 &&
                   static_cast<unsigned char>(plain[i + count]) == value)
                ++count;
            if (count > 1 || value >= 0xC0)
                out += char(0xC0 | count);
            out += char(value);
            i += count;
        }
    }
    if (indexed) {
        out += char(12);
        for (int i = 0; i < 256; ++i) {
            const QRgb rgb = i < image.colorCount() ? image.color(i) : 0;
            out += char(qRed(rgb));
            out += char(qGreen(rgb));
            out += char(qBlue(rgb));
        }
    }
    return out;
}
