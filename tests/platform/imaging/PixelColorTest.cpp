#include "platform/imaging/PixelColor.h"

#include <gtest/gtest.h>

namespace {

TEST(PixelColor, GivesBlueGreenRedWithRedInTheLowestByte) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgb(0, 0, 0));
    image.setPixel(2, 1, qRgb(0x12, 0x34, 0x56));
    image.setPixel(0, 1, qRgba(0xFF, 0xFF, 0xFF, 0x40)); // alpha does not count
    EXPECT_EQ(PixelColor(image, 2, 1), 0x563412);
    EXPECT_EQ(PixelColor(image, 0, 1), 0xFFFFFF);
    EXPECT_EQ(PixelColor(image, 0, 0), 0x000000);
}

TEST(PixelColor, OutsideThePictureGivesAValueNoRealColourHas) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(0xFF, 0xFF, 0xFF));
    const QPoint outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {4, 3}, {-5, 100}};
    for (const QPoint at : outside) {
        const TColor colour = PixelColor(image, at.x(), at.y());
        EXPECT_EQ(colour, InvalidPixelColor) << at.x() << "," << at.y();
        EXPECT_NE(colour, PixelColor(image, 0, 0));
        EXPECT_NE(colour & 0xFF000000, 0);
    }
    EXPECT_EQ(PixelColor(QImage(), 0, 0), InvalidPixelColor);
}

} // namespace
