#include "platform/ui/Bevel.h"

#include <QPainter>

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::SetShape(const QString& shape) {
    shape_ = shape;
    update();
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int y = shape_ == QLatin1String("bsTopLine") ? 0 : height() - 2;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, y, width() - 1, y);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, y + 1, width() - 1, y + 1);
}
