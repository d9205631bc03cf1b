#include "platform/ui/JvDialButton.h"

#include "platform/ui/FocusReason.h"
#include "platform/ui/Handler.h"

#include <QKeyEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace {

// The pointer's angle at Min, in degrees counter-clockwise from the right,
// and the sweep to Max, clockwise.
constexpr double kStartAngle = 225.0;
constexpr double kSweep = 270.0;

} // namespace

TJvDialButton::TJvDialButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    color_ = QColor(0xC0, 0xC0, 0xC0);
}

void TJvDialButton::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, value);
    SetPosition(position_);
    update();
}

void TJvDialButton::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, value);
    SetPosition(position_);
    update();
}

void TJvDialButton::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_)
        return;
    position_ = position;
    update();
    Fire(OnChange, this);
}

void TJvDialButton::SetButtonEdge(int edge) {
    buttonEdge_ = edge;
    update();
}

void TJvDialButton::SetRadius(int radius) {
    radius_ = radius;
    update();
}

void TJvDialButton::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TJvDialButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const double radius = std::min<double>(radius_, std::min(width(), height()) / 2.0 - 1);

    // A raised edge around the face: light above left, dark below right.
    QLinearGradient edge(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    edge.setColorAt(0, color_.lighter(140));
    edge.setColorAt(1, color_.darker(170));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(edge);
    painter.drawEllipse(centre, radius, radius);
    const double face = radius * (100.0 - std::clamp(buttonEdge_, 0, 90)) / 100.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawEllipse(centre, face, face);

    const double span = max_ > min_ ? double(position_ - min_) / (max_ - min_) : 0.0;
    const double angle = qDegreesToRadians(kStartAngle - span * kSweep);
    const double reach = face * 0.7;
    const QPointF dot = centre + QPointF(std::cos(angle) * reach, -std::sin(angle) * reach);
    painter.setBrush(Qt::black);
    painter.drawEllipse(dot, 3.5, 3.5);
}

int TJvDialButton::positionAt(QPointF point) const {
    const QPointF offset = point - QRectF(rect()).center();
    double angle = qRadiansToDegrees(std::atan2(-offset.y(), offset.x()));
    // Degrees turned clockwise from the Min mark, 0..360.
    double turned = kStartAngle - angle;
    while (turned < 0)
        turned += 360.0;
    while (turned >= 360.0)
        turned -= 360.0;
    // The dead zone at the bottom goes to the nearer end.
    if (turned > kSweep)
        turned = turned > (kSweep + 360.0) / 2 ? 0.0 : kSweep;
    return min_ + qRound(turned / kSweep * (max_ - min_));
}

void TJvDialButton::turnTo(int position) {
    RunHandler([&] { SetPosition(position); });
}

void TJvDialButton::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        turnTo(positionAt(event->position()));
}

void TJvDialButton::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        turnTo(positionAt(event->position()));
}

void TJvDialButton::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return QWidget::wheelEvent(event);
    turnTo(position_ + steps);
}

void TJvDialButton::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, (max_ - min_) / 10);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        return turnTo(position_ + 1);
    case Qt::Key_Down:
    case Qt::Key_Left:
        return turnTo(position_ - 1);
    case Qt::Key_PageUp:
        return turnTo(position_ + page);
    case Qt::Key_PageDown:
        return turnTo(position_ - page);
    case Qt::Key_Home:
        return turnTo(min_);
    case Qt::Key_End:
        return turnTo(max_);
    default:
        return QWidget::keyPressEvent(event);
    }
}

void TJvDialButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (FocusMovesWithinWindow(event))
        RunHandler([this] { Fire(OnExit, this); });
}
