#include "platform/ui/Anchors.h"

#include <QEvent>
#include <QResizeEvent>
#include <QWidget>

void SetAnchors(QWidget* child, TAnchors anchors) {
    for (TAnchorKeeper* old : child->findChildren<TAnchorKeeper*>(Qt::FindDirectChildrenOnly))
        delete old;
    new TAnchorKeeper(child, anchors);
}

TAnchorKeeper::TAnchorKeeper(QWidget* child, TAnchors anchors)
    : QObject(child), child_(child), anchors_(anchors), design_(child->geometry()),
      designParent_(child->parentWidget()->size()) {
    child->parentWidget()->installEventFilter(this);
    child->installEventFilter(this);
}

bool TAnchorKeeper::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == child_->parentWidget() && type == QEvent::Resize) {
        follow(static_cast<QResizeEvent*>(event)->size());
    } else if (watched == child_ && !following_ &&
               (type == QEvent::Move || type == QEvent::Resize)) {
        // The program placed the child itself: the distances are taken anew
        // from where it now is.
        design_ = child_->geometry();
        designParent_ = child_->parentWidget()->size();
    }
    return false;
}

namespace {

// Places one axis: start and length of the child from its design place.
std::pair<int, int> place(int start, int length, int parentDesign, int parentNow, bool near,
                          bool far) {
    const int farGap = parentDesign - (start + length);
    if (near && far)
        return {start, std::max(0, parentNow - farGap - start)};
    if (far)
        return {parentNow - farGap - length, length};
    if (near)
        return {start, length};
    // Anchored to neither edge: keeps its centre at the same share of the parent.
    const double centre = start + length / 2.0;
    const double share = parentDesign > 0 ? centre / parentDesign : 0.0;
    return {int(share * parentNow - length / 2.0 + 0.5), length};
}

} // namespace

void TAnchorKeeper::follow(QSize parentSize) {
    const auto [x, width] = place(design_.x(), design_.width(), designParent_.width(),
                                  parentSize.width(), anchors_ & akLeft, anchors_ & akRight);
    const auto [y, height] = place(design_.y(), design_.height(), designParent_.height(),
                                   parentSize.height(), anchors_ & akTop, anchors_ & akBottom);
    following_ = true;
    child_->setGeometry(x, y, width, height);
    following_ = false;
}
