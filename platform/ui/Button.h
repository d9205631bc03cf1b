#pragma once

#include <QPushButton>

// A push button as the class library's buttons behave in every window, not
// only in dialogs: Enter (and Space, as Qt's own buttons do) presses the
// button that has the focus.
class TButton : public QPushButton {
    Q_OBJECT
  public:
    explicit TButton(QWidget* parent = nullptr);
};
