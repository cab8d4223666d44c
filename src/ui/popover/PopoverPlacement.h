#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tessel {

// Where a popup of `size` goes next to `anchor` (the panel icon, or a point at the cursor):
// below it when it sits in the upper half of `screen`, above it otherwise, centred on it
// and kept a margin inside the screen's available area.
QPoint popoverPosition(QSize size, QRect anchor, QRect screen);

} // namespace tessel
