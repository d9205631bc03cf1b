#include "platform/chart/LineCoverage.h"

#include <QPainter>
#include <cstdint>
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Samples across the rows or columns where a segment's flat end passes.
constexpr int EndSamples = 4;

// A point with its coordinates along the rows or columns walked (`along`)
// and across them (`across`).
struct TPlace {
    double along;
    double across;
};

// The stretch [low, high] across that the convex polygon covers on the line
// at `along`; false when the line misses it.
bool Crossing(const TPlace (&corners)[4], double along, double& low, double& high) {
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        const TPlace& p = corners[i];
        const TPlace& q = corners[(i + 1) % 4];
        if ((along - p.along) * (along - q.along) > 0 || p.along == q.along)
            continue;
        const double across = p.across + (along - p.along) / (q.along - p.along) * (q.across - p.across);
        low = any ? std::min(low, across) : across;
        high = any ? std::max(high, across) : across;
        any = true;
    }
    return any;
}

// The buffers of the last picture, kept for the next: a fresh buffer of a
// few megabytes per redraw costs more in page faults than the drawing.
struct TScratch {
    std::vector<std::uint8_t> alphas;
    QImage strip;
};

TScratch& Scratch() {
    static TScratch scratch;
    return scratch;
}

} // namespace

TLineCoverage::TLineCoverage(const QRect& area, QRgb color)
    : area_(area), alphas_(Scratch().alphas) {
    alphas_.assign(size_t(std::max(0, area.width())) * size_t(std::max(0, area.height())), 0);
    for (int alpha = 0; alpha < 256; ++alpha)
        shades_[size_t(alpha)] = qPremultiply(qRgba(qRed(color), qGreen(color), qBlue(color), alpha));
}

void TLineCoverage::Cover(int x, int y, double coverage) {
    x -= area_.left();
    y -= area_.top();
    if (x < 0 || y < 0 || x >= area_.width() || y >= area_.height())
        return;
    Add(alphas_[size_t(x) * size_t(area_.height()) + size_t(y)], coverage);
}

void TLineCoverage::Segment(const QPointF& a, const QPointF& b, double width) {
    if (std::abs(b.y() - a.y()) >= std::abs(b.x() - a.x()))
        Rows<true>(a, b, width);
    else
        Rows<false>(a, b, width);
}

// Walks the rows (Steep) or columns the segment's rectangle crosses. In each
// one the stretch it covers across is taken at the middle of the row, which
// is exact while both long sides cross the whole row; where a flat end
// passes, the stretches of several lines through the row are averaged.
template <bool Steep>
void TLineCoverage::Rows(const QPointF& a, const QPointF& b, double width) {
    const auto place = [](const QPointF& p) {
        return Steep ? TPlace{p.y(), p.x()} : TPlace{p.x(), p.y()};
    };
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    if (!(length > 0))
        return;
    const double half = width / 2;
    const QPointF normal(-(b.y() - a.y()) / length * half, (b.x() - a.x()) / length * half);
    const TPlace corners[4] = {place(a + normal), place(b + normal), place(b - normal),
                               place(a - normal)};
    // Where along the flat ends lie: rows there need several samples.
    const auto span = [](const TPlace& p, const TPlace& q) {
        return std::make_pair(std::min(p.along, q.along), std::max(p.along, q.along));
    };
    const auto [endALow, endAHigh] = span(corners[0], corners[3]);
    const auto [endBLow, endBHigh] = span(corners[1], corners[2]);
    double first = corners[0].along;
    double last = first;
    for (const TPlace& corner : corners) {
        first = std::min(first, corner.along);
        last = std::max(last, corner.along);
    }
    const int lowLine = Steep ? area_.top() : area_.left();
    const int highLine = Steep ? area_.bottom() : area_.right();
    const int from = std::max(int(std::floor(first)), lowLine);
    const int to = std::min(int(std::ceil(last)) - 1, highLine);

    // Between the ends the long sides alone bound each row: the stretch
    // across runs from one to the other, moving by `slope` per row. Where a
    // flat end passes, the stretches at several places in the row are
    // averaged.
    const double slope = (corners[1].across - corners[0].across) /
                         (corners[1].along != corners[0].along ? corners[1].along - corners[0].along : 1);
    // The lines where a flat end passes, as whole lines.
    const int endAFirst = int(std::floor(endALow));
    const int endALast = int(std::ceil(endAHigh)) - 1;
    const int endBFirst = int(std::floor(endBLow));
    const int endBLast = int(std::ceil(endBHigh)) - 1;
    const auto atEnd = [&](int line) {
        return (line >= endAFirst && line <= endALast) || (line >= endBFirst && line <= endBLast);
    };
    // The last line from `line` on before the next flat end.
    const auto beforeEnd = [&](int line) {
        int last = to;
        if (endAFirst > line && endAFirst <= endALast)
            last = std::min(last, endAFirst - 1);
        if (endBFirst > line && endBFirst <= endBLast)
            last = std::min(last, endBFirst - 1);
        return last;
    };
    for (int line = from; line <= to; ++line) {
        if (!atEnd(line)) {
            const int runEnd = beforeEnd(line);
            const double middle = line + 0.5;
            const double one = corners[0].across + (middle - corners[0].along) * slope;
            const double other = corners[3].across + (middle - corners[3].along) * slope;
            Between<Steep>(line, runEnd, std::min(one, other), std::abs(other - one), slope);
            line = runEnd;
            continue;
        }
        // The samples' stretches, summed per pixel from the first pixel any
        // of them reaches.
        double low[EndSamples];
        double high[EndSamples];
        int leftmost = INT_MAX;
        int rightmost = INT_MIN;
        for (int s = 0; s < EndSamples; ++s) {
            if (!Crossing(corners, line + (s + 0.5) / EndSamples, low[s], high[s]) ||
                !(high[s] > low[s])) {
                low[s] = high[s] = 0;
                continue;
            }
            leftmost = std::min(leftmost, int(std::floor(low[s])));
            rightmost = std::max(rightmost, int(std::ceil(high[s])) - 1);
        }
        for (int pixel = leftmost; pixel <= rightmost; ++pixel) {
            double share = 0;
            for (int s = 0; s < EndSamples; ++s)
                share += std::max(0.0, std::min(high[s], pixel + 1.0) - std::max(low[s], double(pixel)));
            if (share > 0)
                Steep ? Cover(pixel, line, share / EndSamples)
                      : Cover(line, pixel, share / EndSamples);
        }
    }
}

// Rows (Steep) or columns `first` to `last`, each covered across from `low`
// (at the first one's middle, moving by `slope` per row) over `width`.
// Positions are kept in 1/Unit pixels, added row by row. The pixels are
// visited column by column, each column's run down its rows in one go: the
// buffer holds the columns one after another, so every run is one stretch
// of memory.
template <bool Steep>
void TLineCoverage::Between(int first, int last, double low, double width, double slope) {
    const long long from = std::llround(low * Unit);
    const long long across = std::llround(width * Unit);
    const long long move = std::llround(slope * Unit);
    const int lowAcross = Steep ? area_.left() : area_.top();
    const int highAcross = Steep ? area_.right() : area_.bottom();
    const size_t height = size_t(area_.height());
    const auto column = [&](int x, int y) {
        return &alphas_[size_t(x - area_.left()) * height + size_t(y - area_.top())];
    };
    if constexpr (!Steep) {
        // A column per line: its pixels lie one under the other.
        long long start = from;
        for (int line = first; line <= last; ++line, start += move) {
            const int firstPixel = std::max(lowAcross, int(start >> 16));
            const int lastPixel = std::min(highAcross, int((start + across - 1) >> 16));
            if (firstPixel <= lastPixel)
                Spread(column(line, firstPixel), lastPixel - firstPixel + 1,
                       int(start - ((long long)firstPixel << 16)), -int(Unit), int(across));
        }
        return;
    }
    // The pixel columns that any row reaches, and in each the rows that reach
    // it (a row either side more, which adds nothing).
    const long long lastFrom = from + (last - first) * move;
    const int firstPixel = std::max(lowAcross, int(std::min(from, lastFrom) >> 16));
    const int lastPixel =
        std::min(highAcross, int((std::max(from, lastFrom) + across - 1) >> 16));
    for (int pixel = firstPixel; pixel <= lastPixel; ++pixel) {
        const long long left = (long long)pixel << 16;
        const int rows = last - first;
        int firstRow = 0;
        int lastRow = rows;
        if (move != 0) {
            const double reached = double(left - across - from) / double(move);
            const double passed = double(left + (long long)Unit - from) / double(move);
            firstRow = int(std::clamp(std::floor(std::min(reached, passed)), 0.0, rows + 1.0));
            lastRow = int(std::clamp(std::ceil(std::max(reached, passed)), -1.0, double(rows)));
        }
        if (firstRow <= lastRow)
            Spread(column(pixel, first + firstRow), lastRow - firstRow + 1,
                   int(from + firstRow * move - left), int(move), int(across));
    }
}

// The coverages of `count` pixels lying one after another: pixel i is covered
// where [start, start + across) moved by i * step meets [0, Unit). Kept
// free of branches, so that the compiler handles many pixels at once, and
// made a second time for processors with AVX2, which take twice as many.
[[gnu::target_clones("avx2", "default")]] void TLineCoverage::Spread(std::uint8_t* alphas, int count,
                                                                      int start, int step,
                                                                      int across) {
    constexpr int Whole = int(Unit);
    for (int i = 0; i < count; ++i) {
        const int at = start + i * step;
        const int share = std::clamp(at + across, 0, Whole) - std::clamp(at, 0, Whole);
        Add(alphas[i], std::uint16_t((share * 255 + Whole / 2) >> 16));
    }
}

void TLineCoverage::Disc(const QImage& coverage, const QPoint& corner) {
    const QRect placed = QRect(corner, coverage.size()).intersected(area_);
    const size_t height = size_t(area_.height());
    for (int y = placed.top(); y <= placed.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(coverage.constScanLine(y - corner.y()));
        for (int x = placed.left(); x <= placed.right(); ++x)
            if (const int alpha = qAlpha(row[x - corner.x()]))
                Add(alphas_[size_t(x - area_.left()) * height + size_t(y - area_.top())],
                    alpha / 255.0);
    }
}

void TLineCoverage::Draw(QPainter& painter) const {
    if (alphas_.empty())
        return;
    // A strip of rows at a time, read from the columns in tiles so that
    // both stay in the cache.
    constexpr int Strip = 64;
    QImage& strip = Scratch().strip;
    if (strip.width() < area_.width())
        strip = QImage(area_.width(), Strip, QImage::Format_ARGB32_Premultiplied);
    const size_t height = size_t(area_.height());
    for (int top = 0; top < area_.height(); top += Strip) {
        const int rows = std::min(Strip, area_.height() - top);
        for (int left = 0; left < area_.width(); left += Strip) {
            const int right = std::min(left + Strip, area_.width());
            for (int y = 0; y < rows; ++y) {
                auto* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
                for (int x = left; x < right; ++x)
                    row[x] = shades_[alphas_[size_t(x) * height + size_t(top + y)]];
            }
        }
        painter.drawImage(area_.topLeft() + QPoint(0, top), strip,
                          QRect(0, 0, area_.width(), rows));
    }
}
