#include "platform/ui/TrackBar.h"

#include "platform/ui/Handler.h"

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    setInvertedControls(true);
    setTickPosition(QSlider::NoTicks);
    setRange(0, 10);
    setSingleStep(1);
    setPageStep(2);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (!changing_)
            RunHandler([this] { Fire(OnChange, this); });
    });
}

// A change made by code raises OnChange as a plain call, so a failing handler
// reaches the code that made the change.
template <class Change> void TTrackBar::changeFromCode(Change change) {
    const int before = value();
    changing_ = true;
    change();
    changing_ = false;
    if (value() != before)
        Fire(OnChange, this);
}

void TTrackBar::SetMin(int value) {
    changeFromCode([&] { setMinimum(value); });
}

void TTrackBar::SetMax(int value) {
    changeFromCode([&] { setMaximum(value); });
}

void TTrackBar::SetPosition(int position) {
    changeFromCode([&] { setValue(std::clamp(position, minimum(), maximum())); });
}
