#pragma once

#include "platform/ui/Events.h"

#include <QRadioButton>

// A radio button whose OnClick is raised whenever it becomes selected, by the
// user or by code, and never when it was selected already. Buttons with the
// same parent exclude each other.
class TRadioButton : public QRadioButton {
    Q_OBJECT
  public:
    explicit TRadioButton(QWidget* parent = nullptr);

    // Selects or clears the button from code; selecting raises OnClick as a
    // plain call, so a failing handler reaches the caller.
    void setChecked(bool checked);

    TNotifyEvent OnClick;

  private:
    bool settingChecked_ = false;
};
