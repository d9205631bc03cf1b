#include "platform/chart/ChartPainter.h"

#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartTransform.h"
#include "platform/chart/TickGenerator.h"

#include <QPainter>
#include <algorithm>

namespace ChartPainter {

namespace {

constexpr double TickLength = 4;
constexpr double LabelGap = 2;
constexpr double TitleGap = 4;
// Labels of the left axis stand at least this many label heights apart, those
// of the bottom axis at least this many pixels beyond their width.
constexpr double LeftLabelSpacing = 2.5;
constexpr double BottomLabelSpacing = 16;

std::vector<double> Ticks(const TChartAxis& axis, const TAxisRange& range, int maxIntervals) {
    return axis.DateTime()
               ? TickGenerator::DateTimeTicks(range.Minimum, range.Maximum, maxIntervals)
               : TickGenerator::ValueTicks(range.Minimum, range.Maximum, maxIntervals);
}

double WidestLabel(const TChartAxis& axis, const std::vector<double>& ticks,
                   const QFontMetricsF& metrics) {
    double widest = 0;
    for (double tick : ticks)
        widest = std::max(widest, metrics.horizontalAdvance(axis.LabelText(tick)));
    return widest;
}

// Room left of the plot area for the left axis: labels, ticks and title.
double LeftRoom(const TChartAxis& left, const std::vector<double>& ticks,
                const QFontMetricsF& metrics) {
    double room = TickLength + LabelGap + WidestLabel(left, ticks, metrics) + LabelGap;
    if (!left.Title().isEmpty())
        room += metrics.height() + TitleGap;
    return room;
}

} // namespace

std::vector<double> LeftTicks(const TChartAxis& left, const TChartTransform& transform,
                              const QFontMetricsF& metrics) {
    const double spacing = metrics.height() * LeftLabelSpacing;
    const int intervals = std::max(1, int(transform.PlotArea().height() / spacing));
    return Ticks(left, transform.DrawnYRange(), intervals);
}

std::vector<double> BottomTicks(const TChartAxis& bottom, const TChartTransform& transform,
                                const QFontMetricsF& metrics) {
    const TAxisRange range = transform.DrawnXRange();
    const double width = std::max(metrics.horizontalAdvance(bottom.LabelText(range.Minimum)),
                                  metrics.horizontalAdvance(bottom.LabelText(range.Maximum)));
    const int intervals =
        std::max(1, int(transform.PlotArea().width() / (width + BottomLabelSpacing)));
    return Ticks(bottom, range, intervals);
}

QRectF PlotArea(const QRectF& target, const int margins[4], const QFontMetricsF& metrics,
                const TChartAxis& left, const TChartAxis& bottom) {
    QRectF area(target.left() + target.width() * margins[0] / 100.0,
                target.top() + target.height() * margins[1] / 100.0,
                target.width() * (100 - margins[0] - margins[2]) / 100.0,
                target.height() * (100 - margins[1] - margins[3]) / 100.0);
    if (left.Visible())
        area.setTop(area.top() + metrics.height() / 2);
    if (bottom.Visible()) {
        area.setBottom(area.bottom() - (TickLength + LabelGap + metrics.height()));
        if (!bottom.Title().isEmpty())
            area.setBottom(area.bottom() - metrics.height());
        // Half a bottom label sticks out right of the last tick.
        const double half = metrics.horizontalAdvance(bottom.LabelText(bottom.Maximum())) / 2;
        area.setRight(std::max(area.left() + 1, std::min(area.right(), target.right() - half)));
    }
    if (left.Visible()) {
        const TChartTransform probe(area, {bottom.Minimum(), bottom.Maximum()},
                                    {left.Minimum(), left.Maximum()});
        area.setLeft(area.left() + LeftRoom(left, LeftTicks(left, probe, metrics), metrics));
    }
    if (area.width() < 1)
        area.setWidth(1);
    if (area.height() < 1)
        area.setHeight(1);
    return area;
}

void PaintBackWall(QPainter& painter, const QRectF& area, const QColor& color, const QBrush& brush,
                   const QPixmap& picture) {
    painter.fillRect(area, color);
    if (brush.style() != Qt::NoBrush)
        painter.fillRect(area, brush);
    if (!picture.isNull()) {
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        const QPointF corner(area.center().x() - picture.width() / 2.0,
                             area.center().y() - picture.height() / 2.0);
        painter.drawPixmap(corner, picture);
        painter.restore();
    }
}

void PaintGrid(QPainter& painter, const TChartTransform& transform, const TChartAxis& left,
               const TChartAxis& bottom) {
    const QRectF& area = transform.PlotArea();
    const QFontMetricsF metrics = painter.fontMetrics();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(128, 128, 128), 0, Qt::DotLine));
    if (left.Visible()) {
        for (double tick : LeftTicks(left, transform, metrics)) {
            const double y = transform.ToPixelY(tick);
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        }
    }
    if (bottom.Visible()) {
        for (double tick : BottomTicks(bottom, transform, metrics)) {
            const double x = transform.ToPixelX(tick);
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
    }
    painter.restore();
}

void PaintAxes(QPainter& painter, const QRectF& target, const TChartTransform& transform,
               const TChartAxis& left, const TChartAxis& bottom) {
    const QRectF& area = transform.PlotArea();
    const QFontMetricsF metrics = painter.fontMetrics();
    const double height = metrics.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    if (left.Visible()) {
        painter.drawLine(area.topLeft(), area.bottomLeft());
        const std::vector<double> ticks = LeftTicks(left, transform, metrics);
        for (double tick : ticks) {
            const double y = transform.ToPixelY(tick);
            painter.drawLine(QPointF(area.left() - TickLength, y), QPointF(area.left(), y));
            const QString text = left.LabelText(tick);
            const double width = metrics.horizontalAdvance(text);
            painter.drawText(
                QRectF(area.left() - TickLength - LabelGap - width, y - height / 2, width, height),
                Qt::AlignRight | Qt::AlignVCenter, text);
        }
        if (!left.Title().isEmpty()) {
            const double x = area.left() - TickLength - LabelGap -
                             WidestLabel(left, ticks, metrics) - LabelGap - TitleGap - height / 2;
            painter.save();
            painter.translate(x, area.center().y());
            painter.rotate(-90);
            const double width = metrics.horizontalAdvance(left.Title());
            painter.drawText(QRectF(-width / 2, -height / 2, width, height), Qt::AlignCenter,
                             left.Title());
            painter.restore();
        }
    }
    if (bottom.Visible()) {
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        for (double tick : BottomTicks(bottom, transform, metrics)) {
            const double x = transform.ToPixelX(tick);
            painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + TickLength));
            const QString text = bottom.LabelText(tick);
            const double width = metrics.horizontalAdvance(text);
            // A label at an end of the axis is kept inside the chart.
            const double from = std::clamp(x - width / 2, target.left(),
                                           std::max(target.left(), target.right() - width));
            painter.drawText(QRectF(from, area.bottom() + TickLength + LabelGap, width, height),
                             Qt::AlignCenter, text);
        }
        if (!bottom.Title().isEmpty()) {
            const double width = metrics.horizontalAdvance(bottom.Title());
            painter.drawText(QRectF(area.center().x() - width / 2,
                                    area.bottom() + TickLength + LabelGap + height, width, height),
                             Qt::AlignCenter, bottom.Title());
        }
    }
    painter.restore();
}

void PaintZoomRectangle(QPainter& painter, const QRectF& rectangle) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.drawRect(rectangle.normalized());
    painter.restore();
}

} // namespace ChartPainter
