#include "paper/TileShading.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace tessel {

namespace {

struct Rgb {
    float r;
    float g;
    float b;
};

struct Palette {
    float sign;
    float filmAlpha;
    Rgb film;
    float lightStrength;
    float darkStrength;
    Rgb light;
    Rgb dark;
};

float weightOf(double gsm) {
    if (std::isnan(gsm)) {
        return 0.0f;
    }
    return static_cast<float>(std::clamp((gsm - 60) / 240, 0.0, 1.0));
}

Palette paletteFor(bool night, double gsm, float warmth) {
    const float t = weightOf(gsm);
    const float w = 0.03f * warmth;
    const Rgb light{1.0f, 0.995f - 0.5f * w, 0.99f - w};
    const Rgb dark{0.07f + w, 0.065f, 0.06f - w};
    if (night) {
        return {-1.0f,
                0.02f + 0.05f * t,
                {0.64f + w, 0.63f, 0.62f - w},
                0.06f + 0.15f * t,
                0.03f + 0.07f * t,
                light,
                dark};
    }
    return {1.0f,
            0.025f + 0.07f * t,
            {0.5f + w, 0.49f, 0.48f - w},
            0.03f + 0.08f * t,
            0.06f + 0.16f * t,
            light,
            dark};
}

// trunc(min(v × 255 + 0.5, 255)), with anything below 0 (or NaN) giving 0. When every colour
// of the palette lies in [0, 1] no value can leave that range, so the clamps can go.
template <bool clamped> std::uint32_t toByte(float v) {
    const float scaled = v * 255.0f + 0.5f;
    if constexpr (clamped) {
        return static_cast<std::uint32_t>(
            static_cast<int>(scaled > 0.0f ? (scaled < 255.0f ? scaled : 255.0f) : 0.0f));
    }
    return static_cast<std::uint32_t>(static_cast<int>(scaled));
}

bool withinUnit(const Palette& p) {
    for (float v : {p.film.r, p.film.g, p.film.b, p.light.r, p.light.g, p.light.b, p.dark.r,
                    p.dark.g, p.dark.b}) {
        if (!(v >= 0.0f && v <= 1.0f)) {
            return false;
        }
    }
    return true;
}

// Bytes in memory order R, G, B, A, assembled in one word so the loop stores whole pixels.
std::uint32_t rgba(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
    if constexpr (std::endian::native == std::endian::little) {
        return r | g << 8 | b << 16 | a << 24;
    }
    return r << 24 | g << 16 | b << 8 | a;
}

template <bool clamped>
void shadeRow(const Palette& p, const float* heights, std::uint32_t* out, std::size_t count) {
    for (std::size_t x = 0; x < count; ++x) {
        const float h = p.sign * heights[x];
        const bool sunk = h < 0.0f;
        const float k = sunk ? p.darkStrength : p.lightStrength;
        const float mark = k * std::abs(h) * 0.5f;
        const float a = mark < 0.6f ? mark : 0.6f;
        const float film = (1.0f - a) * p.filmAlpha;
        const float r = sunk ? p.dark.r : p.light.r;
        const float g = sunk ? p.dark.g : p.light.g;
        const float b = sunk ? p.dark.b : p.light.b;
        out[x] =
            rgba(toByte<clamped>(p.film.r * film + r * a), toByte<clamped>(p.film.g * film + g * a),
                 toByte<clamped>(p.film.b * film + b * a), toByte<clamped>(a + film));
    }
}

bool usable(std::span<const float> field, int n) {
    return n > 0 && field.size() / static_cast<std::size_t>(n) >= static_cast<std::size_t>(n);
}

} // namespace

QImage shadeTile(std::span<const float> field, int n, bool night, double gsm, float warmth) {
    if (!usable(field, n)) {
        return {};
    }
    QImage tile(n, n, QImage::Format_RGBA8888_Premultiplied);
    if (tile.isNull()) {
        return {};
    }
    const Palette p = paletteFor(night, gsm, warmth);
    const bool plain = withinUnit(p);
    const auto cols = static_cast<std::size_t>(n);
    for (std::size_t y = 0; y < cols; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(tile.scanLine(static_cast<int>(y)));
        if (plain) {
            shadeRow<false>(p, &field[y * cols], line, cols);
        } else {
            shadeRow<true>(p, &field[y * cols], line, cols);
        }
    }
    return tile;
}

QImage previewImage(std::span<const float> field, int n) {
    if (!usable(field, n)) {
        return {};
    }
    QImage preview(n, n, QImage::Format_Grayscale8);
    if (preview.isNull()) {
        return {};
    }
    const auto cols = static_cast<std::size_t>(n);
    for (std::size_t y = 0; y < cols; ++y) {
        const float* heights = &field[y * cols];
        std::uint8_t* px = preview.scanLine(static_cast<int>(y));
        for (std::size_t x = 0; x < cols; ++x) {
            const float v = 0.16f * heights[x] + 0.5f;
            const float clamped = v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
            px[x] = static_cast<std::uint8_t>(static_cast<int>(255.0f * clamped));
        }
    }
    return preview;
}

} // namespace tessel
