#include "platform/chart/SeriesPainter.h"

#include "platform/chart/ChartColor.h"
#include "platform/chart/ChartTransform.h"
#include "platform/chart/LineStroke.h"
#include "platform/chart/MarkerPictures.h"
#include "platform/chart/PieSeries.h"
#include "platform/chart/PointSeries.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace SeriesPainter {

namespace {

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

// The part of the plot area that the painter draws on: a repaint of part of
// the chart (a button over it pressed) needs only the points there.
QRectF DrawnArea(const QPainter& painter, const TChartTransform& transform) {
    const QRectF& area = transform.PlotArea();
    return painter.hasClipping() ? area.intersected(painter.clipBoundingRect()) : area;
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
    const QRectF area = DrawnArea(painter, transform);
    if (area.isEmpty())
        return;
    const double pad = width + 2;
    const QRectF bounds = area.adjusted(-pad, -pad, pad, pad);
    size_t begin = 0;
    size_t end = 0;
    VisibleRange(xs, transform.FromPixelX(bounds.left()), transform.FromPixelX(bounds.right()),
                 begin, end);
    if (end - begin < 2)
        return;

    TLineStroke stroke(painter, width, bounds);
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
            stroke.Add(transform.ToPixel(xs[kept[k]], ys[kept[k]]), color);
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
    stroke.Finish();
}

void PaintPoints(QPainter& painter, const TPointSeries& series, const TChartTransform& transform) {
    const std::vector<double>& xs = series.XValues();
    const std::vector<double>& ys = series.YValues();
    if (xs.empty())
        return;
    const double size = series.PointerSize();
    const QRectF area = DrawnArea(painter, transform);
    if (area.isEmpty())
        return;
    const QRectF bounds = area.adjusted(-size - 1, -size - 1, size + 1, size + 1);
    size_t begin = 0;
    size_t end = 0;
    VisibleRange(xs, transform.FromPixelX(bounds.left()), transform.FromPixelX(bounds.right()),
                 begin, end);

    painter.save();
    const QPen outline(ColorToQColor(series.SeriesColor()), 1);
    painter.setPen(outline);
    // On the screen each marker is a copy of a picture of it; anywhere else
    // (a printer page, a scaled painter) it is drawn as a shape.
    const bool pictures = TMarkerPictures::Usable(painter);
    TMarkerPictures::TLook* look = nullptr;
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
        if (!haveLast || fill != lastFill) {
            if (pictures)
                look = &MarkerPictures().Look(series.PointerStyle(), size, outline.color(),
                                              ColorToQColor(fill));
            else
                painter.setBrush(ColorToQColor(fill));
        }
        haveLast = true;
        lastPixel = pixel;
        lastFill = fill;
        if (pictures)
            look->Draw(painter, p);
        else
            DrawMarker(painter, series.PointerStyle(), p, size);
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
