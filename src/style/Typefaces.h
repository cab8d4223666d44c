#pragma once

#include <QFont>
#include <QPaintDevice>

namespace tessel {

// "ShipporiMincho-Regular" at a size in points (the desktop's logical pixels), loaded from
// the program's resources on first use; the system font when it cannot be loaded.
QFont mincho(double points, const QPaintDevice& device);

// The system font at a size in points and a weight.
QFont systemFont(double points, QFont::Weight weight, const QPaintDevice& device);

} // namespace tessel
