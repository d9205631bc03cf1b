#include "platform/chart/MarkerPictures.h"

#include <QPainter>
#include <cmath>
#include <tuple>

namespace {

// Places within a pixel, per direction.
constexpr int Steps = 4;
// More looks than the markers and lines of a chart need; beyond it the
// pictures are made afresh.
constexpr size_t MostPictures = 512;

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
    return std::tie(style, size, outline, fill, stepX, stepY) <
           std::tie(other.style, other.size, other.outline, other.fill, other.stepX, other.stepY);
}

bool TMarkerPictures::Usable(const QPainter& painter) {
    const QTransform device = painter.deviceTransform();
    return painter.testRenderHint(QPainter::Antialiasing) &&
           device.type() <= QTransform::TxTranslate && device.dx() == std::floor(device.dx()) &&
           device.dy() == std::floor(device.dy());
}

void TMarkerPictures::Draw(QPainter& painter, TSeriesPointerStyle style, double size,
                           const QColor& outline, const QColor& fill, const QPointF& at) {
    QPoint corner;
    const QImage& picture = Placed(style, size, outline, fill, at, corner);
    painter.drawImage(corner, picture);
}

const QImage& TMarkerPictures::Placed(TSeriesPointerStyle style, double size,
                                      const QColor& outline, const QColor& fill,
                                      const QPointF& at, QPoint& corner) {
    const int cellX = int(std::floor(at.x() * Steps + 0.5));
    const int cellY = int(std::floor(at.y() * Steps + 0.5));
    const int pixelX = FloorDiv(cellX, Steps);
    const int pixelY = FloorDiv(cellY, Steps);
    const QImage& picture = Picture(
        {style, size, outline.rgba(), fill.rgba(), cellX - pixelX * Steps, cellY - pixelY * Steps});
    const int half = picture.width() / 2;
    corner = QPoint(pixelX - half, pixelY - half);
    return picture;
}

const QImage& TMarkerPictures::Picture(const TKey& key) {
    const auto found = pictures_.find(key);
    if (found != pictures_.end())
        return found->second;
    if (pictures_.size() >= MostPictures)
        pictures_.clear();
    // Room for the marker, its outline and the antialiased edge.
    const int half = int(std::ceil(key.size)) + 2;
    QImage picture(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (qAlpha(key.outline) > 0)
        painter.setPen(QPen(QColor::fromRgba(key.outline), 1));
    else
        painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(key.fill));
    DrawMarker(painter, key.style,
               QPointF(half + double(key.stepX) / Steps, half + double(key.stepY) / Steps),
               key.size);
    painter.end();
    return pictures_.emplace(key, std::move(picture)).first->second;
}

TMarkerPictures& MarkerPictures() {
    static TMarkerPictures pictures;
    return pictures;
}
