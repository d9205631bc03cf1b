#include "platform/ui/JvTransparentButton.h"

#include "platform/ui/Handler.h"

TJvTransparentButton::TJvTransparentButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TJvTransparentButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    RunHandler([this] { Fire(OnMouseEnter, this); });
}
