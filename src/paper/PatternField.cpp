#include "paper/PatternField.h"

#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace tessel {

namespace {

constexpr float pi = std::numbers::pi_v<float>;

float chainLine(int x) {
    const float d = static_cast<float>(x % 128) - 64.0f;
    return std::exp(-(d * d) / 18.0f) * 1.2f;
}

float laidRib(int y) {
    return 0.7f * std::sin(pi * static_cast<float>(y) / 2.0f);
}

float thread(int i) {
    return std::sin(static_cast<float>(i % 8) * pi / 8.0f);
}

float linen(int x, int y) {
    const float sx = thread(x);
    const float sy = thread(y);
    return (x / 8 + y / 8) % 2 == 1 ? 0.15f * sx + 0.85f * sy : 0.85f * sx + 0.15f * sy;
}

float graph(int x, int y) {
    const float minor = (x % 32 == 0 || y % 32 == 0) ? 0.8f : 0.0f;
    const bool majorX = x % 128 == 0 || x % 128 == 1;
    const bool majorY = y % 128 == 0 || y % 128 == 1;
    const float major = (majorX || majorY) ? 1.4f : 0.0f;
    return -(minor + major);
}

// Laid is a column term plus a row term; the row term is not exactly periodic in single
// precision, so it is evaluated for every row rather than for one period.
void laid(int n, std::span<float> out) {
    const auto size = static_cast<std::size_t>(n);
    std::vector<float> columns(size);
    for (std::size_t x = 0; x < size; ++x) {
        columns[x] = chainLine(static_cast<int>(x));
    }
    for (std::size_t y = 0; y < size; ++y) {
        const float rib = laidRib(static_cast<int>(y));
        for (std::size_t x = 0; x < size; ++x) {
            out[y * size + x] = columns[x] + rib;
        }
    }
}

// Linen and graph depend on x and y only modulo 128, so one period is evaluated and repeated.
void repeatPeriod(Recipe::Pattern pattern, int n, std::span<float> out) {
    constexpr int period = 128;
    std::vector<float> tile(period * period);
    for (int y = 0; y < period; ++y) {
        for (int x = 0; x < period; ++x) {
            tile[static_cast<std::size_t>(y * period + x)] = patternValue(pattern, x, y);
        }
    }
    const auto size = static_cast<std::size_t>(n);
    for (std::size_t y = 0; y < size; ++y) {
        const float* src = &tile[(y % period) * period];
        for (std::size_t x = 0; x < size; ++x) {
            out[y * size + x] = src[x % period];
        }
    }
}

} // namespace

float patternValue(Recipe::Pattern pattern, int x, int y) {
    switch (pattern) {
    case Recipe::Pattern::laid:
        return chainLine(x) + laidRib(y);
    case Recipe::Pattern::linen:
        return linen(x, y);
    case Recipe::Pattern::graph:
        return graph(x, y);
    case Recipe::Pattern::none:
        break;
    }
    return 0.0f;
}

void patternField(Recipe::Pattern pattern, int n, std::span<float> out) {
    if (pattern == Recipe::Pattern::laid) {
        laid(n, out);
    } else {
        repeatPeriod(pattern, n, out);
    }
}

} // namespace tessel
