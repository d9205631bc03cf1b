#include "PcxWriter.h"
#include "platform/errors/Exception.h"
#include "platform/imaging/JpegDecoder.h"
#include "platform/imaging/PcxDecoder.h"
#include "platform/imaging/PictureLimits.h"
#include "support/GoldenFiles.h"

#include <QBuffer>
#include <QImageWriter>
#include <functional>
#include <gtest/gtest.h>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace {

QByteArray WriteJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    return bytes;
}

// The decoder's result as text: the picture's size, or the error's text.
QString Outcome(const std::function<QImage(const QByteArray&)>& decode, const QByteArray& data) {
    try {
        const QImage image = decode(data);
        return QStringLiteral("%1 x %2").arg(image.width()).arg(image.height());
    } catch (const EInvalidOperation& error) {
        return error.Message();
    }
}

struct Decoder {
    const char* name;
    std::function<QImage(const QByteArray&)> decode;
    std::function<QByteArray(const QImage&)> write;
};

const Decoder decoders[] = {
    {"Invalid PCX picture", DecodePcx, [](const QImage& image) { return WritePcx(image); }},
    {"Invalid JPEG picture", DecodeJpeg, WriteJpeg},
};

// A picture as large as the limit decodes; one pixel more in either
// direction is refused by its size alone.
TEST(PictureLimit, APictureUpToTheLimitDecodesAndALargerOneIsRefused) {
    for (const Decoder& decoder : decoders) {
        for (const QSize size : {QSize(MaxPictureSide, 2), QSize(2, MaxPictureSide)}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            EXPECT_EQ(Outcome(decoder.decode, decoder.write(image)),
                      QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()))
                << decoder.name;
        }
        for (const QSize size : {QSize(MaxPictureSide + 1, 2), QSize(2, MaxPictureSide + 1)}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            EXPECT_EQ(Outcome(decoder.decode, decoder.write(image)),
                      QStringLiteral("%1: %2 x %3 pixels is larger than 2048 x 2048")
                          .arg(QLatin1String(decoder.name))
                          .arg(size.width())
                          .arg(size.height()));
        }
    }
}

// Inputs that once made a decoder fail (the fuzz targets' findings among
// them), each with the outcome it must give now.
TEST(PictureLimit, FoundInputsGiveTheirExpectedOutcome) {
    const std::vector<GoldenCase> cases = GoldenCases(QStringLiteral("imaging"));
    ASSERT_FALSE(cases.empty());
    for (const GoldenCase& c : cases) {
        const bool jpeg = c.name.endsWith(QLatin1String(".jpg"));
        EXPECT_EQ(Outcome(jpeg ? decoders[1].decode : decoders[0].decode, c.input), c.expected)
            << c.name.toStdString();
    }
}

} // namespace
