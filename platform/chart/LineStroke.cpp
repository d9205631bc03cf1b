#include "platform/chart/LineStroke.h"

#include "platform/chart/LineCoverage.h"
#include "platform/chart/MarkerPictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// How far, in pixels, a vertex may lie from the straight segment that is
// drawn in place of the vertices around it.
constexpr double Tolerance = 1.0 / 16;
// From this many segments of one colour on, they are drawn as one picture.
constexpr size_t ManySegments = 16;

// Cuts the segment a-b to the rectangle (Liang-Barsky); false when nothing of
// it lies inside.
bool ClipSegment(const QRectF& r, QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF from = a;
    a = from + QPointF(dx, dy) * t0;
    b = from + QPointF(dx, dy) * t1;
    return true;
}

// An angle brought into (-pi, pi].
double Wrapped(double angle) {
    return std::remainder(angle, 2 * std::numbers::pi);
}

} // namespace

TLineStroke::TLineStroke(QPainter& painter, int width, const QRectF& bounds)
    : painter_(painter), pen_(Qt::black, width, Qt::SolidLine, Qt::FlatCap),
      radius_(width / 2.0), bounds_(bounds), pictures_(TMarkerPictures::Usable(painter)) {}

void TLineStroke::Add(const QPointF& vertex, TColor color) {
    if (!started_) {
        started_ = true;
        start_ = end_ = vertex;
        return;
    }
    if (open_ && (color != color_ || !Extends(vertex)))
        EndSegment();
    if (!open_) {
        open_ = true;
        color_ = color;
        aimed_ = false;
        reach_ = 0;
    }
    Narrow(vertex);
    end_ = vertex;
}

void TLineStroke::Finish() {
    if (open_)
        EndSegment();
    Flush();
}

// Whether the segment from the start to `vertex` passes within the tolerance
// of every vertex since the start: the vertex lies in the directions that
// keep all of them within reach, and not back towards the start.
bool TLineStroke::Extends(const QPointF& vertex) const {
    const QPointF d = vertex - start_;
    const double distance = std::hypot(d.x(), d.y());
    if (distance < reach_ - Tolerance)
        return false;
    if (!aimed_ || distance <= Tolerance)
        return true;
    const double direction = Wrapped(std::atan2(d.y(), d.x()) - aim_);
    return direction >= lowest_ && direction <= highest_;
}

void TLineStroke::Narrow(const QPointF& vertex) {
    const QPointF d = vertex - start_;
    const double distance = std::hypot(d.x(), d.y());
    reach_ = std::max(reach_, distance);
    if (distance <= Tolerance)
        return;
    const double direction = std::atan2(d.y(), d.x());
    const double spread = std::asin(Tolerance / distance);
    if (!aimed_) {
        aimed_ = true;
        aim_ = direction;
        lowest_ = -spread;
        highest_ = spread;
        return;
    }
    const double relative = Wrapped(direction - aim_);
    lowest_ = std::max(lowest_, relative - spread);
    highest_ = std::min(highest_, relative + spread);
}

void TLineStroke::EndSegment() {
    QPointF a = start_;
    QPointF b = end_;
    start_ = end_;
    open_ = false;
    if (!(bounds_.contains(a) && bounds_.contains(b)) && !ClipSegment(bounds_, a, b))
        return;
    if (!lines_.empty() && color_ != batchColor_)
        Flush();
    batchColor_ = color_;
    if (lines_.empty() || lines_.back().p2() != a)
        discs_.push_back(a);
    lines_.emplace_back(a, b);
    discs_.push_back(b);
}

void TLineStroke::Flush() {
    if (lines_.empty())
        return;
    const QColor color = ColorToQColor(batchColor_);
    if (pictures_ && lines_.size() >= ManySegments) {
        FlushAsCoverage(color);
        return;
    }
    pen_.setColor(color);
    painter_.setPen(pen_);
    painter_.drawLines(lines_.data(), int(lines_.size()));
    if (pictures_) {
        TMarkerPictures::TLook& disc =
            MarkerPictures().Look(TSeriesPointerStyle::psCircle, radius_, Qt::transparent, color);
        for (const QPointF& at : discs_)
            disc.Draw(painter_, at);
    } else {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(color);
        for (const QPointF& at : discs_)
            painter_.drawEllipse(at, radius_, radius_);
    }
    lines_.clear();
    discs_.clear();
}

void TLineStroke::FlushAsCoverage(const QColor& color) {
    QRectF box;
    for (const QLineF& line : lines_)
        box |= QRectF(line.p1(), line.p2()).normalized();
    const double margin = radius_ + 2;
    const QRect area =
        box.adjusted(-margin, -margin, margin, margin).intersected(bounds_).toAlignedRect();
    TLineCoverage coverage(area, color.rgba());
    for (const QLineF& line : lines_)
        coverage.Segment(line.p1(), line.p2(), 2 * radius_);
    TMarkerPictures::TLook& disc =
        MarkerPictures().Look(TSeriesPointerStyle::psCircle, radius_, Qt::transparent, color);
    for (const QPointF& at : discs_) {
        QPoint corner;
        const QImage& picture = disc.Placed(at, corner);
        coverage.Disc(picture, corner);
    }
    coverage.Draw(painter_);
    lines_.clear();
    discs_.clear();
}
