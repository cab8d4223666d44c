#pragma once

#include <QRect>
#include <QSize>

#include <cmath>

namespace tessel {

// Fractional scales come as multiples of 1/120.
inline constexpr double fractionalDenominator = 120;

// The buffer for a surface of `points` at `ratio` pixels a point, rounded as the
// fractional-scale protocol asks.
inline QSize bufferPixels(QSize points, double ratio) {
    return {static_cast<int>(std::lround(points.width() * ratio)),
            static_cast<int>(std::lround(points.height() * ratio))};
}

// The buffer's pixels an area of the surface touches, whole pixels outward, kept inside a buffer
// of `buffer` pixels.
inline QRect bufferDamage(QRect points, double ratio, QSize buffer) {
    const QRectF scaled(points.x() * ratio, points.y() * ratio, points.width() * ratio,
                        points.height() * ratio);
    return scaled.toAlignedRect() & QRect(QPoint(0, 0), buffer);
}

} // namespace tessel
