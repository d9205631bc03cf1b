#include "platform/chart/SeriesPainter.h"

#include "platform/chart/ChartColor.h"
#include "platform/chart/ChartTransform.h"
#include "platform/chart/PieSeries.h"
#include "platform/chart/PointSeries.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace SeriesPainter {

namespace {

// Wide antialiased polylines cost Qt far more than their length: a long one
// crossing itself takes hundreds of milliseconds. Lines are therefore drawn
// in runs of at most this many points; with round caps and joins the joins
// between runs look as the joins inside a run.
constexpr size_t RunLength = 32;

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

// Collects the line's vertices and draws them as runs of one colour. A
// segment takes the colour of its end vertex. Segments reaching far outside
// the plot area are cut to it first, as the rasteriser copes badly with
// huge coordinates.
class TLineRuns {
  public:
    TLineRuns(QPainter& painter, int width, const QRectF& bounds)
        : painter_(painter), pen_(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin),
          bounds_(bounds) {
        run_.reserve(RunLength);
    }

    void Add(const QPointF& vertex, TColor color) {
        if (!havePrevious_) {
            previous_ = vertex;
            havePrevious_ = true;
            return;
        }
        if (bounds_.contains(previous_) && bounds_.contains(vertex)) {
            if (!run_.empty() && (color != runColor_ || run_.size() >= RunLength))
                Flush();
            if (run_.empty()) {
                run_.push_back(previous_);
                runColor_ = color;
            }
            run_.push_back(vertex);
        } else {
            Flush();
            QPointF a = previous_;
            QPointF b = vertex;
            if (ClipSegment(bounds_, a, b)) {
                run_ = {a, b};
                runColor_ = color;
                if (b != vertex)
                    Flush();
            }
        }
        previous_ = vertex;
    }

    void Flush() {
        if (run_.size() >= 2) {
            pen_.setColor(ColorToQColor(runColor_));
            painter_.setPen(pen_);
            painter_.drawPolyline(run_.data(), int(run_.size()));
        }
        run_.clear();
    }

  private:
    QPainter& painter_;
    QPen pen_;
    QRectF bounds_;
    std::vector<QPointF> run_;
    TColor runColor_ = 0;
    QPointF previous_;
    bool havePrevious_ = false;
};

// The index range [begin, end) of the points between x values `from` and
// `to`, with one more point either side so that lines leave the area.
void VisibleRange(const std::vector<double>& xs, double from, double to, size_t& begin,
                  size_t& end) {
    begin = std::lower_bound(xs.begin(), xs.end(), from) - xs.begin();
    end = std::upper_bound(xs.begin(), xs.end(), to) - xs.begin();
    if (begin > 0)
        --begin;
    if (end < xs.size())
        ++end;
}

QPointF Direction(double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    return {std::cos(radians), -std::sin(radians)};
}

const QColor MarkColor(255, 255, 128);

} // namespace

void PaintLine(QPainter& painter, const TChartSeries& series, int width,
               const TChartTransform& transform) {
    const std::vector<double>& xs = series.XValues();
    const std::vector<double>& ys = series.YValues();
    if (xs.size() < 2)
        return;
    const QRectF& area = transform.PlotArea();
    const double pad = width + 2;
    const QRectF bounds = area.adjusted(-pad, -pad, pad, pad);
    size_t begin = 0;
    size_t end = 0;
    VisibleRange(xs, transform.FromPixelX(bounds.left()), transform.FromPixelX(bounds.right()),
                 begin, end);
    if (end - begin < 2)
        return;

    TLineRuns runs(painter, width, bounds);
    // The group being collected: consecutive points of one colour in one
    // pixel column.
    double column = 0;
    TColor color = 0;
    size_t first = begin;
    size_t lowest = begin;
    size_t highest = begin;
    size_t last = begin;
    const auto flush = [&] {
        size_t kept[4] = {first, lowest, highest, last};
        std::sort(kept, kept + 4);
        for (size_t k = 0; k < 4; ++k) {
            if (k > 0 && kept[k] == kept[k - 1])
                continue;
            runs.Add(transform.ToPixel(xs[kept[k]], ys[kept[k]]), color);
        }
    };
    for (size_t i = begin; i < end; ++i) {
        const double pixelColumn = std::floor(transform.ToPixelX(xs[i]));
        const TColor pointColor = series.ValueColor(int(i));
        if (i == begin || pixelColumn != column || pointColor != color) {
            if (i != begin)
                flush();
            column = pixelColumn;
            color = pointColor;
            first = lowest = highest = last = i;
            continue;
        }
        if (ys[i] < ys[lowest])
            lowest = i;
        if (ys[i] > ys[highest])
            highest = i;
        last = i;
    }
    flush();
    runs.Flush();
}

void PaintPoints(QPainter& painter, const TPointSeries& series, const TChartTransform& transform) {
    const std::vector<double>& xs = series.XValues();
    const std::vector<double>& ys = series.YValues();
    if (xs.empty())
        return;
    const double size = series.PointerSize();
    const QRectF bounds = transform.PlotArea().adjusted(-size - 1, -size - 1, size + 1, size + 1);
    size_t begin = 0;
    size_t end = 0;
    VisibleRange(xs, transform.FromPixelX(bounds.left()), transform.FromPixelX(bounds.right()),
                 begin, end);

    painter.save();
    painter.setPen(QPen(ColorToQColor(series.SeriesColor()), 1));
    bool haveLast = false;
    QPoint lastPixel;
    TColor lastFill = 0;
    for (size_t i = begin; i < end; ++i) {
        const QPointF p = transform.ToPixel(xs[i], ys[i]);
        if (!bounds.contains(p))
            continue;
        const TColor fill = series.FillColor(int(i));
        const QPoint pixel = p.toPoint();
        if (haveLast && pixel == lastPixel && fill == lastFill)
            continue;
        if (!haveLast || fill != lastFill)
            painter.setBrush(ColorToQColor(fill));
        haveLast = true;
        lastPixel = pixel;
        lastFill = fill;
        const double x = p.x();
        const double y = p.y();
        switch (series.PointerStyle()) {
        case TSeriesPointerStyle::psRectangle:
            painter.drawRect(QRectF(x - size, y - size, 2 * size, 2 * size));
            break;
        case TSeriesPointerStyle::psCircle:
            painter.drawEllipse(p, size, size);
            break;
        case TSeriesPointerStyle::psTriangle: {
            const QPointF corners[3] = {{x, y - size}, {x + size, y + size}, {x - size, y + size}};
            painter.drawPolygon(corners, 3);
            break;
        }
        case TSeriesPointerStyle::psDownTriangle: {
            const QPointF corners[3] = {{x - size, y - size}, {x + size, y - size}, {x, y + size}};
            painter.drawPolygon(corners, 3);
            break;
        }
        }
    }
    painter.restore();
}

TPieGeometry PieGeometry(const TPieSeries& series, const QRectF& area,
                         const QFontMetricsF& metrics) {
    TPieGeometry geometry;
    geometry.Centre = area.center();
    double total = 0;
    for (int i = 0; i < series.Count(); ++i)
        total += std::fabs(series.PieValue(i));
    if (!(total > 0))
        return geometry;

    double roomX = 0;
    double roomY = 0;
    if (series.MarksVisible()) {
        double widest = 0;
        for (int i = 0; i < series.Count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(series.Label(i)));
        roomX = series.ArrowLength() + widest + 6;
        roomY = series.ArrowLength() + metrics.height() + 4;
    }
    const double explode = series.ExplodeBiggest() / 100.0;
    geometry.Radius = std::max(1.0, std::min(area.width() / 2 - roomX, area.height() / 2 - roomY) /
                                        (1 + explode));

    double angle = 0;
    double biggest = -1;
    for (int i = 0; i < series.Count(); ++i) {
        const double value = std::fabs(series.PieValue(i));
        geometry.StartAngle.push_back(angle);
        geometry.SpanAngle.push_back(360 * value / total);
        angle += geometry.SpanAngle.back();
        if (value > biggest) {
            biggest = value;
            geometry.Exploded = i;
        }
    }
    if (explode > 0 && series.Count() > 1) {
        const int i = geometry.Exploded;
        geometry.ExplodeOffset = Direction(geometry.StartAngle[i] + geometry.SpanAngle[i] / 2) *
                                 geometry.Radius * explode;
    } else {
        geometry.Exploded = -1;
    }
    return geometry;
}

void PaintPie(QPainter& painter, const TPieSeries& series, const QRectF& area) {
    const QFontMetricsF metrics = painter.fontMetrics();
    const TPieGeometry geometry = PieGeometry(series, area, metrics);
    if (geometry.StartAngle.empty())
        return;
    const double r = geometry.Radius;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < series.Count(); ++i) {
        const QPointF centre =
            geometry.Centre + (i == geometry.Exploded ? geometry.ExplodeOffset : QPointF());
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(ColorToQColor(series.ValueColor(i)));
        painter.drawPie(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                        int(std::lround(geometry.StartAngle[i] * 16)),
                        int(std::lround(geometry.SpanAngle[i] * 16)));
    }
    if (series.MarksVisible()) {
        const double height = metrics.height();
        for (int i = 0; i < series.Count(); ++i) {
            const QPointF centre =
                geometry.Centre + (i == geometry.Exploded ? geometry.ExplodeOffset : QPointF());
            const QPointF direction = Direction(geometry.StartAngle[i] + geometry.SpanAngle[i] / 2);
            const QPointF from = centre + direction * r;
            const QPointF to = centre + direction * (r + series.ArrowLength());
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(from, to);
            const QString& text = series.Label(i);
            const double width = metrics.horizontalAdvance(text) + 4;
            const double left = direction.x() >= 0 ? to.x() : to.x() - width;
            const double top = to.y() - height / 2 + direction.y() * height / 2;
            const QRectF box(left, top, width, height);
            painter.setBrush(MarkColor);
            painter.drawRect(box);
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }
    painter.restore();
}

} // namespace SeriesPainter
