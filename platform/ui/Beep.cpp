#include "platform/ui/Beep.h"

#include <QApplication>

namespace {

std::function<void()>& hook() {
    static std::function<void()> instance;
    return instance;
}

} // namespace

void MessageBeep() {
    if (hook())
        hook()();
    else
        QApplication::beep();
}

void SetBeepHook(std::function<void()> newHook) {
    hook() = std::move(newHook);
}
