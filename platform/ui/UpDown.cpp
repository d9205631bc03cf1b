#include "platform/ui/UpDown.h"

#include "platform/ui/Handler.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return button;
}

} // namespace

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(arrowButton(Qt::UpArrow, this)),
      down_(arrowButton(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { RunHandler([this] { Click(btNext); }); });
    connect(down_, &QToolButton::clicked, this, [this] { RunHandler([this] { Click(btPrev); }); });
}

void TUpDown::SetMin(int value) {
    min_ = value;
    if (max_ < min_)
        max_ = min_;
    SetPosition(position_);
}

void TUpDown::SetMax(int value) {
    max_ = value;
    if (min_ > max_)
        min_ = max_;
    SetPosition(position_);
}

void TUpDown::SetPosition(int position) {
    position_ = std::clamp(position, min_, max_);
}

void TUpDown::Click(TUDBtnType button) {
    const int target = button == btNext ? position_ + 1 : position_ - 1;
    if (target < min_ || target > max_)
        return;
    position_ = target;
    if (OnClick)
        OnClick(this, button);
}
