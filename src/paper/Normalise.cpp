#include "paper/Normalise.h"

#include <algorithm>
#include <cmath>

namespace tessel {

namespace {

float sumOf(std::span<const float> values) {
    float sum = 0;
    for (float v : values) {
        sum += v;
    }
    return sum;
}

float squaresAround(std::span<const float> values, float mean) {
    float squares = 0;
    for (float v : values) {
        const float d = v - mean;
        squares += d * d;
    }
    return squares;
}

} // namespace

float meanOf(float sum, std::size_t count) {
    return sum / static_cast<float>(count);
}

float deviationOf(float squaredDifferences, std::size_t count) {
    return std::max(std::sqrt(squaredDifferences / static_cast<float>(count)), 0.000001f);
}

Moments moments(std::span<const float> values) {
    if (values.empty()) {
        return {};
    }
    const float mean = meanOf(sumOf(values), values.size());
    return {mean, deviationOf(squaresAround(values, mean), values.size())};
}

void normalise(std::span<float> values) {
    if (!values.empty()) {
        normaliseAround(values, meanOf(sumOf(values), values.size()));
    }
}

void normaliseAround(std::span<float> values, float mean) {
    const float deviation = deviationOf(squaresAround(values, mean), values.size());
    for (float& v : values) {
        v = (v - mean) / deviation;
    }
}

void addNormalised(std::span<float> field, std::span<const float> layer, float weight) {
    const Moments m = moments(layer);
    for (std::size_t i = 0; i < field.size(); ++i) {
        field[i] += (layer[i] - m.mean) / m.deviation * weight;
    }
}

} // namespace tessel
