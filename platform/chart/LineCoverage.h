#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <array>
#include <cstdint>
#include <vector>

class QPainter;

// Wide antialiased segments and discs of one colour, gathered into one
// picture and drawn at once; where they overlap, their coverages add up as
// paint over paint does. A segment is covered row by row where it is steep
// and column by column where it is flat, exactly across the row or column
// and sampled at its middle along it (at several places where a flat end
// passes). Qt's rasteriser spends several times as long on each row of a
// wide line, and a dense battery curve is hundreds of thousands of rows
// long.
class TLineCoverage {
  public:
    // `area` is the part of the painter's whole pixels the picture covers.
    TLineCoverage(const QRect& area, QRgb color);

    // A segment with flat ends, `width` pixels wide.
    void Segment(const QPointF& a, const QPointF& b, double width);
    // A disc: `coverage` is a picture of it (its alpha) whose top left
    // corner lies on the pixel `corner`.
    void Disc(const QImage& coverage, const QPoint& corner);
    // Draws the picture onto the painter, whose coordinates are the pixels.
    void Draw(QPainter& painter) const;

  private:
    // Adds a coverage to a pixel's as paint over paint does.
    static void Add(std::uint8_t& alpha, double coverage) {
        Add(alpha, std::uint16_t(coverage * 255 + 0.5));
    }
    // `more` is at most 255, which makes the pixel whole. The product's
    // (alpha * more + 127) / 255 is taken in 16 bits, as pixels handled many
    // at once need.
    static void Add(std::uint8_t& alpha, std::uint16_t more) {
        const auto mixed = std::uint16_t(alpha * more + 128);
        alpha = std::uint8_t(alpha + more - std::uint16_t((mixed + (mixed >> 8)) >> 8));
    }
    void Cover(int x, int y, double coverage);
    template <bool Steep> void Rows(const QPointF& a, const QPointF& b, double width);
    template <bool Steep>
    void Between(int first, int last, double low, double width, double slope);
    // Positions across are counted in 1/Unit pixels.
    static constexpr double Unit = 65536;
    static void Spread(std::uint8_t* alphas, int count, int start, int step, int across);

    QRect area_;
    // The coverage of the picture's pixels, column by column; one buffer
    // serves every picture, as all painting runs on the one user interface
    // thread and one picture is drawn before the next is begun.
    std::vector<std::uint8_t>& alphas_;
    std::array<QRgb, 256> shades_;
};
