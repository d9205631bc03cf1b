#include "platform/imaging/JpegDecoder.h"
#include "platform/errors/Exception.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Written by Qt's own JPEG writer, so the decoder is checked against an
// independent encoder.
QByteArray WriteJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
    return bytes;
}

// Four flat quarters in clearly different colours; JPEG keeps flat areas
// within a few steps of their colour.
QImage Quarters() {
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 32, 24, QColor(200, 30, 40));
    p.fillRect(32, 0, 32, 24, QColor(20, 180, 60));
    p.fillRect(0, 24, 32, 24, QColor(30, 50, 210));
    p.fillRect(32, 24, 32, 24, QColor(240, 240, 240));
    return image;
}

void ExpectClose(QRgb expected, QRgb actual, const char* where) {
    EXPECT_LE(std::abs(qRed(expected) - qRed(actual)), 6) << where;
    EXPECT_LE(std::abs(qGreen(expected) - qGreen(actual)), 6) << where;
    EXPECT_LE(std::abs(qBlue(expected) - qBlue(actual)), 6) << where;
}

TEST(JpegDecoder, RoundTripsColourPicture) {
    ASSERT_TRUE(QImageWriter::supportedImageFormats().contains("jpeg"));
    const QImage original = Quarters();
    const QImage decoded = DecodeJpeg(WriteJpeg(original));
    ASSERT_EQ(decoded.size(), original.size());
    for (const QPoint at : {QPoint(5, 5), QPoint(50, 10), QPoint(10, 40), QPoint(60, 44)})
        ExpectClose(original.pixel(at), decoded.pixel(at), "colour");
}

TEST(JpegDecoder, DecodesGreyscaleAsGreyColour) {
    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    const QImage decoded = DecodeJpeg(WriteJpeg(grey));
    ASSERT_EQ(decoded.size(), grey.size());
    const QRgb pixel = decoded.pixel(8, 8);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
    ExpectClose(qRgb(90, 90, 90), pixel, "grey");
}

TEST(JpegDecoder, DamagedOrForeignDataThrows) {
    const QByteArray good = WriteJpeg(Quarters());
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("not a picture at all"),
        QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
        good.left(2),
        good.left(good.size() / 2),
        good.left(good.size() - 10),
    };
    for (const QByteArray& data : cases)
        EXPECT_THROW(DecodeJpeg(data), EInvalidOperation) << data.size();
    // The decoder stays usable after a failure.
    EXPECT_EQ(DecodeJpeg(good).size(), QSize(64, 48));
}

} // namespace
