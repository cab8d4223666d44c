#pragma once

#include <cstddef>
#include <span>

namespace tessel {

// Mean and standard deviation of a field. Sums run in index order in single precision so
// that a field always normalises to the same bits; the deviation is at least 0.000001, so a
// flat field divides to zeros rather than to NaN.
struct Moments {
    float mean = 0;
    float deviation = 0.000001f;
};

Moments moments(std::span<const float> values);

// Shifts and scales values in place to mean 0 and deviation 1 (a flat field becomes zeros).
void normalise(std::span<float> values);

// normalise() for a caller that already has the mean.
void normaliseAround(std::span<float> values, float mean);

// The last steps of moments(), for callers that run the in-order sums themselves.
float meanOf(float sum, std::size_t count);
float deviationOf(float squaredDifferences, std::size_t count);

// field[i] += (layer[i] - mean) / deviation * weight, one layer at a time: the plain way of
// mixing, kept as the reference for mixLayers().
void addNormalised(std::span<float> field, std::span<const float> layer, float weight);

} // namespace tessel
