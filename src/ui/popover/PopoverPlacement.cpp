#include "ui/popover/PopoverPlacement.h"

#include <algorithm>

namespace tessel {

namespace {

constexpr int gap = 6;
constexpr int margin = 8;

} // namespace

QPoint popoverPosition(QSize size, QRect anchor, QRect screen) {
    const bool below = anchor.center().y() < screen.center().y();
    int y = below ? anchor.bottom() + 1 + gap : anchor.top() - gap - size.height();
    int x = anchor.center().x() - size.width() / 2;
    const int right = screen.right() + 1 - margin - size.width();
    const int bottom = screen.bottom() + 1 - margin - size.height();
    x = std::max(screen.left() + margin, std::min(x, right));
    y = std::max(screen.top() + margin, std::min(y, bottom));
    return {x, y};
}

} // namespace tessel
