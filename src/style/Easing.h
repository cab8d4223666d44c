#pragma once

#include <QEasingCurve>

namespace tessel {

// The curves moments and the interface move by: cubic Béziers as the desktop's own animations use
// them.
QEasingCurve easeOut();
QEasingCurve easeInOut();

// Out and back over one run: 0 → 1 with ease-in-out in the first half, 1 → 0 in the second.
// A looping animation of twice the one-way duration then reverses each time.
QEasingCurve easeInOutAndBack();

} // namespace tessel
