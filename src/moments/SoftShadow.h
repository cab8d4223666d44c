#pragma once

#include <QImage>
#include <QRectF>

namespace tessel {

// The blurred shadow of a rectangle: opaque black fading out over about `radius` points
// around it. Returns the image and where to draw it, relative to the rectangle's own origin.
struct SoftShadow {
    QImage image;
    QRectF bounds;
};

SoftShadow softShadow(QSizeF rectangle, double radius);

} // namespace tessel
