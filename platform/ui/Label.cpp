#include "platform/ui/Label.h"

#include <QEvent>

TLabel::TLabel(QWidget* parent) : QLabel(parent) {}

void TLabel::setText(const QString& text) {
    QLabel::setText(text);
    adjustWidth();
}

bool TLabel::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish || event->type() == QEvent::FontChange ||
        event->type() == QEvent::StyleChange)
        adjustWidth();
    return handled;
}

void TLabel::adjustWidth() {
    ensurePolished();
    const int wanted = fontMetrics().horizontalAdvance(text()) + 2 * margin();
    if (wanted == width())
        return;
    QRect bounds = geometry();
    if (alignment() & Qt::AlignRight)
        bounds.setLeft(bounds.right() + 1 - wanted);
    else
        bounds.setWidth(wanted);
    setGeometry(bounds);
}
