#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

namespace tessel {

// An sRGB colour, channels in [0, 1].
struct SrgbColor {
    double r = 0;
    double g = 0;
    double b = 0;

    friend bool operator==(const SrgbColor&, const SrgbColor&) = default;
};

struct GradientStop {
    double location = 0;
    SrgbColor color;
    double opacity = 0;

    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

// One layer of a lamp, described without reference to any toolkit: either an even fill or a
// radial gradient, always covering `frame`.
struct LampLayer {
    enum class Kind { fill, radialGradient };

    Kind kind = Kind::fill;
    // (0, 0, width, height) in points.
    QRectF frame;

    // Fill only; opacity in [0, 1].
    SrgbColor color;
    double opacity = 0;

    // Gradient only. Stops in increasing location, opacities in [0, 1]. Beyond the last stop
    // the gradient keeps the last stop's colour and opacity.
    QList<GradientStop> stops;
    // The gradient as a compositor gives it: start (centre) and end points in the frame's unit
    // space, origin at the bottom-left; the radii are the distances between them scaled by the
    // frame's width and height.
    QPointF startPoint;
    QPointF endPoint;
    // The same ellipse for a painter: centre in points from the top-left, y down, and its
    // half-axes in points.
    QPointF center;
    double radiusX = 0;
    double radiusY = 0;

    friend bool operator==(const LampLayer&, const LampLayer&) = default;
};

} // namespace tessel
