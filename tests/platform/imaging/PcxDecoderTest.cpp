#include "platform/imaging/PcxDecoder.h"
#include "platform/errors/Exception.h"
#include "platform/imaging/PcxWriter.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Long runs (over the 63 a run can hold), single pixels and values with the
// two top bits set, which the writer has to mark as runs of one; the odd width
// makes every line carry a padding byte.
QImage ColourPattern() {
    QImage image(101, 7, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           x < 70 ? qRgb(0xC1, 0x10 * y, 0xFF)
                                  : qRgb((x * 37 + y) & 0xFF, (x * 11) & 0xFF, 0xC0 + (x & 0x3F)));
    return image;
}

QImage IndexedPattern() {
    QImage image(33, 5, QImage::Format_Indexed8);
    image.setColorCount(256);
    for (int i = 0; i < 256; ++i)
        image.setColor(i, qRgb(i, 255 - i, (i * 7) & 0xFF));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 20 ? 0xC5 : (x * 29 + y * 3) & 0xFF);
    return image;
}

void ExpectSamePixels(const QImage& expected, const QImage& actual) {
    ASSERT_EQ(actual.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(qRgb(qRed(actual.pixel(x, y)), qGreen(actual.pixel(x, y)),
                           qBlue(actual.pixel(x, y))),
                      expected.pixel(x, y) | 0xFF000000)
                << "at " << x << "," << y;
}

TEST(PcxDecoder, RoundTripsColourAndPalettePictures) {
    const QImage colour = ColourPattern();
    const QImage indexed = IndexedPattern();
    ExpectSamePixels(colour, DecodePcx(WritePcx(colour)));
    ExpectSamePixels(indexed.convertToFormat(QImage::Format_RGB32), DecodePcx(WritePcx(indexed)));
    // Some writers let runs run on into the next plane or line.
    ExpectSamePixels(colour, DecodePcx(WritePcx(colour, true)));
    ExpectSamePixels(indexed.convertToFormat(QImage::Format_RGB32),
                     DecodePcx(WritePcx(indexed, true)));
}

TEST(PcxDecoder, HonoursThePictureWindowOrigin) {
    QByteArray file = WritePcx(ColourPattern());
    // Moving the window keeps its size: xmin/ymin 10,20 and xmax/ymax shifted alike.
    auto put = [&](int at, int value) {
        file[at] = char(value & 0xFF);
        file[at + 1] = char(value >> 8);
    };
    put(4, 10);
    put(6, 20);
    put(8, 10 + 100);
    put(10, 20 + 6);
    ExpectSamePixels(ColourPattern(), DecodePcx(file));
}

TEST(PcxDecoder, TruncatedFilesThrow) {
    const QByteArray colour = WritePcx(ColourPattern());
    for (qsizetype length = 0; length < colour.size(); ++length)
        EXPECT_THROW(DecodePcx(colour.left(length)), EInvalidOperation) << length;

    const QByteArray indexed = WritePcx(IndexedPattern());
    for (qsizetype length : {qsizetype(0), qsizetype(127), qsizetype(128), qsizetype(500),
                             indexed.size() - 769, indexed.size() - 1})
        EXPECT_THROW(DecodePcx(indexed.left(length)), EInvalidOperation) << length;
}

TEST(PcxDecoder, UnsupportedOrInconsistentHeadersThrow) {
    const QByteArray good = WritePcx(ColourPattern());
    struct Damage {
        const char* what;
        int at;
        int value;
    };
    const Damage damages[] = {
        {"manufacturer", 0, 0x0B},
        {"version", 1, 3},
        {"encoding", 2, 0},
        {"bits per plane", 3, 1},
        {"planes", 65, 4},
        {"no planes", 65, 0},
        {"xmax below xmin", 4, 0xFF},
        {"ymax below ymin", 6, 0xFF},
        {"short lines", 66, 50},
    };
    for (const Damage& d : damages) {
        QByteArray file = good;
        file[d.at] = char(d.value);
        EXPECT_THROW(DecodePcx(file), EInvalidOperation) << d.what;
    }
}

// A header that claims a large picture (within the size limit) over a few
// bytes of data is refused rather than allocated or read beyond the buffer.
TEST(PcxDecoder, HugeClaimedSizeWithLittleDataThrows) {
    QByteArray file = WritePcx(ColourPattern());
    auto put = [&](int at, int value) {
        file[at] = char(value & 0xFF);
        file[at + 1] = char(value >> 8);
    };
    put(8, 1999); // a window of 2000 x 2000 from 0,0
    put(10, 1999);
    put(66, 2000);
    try {
        DecodePcx(file);
        ADD_FAILURE() << "decoded";
    } catch (const EInvalidOperation& error) {
        // Refused from the header, before anything is allocated for the data.
        EXPECT_EQ(error.Message(),
                  "Invalid PCX picture: the header declares more picture data than the file holds");
    }
}

TEST(PcxDecoder, GarbageThrowsAndDamagedDataNeverCrashes) {
    QRandomGenerator random(7);
    QByteArray garbage(4000, '\0');
    for (char& c : garbage)
        c = char(random.bounded(256));
    garbage[0] = 0x0B;
    EXPECT_THROW(DecodePcx(garbage), EInvalidOperation);
    EXPECT_THROW(DecodePcx(QByteArray("\x89PNG\r\n\x1a\n")), EInvalidOperation);

    // Damaged picture data either still decodes or throws; it never reads
    // past the buffer (checked under the sanitizers).
    const QByteArray good = WritePcx(IndexedPattern());
    for (int round = 0; round < 300; ++round) {
        QByteArray file = good;
        for (int flips = 0; flips < 4; ++flips)
            file[128 + random.bounded(int(file.size()) - 128)] = char(random.bounded(256));
        try {
            const QImage image = DecodePcx(file);
            EXPECT_EQ(image.size(), IndexedPattern().size());
        } catch (const EInvalidOperation&) {
        }
    }
}

} // namespace
