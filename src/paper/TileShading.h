#pragma once

#include <QImage>

#include <span>

namespace tessel {

// Names what synthesis and shading make of a recipe; bump it whenever either changes a pixel,
// so that tiles kept on disk by an older version are made again.
constexpr int paperEngineVersion = 1;

// The overlay tile for a height field of n × n values (row 0 on top): a faint film of paper
// colour whose raised parts are lifted towards white and sunk parts darkened (the other way
// round at night). gsm sets strength and opacity, from 60 (lightest, and below) to 300
// (heaviest, and above); NaN acts as 60. warmth tints: positive is warmer, scaled by 0.03.
// Returns n × n Format_RGBA8888_Premultiplied. A flat field gives alpha 6 to 24 by day and 5 to
// 18 by night; no alpha exceeds 0.6 + 0.4 × 0.095 of 255 (= 163). Channel values that extreme
// warmth pushes below 0 become 0. Returns a null image if the field holds fewer than n × n
// values, n < 1, or the image cannot be allocated. Pure; safe on any thread.
QImage shadeTile(std::span<const float> field, int n, bool night, double gsm, float warmth);

// The grey preview of a height field: n × n Format_Grayscale8 with each pixel
// trunc(255 × clamp(0.16 h + 0.5, 0, 1)), so ±3 deviations span the grey range. Returns a null
// image on the same failures as shadeTile. Pure; safe on any thread.
QImage previewImage(std::span<const float> field, int n);

} // namespace tessel
