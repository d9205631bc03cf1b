#include "platform/imaging/PixelColor.h"

TColor PixelColor(const QImage& image, int x, int y) {
    if (!image.valid(x, y))
        return InvalidPixelColor;
    const QRgb rgb = image.pixel(x, y);
    return TColor(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}
