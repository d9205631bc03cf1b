#pragma once

#include "platform/ui/Events.h"

#include <QWidget>

// A hot area: paints nothing (no frame, caption or glyph) and raises
// OnMouseEnter once each time the pointer enters it.
class TJvTransparentButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  public:
    explicit TJvTransparentButton(QWidget* parent = nullptr);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TNotifyEvent OnMouseEnter;

  protected:
    void enterEvent(QEnterEvent* event) override;

  private:
    int tag_ = 0;
};
