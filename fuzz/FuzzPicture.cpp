// Feeds arbitrary bytes to one picture decoder (PCX or JPEG, chosen when the
// target is built): every input either decodes to a picture no larger than
// a picture of the program can be, or raises the decoder's error.
#include "fuzz/FuzzSettings.h"
#include "platform/errors/Exception.h"
#include "platform/imaging/JpegDecoder.h"
#include "platform/imaging/PcxDecoder.h"
#include "platform/imaging/PictureLimits.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QImage image = STELPOD_DECODER(bytes);
        Fuzz::Require(!image.isNull() && image.format() == QImage::Format_RGB32,
                      "a decoded picture has 32-bit colour pixels");
        Fuzz::Require(image.width() <= MaxPictureSide && image.height() <= MaxPictureSide,
                      "a decoded picture is no larger than the limit");
        // Every pixel is read once, so a short buffer shows.
        quint32 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += image.pixel(x, y);
        (void)sum;
    } catch (const EInvalidOperation&) {
    }
    return 0;
}
