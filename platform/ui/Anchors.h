#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = int; // a set of TAnchorKind

// Keeps a child's distances to the edges of its parent that it is anchored
// to, as they are at the time of the call, when the parent is resized; a
// child anchored to two opposite edges stretches with the parent, one
// anchored to neither of them keeps its place relative to the parent's
// centre on that axis. When the program moves or resizes the child itself,
// the distances are taken anew from its new place. The keeper lives as long
// as the child.
void SetAnchors(QWidget* child, TAnchors anchors);

class TAnchorKeeper : public QObject {
    Q_OBJECT
  public:
    TAnchorKeeper(QWidget* child, TAnchors anchors);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(QSize parentSize);

    QWidget* child_;
    TAnchors anchors_;
    QRect design_;       // the child's geometry when anchored
    QSize designParent_; // the parent's size then
    bool following_ = false;
};
