#include "platform/chart/ChartColor.h"

QColor ColorToQColor(TColor color) {
    if (color < 0)
        return QColor(0, 0, 0);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& color) {
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}
