#include "tools/pictures/PanelPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

const QRgb kOutlineBackground = qRgb(0xFF, 0xFF, 0xFF);
const QRgb kOutlineShape = qRgb(0x20, 0x30, 0x80);

// The bar is a thick band along a flat arc with round ends, so its outline
// has no part one pixel wide. Centre line through (30, 50), (192, 26) and
// (354, 50) in the bar's own pixels, so that over the panel it arches just
// above the dials.
constexpr double kBarHalfWidth = 18;
constexpr double kBarCentreX = 192;
constexpr double kBarRadius = (162.0 * 162 + 24 * 24) / (2 * 24);
constexpr double kBarCentreY = 26 + kBarRadius;
constexpr double kBarEndX = 30, kBarEndY = 50;

bool InBar(double x, double y) {
    const double dx = x - kBarCentreX, dy = y - kBarCentreY;
    const double endDx = kBarCentreX - kBarEndX; // the ends lie symmetric
    const double endDy = kBarEndY - kBarCentreY;
    // Between the two ends (by angle from the circle's centre) the distance to
    // the arc is radial; beyond them it is the distance to the nearer end.
    if (std::abs(dx) * -endDy <= endDx * -dy && dy < 0)
        return std::abs(std::hypot(dx, dy) - kBarRadius) <= kBarHalfWidth;
    const double ex = dx < 0 ? kBarEndX : 2 * kBarCentreX - kBarEndX;
    return std::hypot(x - ex, y - kBarEndY) <= kBarHalfWidth;
}

QImage Outline(int width, int height, auto inside) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, inside(x + 0.5, y + 0.5) ? kOutlineShape : kOutlineBackground);
    return image;
}

// Where the panel's three level dials lie in the picture: the centres of
// the 81 x 81 areas that bring up the knobs.
const QPointF kDials[] = {{150.5, 124.5}, {250.5, 124.5}, {346.5, 153.5}};
const QColor kLevelColours[] = {QColor(0x3c, 0xc8, 0x4e), QColor(0xff, 0xb0, 0x20),
                                QColor(0xe8, 0x40, 0x3a)};
// The bar lies over the panel at this place, so an empty groove of its
// shape is drawn there.
const QPointF kBarOrigin(64, 25);

void DrawScrew(QPainter& p, QPointF at) {
    QRadialGradient head(at - QPointF(2, 2), 8);
    head.setColorAt(0, QColor(0xb8, 0xc2, 0xcc));
    head.setColorAt(1, QColor(0x5a, 0x64, 0x70));
    p.setPen(QPen(QColor(0x10, 0x14, 0x18), 1));
    p.setBrush(head);
    p.drawEllipse(at, 6, 6);
    p.setPen(QPen(QColor(0x30, 0x38, 0x40), 1.5));
    p.drawLine(at + QPointF(-4, 0), at + QPointF(4, 0));
}

void DrawDial(QPainter& p, QPointF centre, QColor level, int number) {
    // A recessed well with a scale of eleven ticks around it.
    QRadialGradient well(centre, 40);
    well.setColorAt(0, QColor(0x2e, 0x37, 0x42));
    well.setColorAt(0.85, QColor(0x1c, 0x22, 0x29));
    well.setColorAt(1, QColor(0x0c, 0x0f, 0x13));
    p.setPen(Qt::NoPen);
    p.setBrush(well);
    p.drawEllipse(centre, 40, 40);

    p.setPen(QPen(level, 3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre - QPointF(34, 34), QSizeF(68, 68));
    p.drawArc(ring, 225 * 16, -270 * 16);
    p.setPen(QPen(QColor(0xc8, 0xd0, 0xd8), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (int tick = 0; tick <= 10; ++tick) {
        const double a = (225 - 27 * tick) * std::numbers::pi / 180;
        const QPointF along(std::cos(a), -std::sin(a));
        p.drawLine(centre + along * 29, centre + along * (tick % 5 == 0 ? 23 : 26));
    }

    // The knob's cap with the level's number.
    QRadialGradient cap(centre - QPointF(6, 6), 26);
    cap.setColorAt(0, QColor(0x9a, 0xa4, 0xb0));
    cap.setColorAt(1, QColor(0x4a, 0x54, 0x60));
    p.setPen(QPen(QColor(0x0c, 0x0f, 0x13), 1));
    p.setBrush(cap);
    p.drawEllipse(centre, 19, 19);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x14, 0x18, 0x1e));
    p.drawText(QRectF(centre - QPointF(19, 19), QSizeF(38, 38)), Qt::AlignCenter,
               QString::number(number));
}

} // namespace

QImage BarOutline() {
    return Outline(384, 96, InBar);
}

QImage KnobOutline() {
    return Outline(98, 98, [](double x, double y) { return std::hypot(x - 49, y - 49) <= 45; });
}

// A top view of the control unit's face: a dark housing with the empty level
// gauge, the three power-level dials, the signal lights and a name plate.
QImage PanelPicture() {
    QImage image(502, 507, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.fillRect(image.rect(), QColor(0x0e, 0x12, 0x16));
    const QRectF housing(6.5, 6.5, 489, 494);
    QLinearGradient shade(housing.topLeft(), housing.bottomLeft());
    shade.setColorAt(0, QColor(0x33, 0x3e, 0x4b));
    shade.setColorAt(1, QColor(0x1a, 0x21, 0x29));
    p.setPen(QPen(QColor(0x05, 0x07, 0x09), 2));
    p.setBrush(shade);
    p.drawRoundedRect(housing, 28, 28);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(housing.adjusted(8, 8, -8, -8), 21, 21);
    for (QPointF at : {QPointF(32, 32), QPointF(470, 32), QPointF(32, 475), QPointF(470, 475)})
        DrawScrew(p, at);

    // The dark field under the dials keeps the white percentages readable.
    p.setPen(QPen(QColor(0x05, 0x07, 0x09), 1));
    p.setBrush(QColor(0x15, 0x1a, 0x20));
    p.drawRoundedRect(QRectF(92, 74, 314, 142), 16, 16);
    // The groove of the level gauge, in the bar's own shape.
    QImage groove(384, 96, QImage::Format_ARGB32);
    groove.fill(Qt::transparent);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 384; ++x)
            if (InBar(x + 0.5, y + 0.5))
                groove.setPixel(x, y, qRgba(0x0a, 0x0d, 0x11, 0xb0));
    p.drawImage(kBarOrigin, groove);

    for (int i = 0; i < 3; ++i)
        DrawDial(p, kDials[i], kLevelColours[i], i + 1);

    // Lights and name plate on the lower part of the face.
    for (int i = 0; i < 3; ++i) {
        const QPointF at(196 + 55 * i, 262);
        QRadialGradient glow(at - QPointF(3, 3), 12);
        glow.setColorAt(0, kLevelColours[i].lighter(160));
        glow.setColorAt(0.6, kLevelColours[i]);
        glow.setColorAt(1, kLevelColours[i].darker(170));
        p.setPen(QPen(QColor(0x05, 0x07, 0x09), 1.5));
        p.setBrush(glow);
        p.drawEllipse(at, 9, 9);
    }
    const QRectF plate(151, 296, 200, 44);
    p.setPen(QPen(QColor(0x8a, 0x96, 0xa4), 1.5));
    p.setBrush(QColor(0x22, 0x2a, 0x33));
    p.drawRoundedRect(plate, 8, 8);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    p.setPen(QColor(0xd8, 0xe0, 0xe8));
    p.drawText(plate, Qt::AlignCenter, QStringLiteral("STELPOD"));

    // Ventilation slots near the bottom.
    p.setPen(QPen(QColor(0x0a, 0x0d, 0x11), 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i) {
        const double y = 392 + 12 * i;
        p.drawLine(QPointF(131, y), QPointF(371, y));
    }
    return image;
}
