#pragma once

#include <QImage>
#include <QPoint>

// The eight steps of the outline trace, (dX, dY) with Y downward; going up
// the index turns counter-clockwise on the screen.
inline constexpr QPoint TraceDirections[8] = {{1, 0},  {1, -1}, {0, -1}, {-1, -1},
                                              {-1, 0}, {-1, 1}, {0, 1},  {1, 1}};

// Follows the border of the first shape (row by row from the top left) whose
// pixels differ from the colour of pixel (0, 0), clockwise on the screen, and
// stores its corners in `points` (room for `capacity` points). Horizontal
// and vertical runs keep only their end points. The offsets are added to
// every stored point. Returns the index of the last stored point, or -1 when
// the bitmap has no foreground pixel.
//
// A shape with a one-pixel-wide straight part of three or more pixels can
// make the trace walk back and forth along it without closing or storing new
// points; the trace therefore also stops after 8 x width x height moves,
// more than any closing outline needs.
int GenRegion(QPoint* points, int capacity, const QImage& bitmap, int xOffset, int yOffset);
