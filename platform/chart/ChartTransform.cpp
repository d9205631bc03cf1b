#include "platform/chart/ChartTransform.h"

namespace {

// The drawn span of a range: a range of zero width (one value, or no data)
// gets one unit either side, so that mapping never divides by zero.
void Span(const TAxisRange& range, double length, double& from, double& scale) {
    from = range.Minimum;
    double to = range.Maximum;
    if (!(to > from)) {
        from -= 1;
        to += 1;
    }
    scale = length > 0 ? length / (to - from) : 1;
}

} // namespace

TChartTransform::TChartTransform(const QRectF& plotArea, TAxisRange x, TAxisRange y)
    : area_(plotArea), x_(x), y_(y) {
    Span(x_, area_.width(), xFrom_, xScale_);
    Span(y_, area_.height(), yFrom_, yScale_);
}

void TChartTransform::ZoomedRanges(const QRectF& pixels, TAxisRange& x, TAxisRange& y) const {
    const QRectF r = pixels.normalized();
    x = {FromPixelX(r.left()), FromPixelX(r.right())};
    y = {FromPixelY(r.bottom()), FromPixelY(r.top())};
}

void TChartTransform::PannedRanges(const QPointF& delta, TAxisRange& x, TAxisRange& y) const {
    const double dx = delta.x() / xScale_;
    const double dy = delta.y() / yScale_;
    x = {x_.Minimum - dx, x_.Maximum - dx};
    // Pixels grow downwards: moving the picture down brings higher values
    // into view.
    y = {y_.Minimum + dy, y_.Maximum + dy};
}
