#include "platform/ui/ProgressBar.h"

#include "platform/errors/Exception.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace {

QString outOfRange() {
    return QStringLiteral("TProgressBar property out of range");
}

} // namespace

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}

void TProgressBar::SetMin(int value) {
    if (value == minimum())
        return;
    if (value > maximum())
        throw EInvalidOperation(outOfRange());
    const int position = std::max(this->value(), value);
    setMinimum(value);
    setValue(position);
}

void TProgressBar::SetMax(int value) {
    if (value == maximum())
        return;
    if (value < minimum())
        throw EInvalidOperation(outOfRange());
    const int position = std::min(this->value(), value);
    setMaximum(value);
    setValue(position);
}

void TProgressBar::SetPosition(int position) {
    setValue(std::clamp(position, minimum(), maximum()));
}

void TProgressBar::StepIt() {
    const int min = minimum();
    const int max = maximum();
    if (min == max)
        return;
    long long position = static_cast<long long>(value()) + step_;
    const long long span = static_cast<long long>(max) - min;
    if (position > max)
        position = (position - min) % span + min;
    if (position < min)
        position = (position - min) % span + max;
    setValue(static_cast<int>(position));
}

// An empty range would make Qt draw a busy animation; the bar stays empty.
void TProgressBar::paintEvent(QPaintEvent* event) {
    if (minimum() != maximum()) {
        QProgressBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.maximum = option.minimum + 1;
    option.progress = option.minimum;
    painter.drawControl(QStyle::CE_ProgressBar, option);
}
