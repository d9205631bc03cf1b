#include "platform/chart/MarkerPictures.h"

#include <QPainter>
#include <cmath>
#include <tuple>

namespace {

// More looks than the markers and lines of a chart need; beyond it the
// pictures are made afresh.
constexpr size_t MostLooks = 32;

int FloorDiv(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

void DrawMarker(QPainter& painter, TSeriesPointerStyle style, const QPointF& p, double size) {
    const double x = p.x();
    const double y = p.y();
    switch (style) {
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

bool TMarkerPictures::TKey::operator<(const TKey& other) const {
    return std::tie(style, size, outline, fill) <
           std::tie(other.style, other.size, other.outline, other.fill);
}

bool TMarkerPictures::Usable(const QPainter& painter) {
    const QTransform device = painter.deviceTransform();
    return painter.testRenderHint(QPainter::Antialiasing) &&
           device.type() <= QTransform::TxTranslate && device.dx() == std::floor(device.dx()) &&
           device.dy() == std::floor(device.dy());
}

TMarkerPictures::TLook& TMarkerPictures::Look(TSeriesPointerStyle style, double size,
                                              const QColor& outline, const QColor& fill) {
    const TKey key{style, size, outline.rgba(), fill.rgba()};
    const auto found = looks_.find(key);
    if (found != looks_.end())
        return found->second;
    if (looks_.size() >= MostLooks)
        looks_.clear();
    TLook& look = looks_[key];
    look.style_ = style;
    look.size_ = size;
    look.outline_ = outline;
    look.fill_ = fill;
    return look;
}

void TMarkerPictures::TLook::Draw(QPainter& painter, const QPointF& at) {
    QPoint corner;
    const QImage& picture = Placed(at, corner);
    painter.drawImage(corner, picture);
}

const QImage& TMarkerPictures::TLook::Placed(const QPointF& at, QPoint& corner) {
    const int cellX = int(std::floor(at.x() * Steps + 0.5));
    const int cellY = int(std::floor(at.y() * Steps + 0.5));
    const int pixelX = FloorDiv(cellX, Steps);
    const int pixelY = FloorDiv(cellY, Steps);
    const int stepX = cellX - pixelX * Steps;
    const int stepY = cellY - pixelY * Steps;
    QImage& picture = pictures_[size_t(stepY * Steps + stepX)];
    // Room for the marker, its outline and the antialiased edge.
    const int half = int(std::ceil(size_)) + 2;
    if (picture.isNull()) {
        picture = QImage(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (outline_.alpha() > 0)
            painter.setPen(QPen(outline_, 1));
        else
            painter.setPen(Qt::NoPen);
        painter.setBrush(fill_);
        DrawMarker(painter, style_,
                   QPointF(half + double(stepX) / Steps, half + double(stepY) / Steps), size_);
    }
    corner = QPoint(pixelX - half, pixelY - half);
    return picture;
}

TMarkerPictures& MarkerPictures() {
    static TMarkerPictures pictures;
    return pictures;
}
