#include "eventlog/store/PowerLevelColor.h"

#include "platform/regional/Regional.h"

#include <algorithm>

int TPowerRamp::Start(int percent) {
    // Extended precision, as the steps are defined: (p - 1) x 2.56 x 2.
    const long double steps = (static_cast<long double>(percent) - 1) * 2.56L * 2.0L;
    R = 0;
    G = 256;
    return Walk(Regional::Round(steps));
}

int TPowerRamp::Walk(long long steps) {
    if (steps >= 0) {
        // steps + 1 passes of: red up while below 256, else green down.
        const long long passes = steps + 1;
        const long long up = std::clamp(256 - R, 0LL, passes);
        R += up;
        G -= passes - up;
    }
    return Color();
}

int TPowerRamp::Color() const {
    return static_cast<int>((G - 1) * 256 + (R - 1));
}

int PowerLevelColor(int percent) {
    TPowerRamp ramp;
    return ramp.Start(percent);
}
