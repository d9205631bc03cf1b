#pragma once

#include <QImage>

// The pictures of the main window's dial panel: the panel itself (502 x 507),
// and the two outline pictures whose shapes give the level bar (384 x 96) and
// the knobs (98 x 98) their outlines. The outline pictures hold one connected
// shape in one colour on a background colour that also fills every edge.
QImage PanelPicture();
QImage BarOutline();
QImage KnobOutline();
