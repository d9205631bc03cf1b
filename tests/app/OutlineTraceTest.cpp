#include "app/OutlineTrace.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

QImage bitmap(int width, int height, const std::vector<QPoint>& pixels) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const QPoint& pixel : pixels)
        image.setPixel(pixel, qRgb(0, 0, 0));
    return image;
}

QImage block(int width, int height, QRect area, std::vector<QPoint> more = {}) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            more.push_back({x, y});
    return bitmap(width, height, more);
}

QImage disc(int size, int radius) {
    const int centre = size / 2;
    std::vector<QPoint> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((x - centre) * (x - centre) + (y - centre) * (y - centre) <= radius * radius)
                pixels.push_back({x, y});
    return bitmap(size, size, pixels);
}

struct TraceCase {
    const char* name;
    QImage image;
    QPoint offset;
    int result;
    // Checked when not empty; the disc cases check the count only.
    std::vector<QPoint> points;
};

} // namespace

TEST(OutlineTraceTest, TracesEachShapeAsExpected) {
    const std::vector<TraceCase> cases = {
        {"no foreground", bitmap(6, 5, {}), {3, -1}, -1, {}},
        {"one pixel", bitmap(5, 5, {{2, 2}}), {0, 0}, 0, {{2, 2}}},
        {"4x3 block",
         block(9, 8, QRect(QPoint(2, 2), QPoint(5, 4))),
         {0, 0},
         4,
         {{2, 2}, {5, 2}, {5, 4}, {2, 4}, {2, 3}}},
        {"L with its inner corner cut",
         block(9, 9, QRect(QPoint(2, 2), QPoint(3, 6)),
               {{4, 5}, {5, 5}, {6, 5}, {4, 6}, {5, 6}, {6, 6}}),
         {0, 0},
         7,
         {{2, 2}, {3, 2}, {3, 4}, {4, 5}, {6, 5}, {6, 6}, {2, 6}, {2, 3}}},
        {"diagonal line ends at its tip",
         bitmap(8, 8, {{2, 2}, {3, 3}, {4, 4}, {5, 5}}),
         {0, 0},
         3,
         {{2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        {"two-pixel line", bitmap(6, 5, {{2, 2}, {3, 2}}), {0, 0}, 1, {{2, 2}, {3, 2}}},
        {"only the first of two shapes",
         block(8, 8, QRect(QPoint(1, 1), QPoint(2, 2)), {{5, 5}, {6, 5}}),
         {0, 0},
         3,
         {{1, 1}, {2, 1}, {2, 2}, {1, 2}}},
        {"offsets move every point",
         block(9, 8, QRect(QPoint(2, 2), QPoint(5, 4))),
         {3, -1},
         4,
         {{5, 1}, {8, 1}, {8, 3}, {5, 3}, {5, 2}}},
        {"disc of radius 300 fills the array", disc(605, 300), {0, 0}, 1023, {}},
        {"disc of radius 150 closes", disc(305, 150), {0, 0}, 567, {}},
    };
    for (const TraceCase& c : cases) {
        // Room past the capacity shows anything written beyond it.
        const QPoint untouched(-7777, -7777);
        std::vector<QPoint> points(1024 + 16, untouched);
        const int result = GenRegion(points.data(), 1024, c.image, c.offset.x(), c.offset.y());
        EXPECT_EQ(result, c.result) << c.name;
        if (!c.points.empty()) {
            EXPECT_EQ(std::vector<QPoint>(points.begin(), points.begin() + result + 1), c.points)
                << c.name;
        }
        for (size_t n = std::max(result + 1, 0); n < points.size(); ++n)
            ASSERT_EQ(points[n], untouched) << c.name << " wrote index " << n;
    }
}

TEST(OutlineTraceTest, ClosedOutline_EndsBesideItsStartWithoutRepeatingIt) {
    std::vector<QPoint> points(1024);
    const int last = GenRegion(points.data(), 1024, disc(305, 150), 0, 0);
    ASSERT_GT(last, 2);
    EXPECT_NE(points[last], points[0]);
    EXPECT_LE((points[last] - points[0]).manhattanLength(), 2);
}

// A one-pixel-wide straight part walks back and forth without storing new
// points; the bound on the moves ends it.
TEST(OutlineTraceTest, BackAndForthAlongAThinPart_Ends) {
    const QImage line = bitmap(9, 5, {{2, 2}, {3, 2}, {4, 2}, {5, 2}});
    std::vector<QPoint> points(1024);
    const int last = GenRegion(points.data(), 1024, line, 0, 0);
    EXPECT_GE(last, 1);
    EXPECT_LE(last, 3);
}

TEST(OutlineTraceTest, NoPictureOrNoRoom_StoresNothing) {
    std::vector<QPoint> points(4, QPoint(-1, -1));
    EXPECT_EQ(GenRegion(points.data(), 1024, QImage(), 0, 0), -1);
    EXPECT_EQ(GenRegion(points.data(), 0, bitmap(5, 5, {{2, 2}}), 0, 0), -1);
    EXPECT_EQ(points[0], QPoint(-1, -1));
}
