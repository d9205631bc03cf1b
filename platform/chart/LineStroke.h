#pragma once

#include "platform/chart/ChartColor.h"

#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <vector>

class QPainter;

// Draws a wide line through vertices given one by one, each segment in the
// colour of the vertex at which it ends, as a pen with round caps and joins
// draws it, but fast for a line of thousands of vertices that crosses itself
// (a dense battery curve):
// - runs of vertices that lie within 1/16 pixel of one straight segment are
//   drawn as that segment;
// - the segments are drawn with flat ends, which Qt's rasteriser draws
//   directly (a wide polyline with round joins goes through its general
//   path filler, which costs a hundred times more);
// - a disc at both ends of every segment gives the round caps and joins;
// - many segments of one colour are gathered into one picture (see
//   TLineCoverage) where the painter draws whole pixels, as on the screen.
// Segments reaching far outside `bounds` are cut to them first, as the
// rasteriser copes badly with huge coordinates.
class TLineStroke {
  public:
    TLineStroke(QPainter& painter, int width, const QRectF& bounds);

    void Add(const QPointF& vertex, TColor color);
    // Draws what is still held; call after the last vertex.
    void Finish();

  private:
    bool Extends(const QPointF& vertex) const;
    void Narrow(const QPointF& vertex);
    void EndSegment();
    void Flush();
    void FlushAsCoverage(const QColor& color);

    QPainter& painter_;
    QPen pen_;
    double radius_;
    QRectF bounds_;
    bool pictures_;

    // The segment being drawn out: from its start through the vertices that
    // lie close to one straight segment so far, ending at `end_`.
    bool started_ = false;
    bool open_ = false;
    QPointF start_;
    QPointF end_;
    TColor color_ = 0;
    // Directions from the start, relative to the first direction, that keep
    // every vertex so far within reach, and the furthest distance reached.
    bool aimed_ = false;
    double aim_ = 0;
    double lowest_ = 0;
    double highest_ = 0;
    double reach_ = 0;

    // Finished segments of one colour, not yet drawn, and the discs at
    // their ends.
    std::vector<QLineF> lines_;
    std::vector<QPointF> discs_;
    TColor batchColor_ = 0;
};
