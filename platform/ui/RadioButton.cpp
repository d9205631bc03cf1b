#include "platform/ui/RadioButton.h"

#include "platform/ui/Handler.h"

TRadioButton::TRadioButton(QWidget* parent) : QRadioButton(parent) {
    setAutoExclusive(true);
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked && !settingChecked_)
            RunHandler([this] { Fire(OnClick, this); });
    });
}

void TRadioButton::setChecked(bool checked) {
    if (checked == isChecked())
        return;
    settingChecked_ = true;
    if (checked) {
        QRadioButton::setChecked(true);
    } else {
        // Qt keeps the selected button of an exclusive set selected; code may
        // clear it, leaving none selected.
        const bool exclusive = autoExclusive();
        setAutoExclusive(false);
        QRadioButton::setChecked(false);
        setAutoExclusive(exclusive);
    }
    settingChecked_ = false;
    if (checked && isChecked())
        Fire(OnClick, this);
}
