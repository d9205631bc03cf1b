#include "app/OutlineTrace.h"

#include "platform/imaging/PixelColor.h"

namespace {

// Positions outside the bitmap read as an invalid colour that equals no
// background, so they count as foreground.
TColor colourAt(const QImage& bitmap, QPoint position) {
    return PixelColor(bitmap, position.x(), position.y());
}

} // namespace

int GenRegion(QPoint* points, int capacity, const QImage& bitmap, int xOffset, int yOffset) {
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (width <= 0 || height <= 0 || capacity <= 0)
        return -1;
    const TColor background = colourAt(bitmap, {0, 0});

    QPoint current;
    bool found = false;
    for (int y = 0; y < height && !found; ++y)
        for (int x = 0; x < width && !found; ++x)
            if (colourAt(bitmap, {x, y}) != background) {
                current = {x, y};
                found = true;
            }
    if (!found)
        return -1;

    const long long maxMoves = 8LL * width * height;
    long long moves = 0;
    int i = 0;
    int j = 1;
    int k = -1;
    for (;;) {
        if (k >= 1 && ((current.x() == points[k].x() && current.x() == points[k - 1].x()) ||
                       (current.y() == points[k].y() && current.y() == points[k - 1].y()))) {
            points[k] = current;
        } else {
            if (k + 1 >= capacity)
                break;
            points[++k] = current;
        }

        bool moved = false;
        for (int tries = 0; tries < 8 && !moved; ++tries) {
            const QPoint candidate = current + TraceDirections[i];
            if ((k == 0 || candidate != points[k - 1]) &&
                colourAt(bitmap, candidate) != background &&
                colourAt(bitmap, current + TraceDirections[j]) == background) {
                current = candidate;
                moved = true;
            }
            i = j;
            j = (j + 1) % 8;
        }
        if (!moved || current == points[0] || ++moves >= maxMoves)
            break;
    }

    if (xOffset != 0 || yOffset != 0)
        for (int n = 0; n <= k; ++n)
            points[n] += QPoint(xOffset, yOffset);
    return k;
}
