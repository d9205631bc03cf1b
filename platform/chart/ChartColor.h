#pragma once

#include <QColor>
#include <cstdint>

// Colour values as the class library keeps them: $00BBGGRR, red in the lowest
// byte.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
// A point added with this colour takes its series' colour.
constexpr TColor clTeeColor = 0x20000000;

// The colour to paint for a colour value. Only the three low bytes count; a
// negative value (no colour of the $00BBGGRR range, e.g. the power-level ramp
// above 100 %) is painted black.
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);
