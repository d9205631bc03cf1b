#include "platform/chart/Chart.h"

#include "platform/chart/ChartPainter.h"
#include "platform/chart/ChartSeries.h"
#include "platform/chart/PieSeries.h"
#include "platform/errors/Exception.h"
#include "platform/ui/Handler.h"

#include <QCursor>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QWheelEvent>
#include <algorithm>

namespace {

// A drag shorter than this, in both directions, is a click: it neither zooms
// nor undoes.
constexpr int MinimumDragPixels = 16;

// The widget's font with its size in pixels, so that a chart drawn onto a
// printer page, scaled, keeps its proportions.
QFont PixelFont(const QWidget& widget) {
    QFont font = widget.font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

} // namespace

TChart::TChart(QWidget* parent)
    : QWidget(parent),
      leftAxis_([this](double& low, double& high) { return DataRange(false, low, high); },
                [this] { Changed(); }),
      bottomAxis_([this](double& low, double& high) { return DataRange(true, low, high); },
                  [this] { Changed(); }),
      color_(palette().color(QPalette::Button)), wallColor_(palette().color(QPalette::Button)),
      wallBrush_(Qt::white) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TChart::~TChart() {
    for (TChartSeries* series : series_)
        series->chart_ = nullptr;
}

void TChart::AddSeries(TChartSeries* series) {
    if (series->chart_ == this)
        return;
    if (series->chart_)
        series->chart_->RemoveSeries(series);
    series_.push_back(series);
    series->chart_ = this;
    if (series->Active())
        SeriesActiveChanged(series);
    SeriesChanged();
}

void TChart::RemoveSeries(TChartSeries* series) {
    const auto at = std::find(series_.begin(), series_.end(), series);
    if (at == series_.end())
        return;
    series_.erase(at);
    series->chart_ = nullptr;
    SeriesChanged();
}

void TChart::Changed() {
    dragPicture_ = QImage();
    if (repaintPending_)
        return;
    repaintPending_ = true;
    update();
}

void TChart::SeriesChanged() {
    leftAxis_.DataChanged();
    bottomAxis_.DataChanged();
    Changed();
}

void TChart::SeriesActiveChanged(TChartSeries* series) {
    if (!qobject_cast<TPieSeries*>(series))
        return;
    const bool pie = series->Active();
    leftAxis_.SetVisible(!pie);
    bottomAxis_.SetVisible(!pie);
    allowZoom_ = !pie;
    allowPanning_ = !pie;
}

bool TChart::DataRange(bool horizontal, double& minimum, double& maximum) const {
    bool any = false;
    for (const TChartSeries* series : series_) {
        if (!series->Active() || !series->UsesAxes())
            continue;
        double low = 0;
        double high = 0;
        if (!(horizontal ? series->XRange(low, high) : series->YRange(low, high)))
            continue;
        minimum = any ? std::min(minimum, low) : low;
        maximum = any ? std::max(maximum, high) : high;
        any = true;
    }
    return any;
}

const TPieSeries* TChart::ActivePie() const {
    for (const TChartSeries* series : series_) {
        if (series->Active())
            if (const auto* pie = qobject_cast<const TPieSeries*>(series))
                return pie;
    }
    return nullptr;
}

void TChart::SetChartColor(const QColor& color) {
    color_ = color;
    Changed();
}

void TChart::SetBackWallColor(const QColor& color) {
    wallColor_ = color;
    Changed();
}

void TChart::SetBackWallBrush(const QBrush& brush) {
    wallBrush_ = brush;
    Changed();
}

void TChart::SetBackImage(const QPixmap& picture) {
    backImage_ = picture;
    Changed();
}

void TChart::SetMargins(int left, int top, int right, int bottom) {
    margins_[0] = left;
    margins_[1] = top;
    margins_[2] = right;
    margins_[3] = bottom;
    Changed();
}

QPoint TChart::CursorPos() const {
    return mapFromGlobal(QCursor::pos());
}

TChartTransform TChart::Transform() const {
    const QFontMetricsF metrics(PixelFont(*this), this);
    return TChartTransform(
        ChartPainter::PlotArea(rect(), margins_, metrics, leftAxis_, bottomAxis_),
        {bottomAxis_.Minimum(), bottomAxis_.Maximum()}, {leftAxis_.Minimum(), leftAxis_.Maximum()});
}

void TChart::Render(QPainter& painter, const QRect& target) const {
    painter.save();
    painter.setFont(PixelFont(*this));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(target, color_);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF area = ChartPainter::PlotArea(target, margins_, metrics, leftAxis_, bottomAxis_);
    const TChartTransform transform(area, {bottomAxis_.Minimum(), bottomAxis_.Maximum()},
                                    {leftAxis_.Minimum(), leftAxis_.Maximum()});
    ChartPainter::PaintBackWall(painter, area, wallColor_, wallBrush_, backImage_);
    ChartPainter::PaintGrid(painter, transform, leftAxis_, bottomAxis_);
    for (const TChartSeries* series : series_) {
        if (!series->Active())
            continue;
        painter.save();
        if (series->UsesAxes())
            painter.setClipRect(area, Qt::IntersectClip);
        series->Paint(painter, transform);
        painter.restore();
    }
    ChartPainter::PaintAxes(painter, target, transform, leftAxis_, bottomAxis_);
    painter.restore();
}

void TChart::paintEvent(QPaintEvent* event) {
    RunHandler([&] {
        repaintPending_ = false;
        QPainter painter(this);
        if (drag_ != TDrag::Zoom) {
            // Only the points in the part to repaint are drawn.
            painter.setClipRect(event->rect());
            Render(painter, rect());
            return;
        }
        const qreal ratio = devicePixelRatioF();
        if (dragPicture_.size() != size() * ratio) {
            dragPicture_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
            dragPicture_.setDevicePixelRatio(ratio);
            QPainter picture(&dragPicture_);
            Render(picture, rect());
        }
        painter.drawImage(QPoint(0, 0), dragPicture_);
        ChartPainter::PaintZoomRectangle(painter, QRectF(QRect(dragStart_, dragLast_)));
    });
}

void TChart::mousePressEvent(QMouseEvent* event) {
    RunHandler([&] {
        if (drag_ != TDrag::None)
            return;
        if (event->button() == Qt::LeftButton && allowZoom_)
            drag_ = TDrag::Zoom;
        else if (event->button() == Qt::RightButton && allowPanning_)
            drag_ = TDrag::Pan;
        dragStart_ = dragLast_ = event->position().toPoint();
    });
}

void TChart::mouseMoveEvent(QMouseEvent* event) {
    RunHandler([&] {
        const QPoint at = event->position().toPoint();
        if (const TPieSeries* pie = ActivePie()) {
            const QFontMetricsF metrics(PixelFont(*this), this);
            const bool onSlice = pie->SliceAt(Transform().PlotArea(), metrics, at) >= 0;
            setCursor(onSlice ? Qt::PointingHandCursor : Qt::CrossCursor);
        } else {
            setCursor(Qt::CrossCursor);
        }
        if (drag_ == TDrag::Zoom) {
            dragLast_ = at;
            update();
        } else if (drag_ == TDrag::Pan && at != dragLast_) {
            const QPoint delta = at - dragLast_;
            dragLast_ = at;
            Pan(delta);
        }
        if (OnMouseMove)
            OnMouseMove(this, event->modifiers(), at.x(), at.y());
    });
}

void TChart::mouseReleaseEvent(QMouseEvent* event) {
    RunHandler([&] {
        const TDrag drag = drag_;
        if ((drag == TDrag::Zoom && event->button() != Qt::LeftButton) ||
            (drag == TDrag::Pan && event->button() != Qt::RightButton))
            return;
        drag_ = TDrag::None;
        if (drag != TDrag::Zoom)
            return;
        dragPicture_ = QImage();
        update();
        const QPoint end = event->position().toPoint();
        const int dx = end.x() - dragStart_.x();
        const int dy = end.y() - dragStart_.y();
        if (dx >= MinimumDragPixels && dy >= MinimumDragPixels)
            DragZoom(QRect(dragStart_, end));
        else if ((dx < 0 || dy < 0) && std::max(std::abs(dx), std::abs(dy)) >= MinimumDragPixels)
            UndoZoom();
    });
}

void TChart::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore(); // a horizontal wheel
        return;
    }
    // Wheels and touchpads send steps of any size; OnMouseWheel comes once per
    // full notch turned one way, as the class library's wheel message does.
    if ((wheelDelta_ < 0) != (delta < 0))
        wheelDelta_ = 0;
    wheelDelta_ += delta;
    bool handled = true;
    while (std::abs(wheelDelta_) >= WheelNotch) {
        const int notch = wheelDelta_ > 0 ? WheelNotch : -WheelNotch;
        wheelDelta_ -= notch;
        handled = false;
        RunHandler([&] {
            if (OnMouseWheel)
                OnMouseWheel(this, event->modifiers(), notch, event->globalPosition().toPoint(),
                             handled);
        });
    }
    event->setAccepted(handled);
}

void TChart::DragZoom(const QRect& pixels) {
    TAxisRange x;
    TAxisRange y;
    Transform().ZoomedRanges(QRectF(pixels), x, y);
    if (!zoom_.Saved) {
        zoom_.LeftAutomatic = leftAxis_.Automatic();
        zoom_.BottomAutomatic = bottomAxis_.Automatic();
        zoom_.Left = {leftAxis_.Minimum(), leftAxis_.Maximum()};
        zoom_.Bottom = {bottomAxis_.Minimum(), bottomAxis_.Maximum()};
        zoom_.Saved = true;
    }
    leftAxis_.SetAutomatic(false);
    bottomAxis_.SetAutomatic(false);
    leftAxis_.SetMinMax(y.Minimum, y.Maximum);
    bottomAxis_.SetMinMax(x.Minimum, x.Maximum);
    Fire(OnZoom, this);
}

void TChart::Pan(const QPoint& delta) {
    TAxisRange x;
    TAxisRange y;
    Transform().PannedRanges(QPointF(delta), x, y);
    leftAxis_.SetAutomatic(false);
    bottomAxis_.SetAutomatic(false);
    leftAxis_.SetMinMax(y.Minimum, y.Maximum);
    bottomAxis_.SetMinMax(x.Minimum, x.Maximum);
    Fire(OnScroll, this);
}

void TChart::UndoZoom() {
    if (zoom_.Saved) {
        zoom_.Saved = false;
        const auto restore = [](TChartAxis& axis, bool automatic, const TAxisRange& range) {
            axis.SetAutomatic(false);
            axis.SetMinMax(range.Minimum, range.Maximum);
            if (automatic)
                axis.SetAutomatic(true);
        };
        restore(leftAxis_, zoom_.LeftAutomatic, zoom_.Left);
        restore(bottomAxis_, zoom_.BottomAutomatic, zoom_.Bottom);
    }
    update();
    Fire(OnUndoZoom, this);
}

void TChart::PrintLandscape(QPrinter* printer) {
    const QPageLayout::Orientation previous = printer->pageLayout().orientation();
    // Puts the printer's orientation back however printing ends.
    struct TRestore {
        QPrinter* printer;
        QPageLayout::Orientation orientation;
        ~TRestore() { printer->setPageOrientation(orientation); }
    } restore{printer, previous};

    printer->setDocName(objectName().isEmpty() ? QStringLiteral("Chart1") : objectName());
    printer->setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(printer))
        throw EInvalidOperation("Printer selected is not valid");
    try {
        const QSize size = this->size().isEmpty() ? QSize(640, 313) : this->size();
        const QRectF page(0, 0, printer->width(), printer->height());
        const double scale = std::min(page.width() / size.width(), page.height() / size.height());
        painter.translate((page.width() - size.width() * scale) / 2, 0);
        painter.scale(scale, scale);
        Render(painter, QRect(QPoint(0, 0), size));
    } catch (...) {
        printer->abort();
        painter.end();
        throw;
    }
    painter.end();
}
