#include "platform/ui/Button.h"

TButton::TButton(QWidget* parent) : QPushButton(parent) {
    // Qt presses a focused button on Enter only when it is an auto-default
    // button, which it makes of buttons in dialogs alone.
    setAutoDefault(true);
}
