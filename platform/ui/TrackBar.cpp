#include "platform/ui/TrackBar.h"

#include "platform/ui/Handler.h"

#include <QPainter>
#include <QStyleOptionSlider>

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

void TTrackBar::paintEvent(QPaintEvent*) {
    // Styles fill the groove from the Min end to the handle, here from the
    // top, so that the bar at 0 % would look full. Drawn as a bar with Min at
    // the bottom and the position mirrored, the handle stays where it is and
    // the fill runs from the bottom up to it, as the percentage under it.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (tickPosition() != NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    option.upsideDown = !option.upsideDown;
    option.sliderPosition = option.minimum + option.maximum - option.sliderPosition;
    option.sliderValue = option.minimum + option.maximum - option.sliderValue;
    QPainter painter(this);
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}
