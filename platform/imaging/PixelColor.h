#pragma once

#include <QImage>
#include <cstdint>

// Colour values as the class library keeps them: $00BBGGRR, red in the lowest
// byte.
using TColor = std::int32_t;

// What PixelColor gives for a position outside the picture. Every real colour
// has a zero top byte, so this value equals none of them.
constexpr TColor InvalidPixelColor = -1;

// The colour of the pixel at (x, y) as $00BBGGRR; the alpha channel is
// ignored. A position outside the picture (or any position of a null picture)
// gives InvalidPixelColor.
TColor PixelColor(const QImage& image, int x, int y);
