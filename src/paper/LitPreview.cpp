#include "paper/LitPreview.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessel {

namespace {

// Preview pixels per point.
constexpr int texelsPerPoint = 2;

// Larger than any screen; keeps every conversion to int in range.
constexpr double maxSide = 16384;

// Pixels along one side, rounded up; 0 for an empty, NaN or unreasonably large side.
int pixelsFor(double points, double ratio) {
    const double pixels = std::ceil(points * ratio);
    return pixels >= 1 && pixels <= maxSide ? static_cast<int>(pixels) : 0;
}

// For each output pixel along one axis: the preview texel under it and those 1 point either
// side, wrapped so that the preview repeats.
struct Taps {
    std::vector<int> centre;
    std::vector<int> before;
    std::vector<int> after;
};

Taps tapsFor(int pixels, qreal ratio, int texels) {
    const auto wrap = [texels](int i) { return ((i % texels) + texels) % texels; };
    Taps taps;
    for (int i = 0; i < pixels; ++i) {
        const auto texel = static_cast<int>(std::floor((i + 0.5) / ratio * texelsPerPoint));
        taps.centre.push_back(wrap(texel));
        taps.before.push_back(wrap(texel - texelsPerPoint));
        taps.after.push_back(wrap(texel + texelsPerPoint));
    }
    return taps;
}

std::vector<float> greyLevels(const QImage& preview) {
    const QImage grey = preview.convertToFormat(QImage::Format_Grayscale8);
    std::vector<float> levels;
    levels.reserve(static_cast<std::size_t>(grey.width()) *
                   static_cast<std::size_t>(grey.height()));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            levels.push_back(static_cast<float>(line[x]) / 255.0f);
        }
    }
    return levels;
}

struct Lighting {
    QPointF light;
    // Height of the light above the sheet, in points.
    float lift;
    // Relief depth: points of rise per unit of grey per point.
    float depth;
    float gain;
    bool night;
    float paper[3];
};

std::uint32_t channel(float v) {
    const float clamped = v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
    return static_cast<std::uint32_t>(static_cast<int>(clamped * 255.0f + 0.5f));
}

// One row of output from its slopes (per point) and the points its pixels sit at; written as a
// plain loop over arrays so that it vectorises.
void lightRow(const Lighting& l, const float* gx, const float* gy, const float* px, float py,
              QRgb* out, std::size_t count) {
    const auto lx = static_cast<float>(l.light.x());
    const float dy = static_cast<float>(l.light.y()) - py;
    const float tint = l.night ? 1.0f : 0.0f;
    for (std::size_t x = 0; x < count; ++x) {
        const float nx = -l.depth * gx[x];
        const float ny = -l.depth * gy[x];
        const float normalLength = std::sqrt(nx * nx + ny * ny + 1.0f);
        const float dx = lx - px[x];
        const float lightLength = std::sqrt(dx * dx + dy * dy + l.lift * l.lift);
        const float lz = l.lift / lightLength;
        const float cosine = (nx * dx + ny * dy + l.lift) / (normalLength * lightLength);
        const float lit = cosine > 0.0f ? cosine : 0.0f;
        // Relative to a flat sheet, so the paper keeps its colour where it is flat.
        const float relief = (lit - lz) * l.gain;
        const float pool = 0.96f + 0.04f * lz;
        // By day the relief scales the paper colour; at night it adds light to the dark.
        const auto shade = [&](int c) {
            const float scale = tint + (1.0f - tint) * l.paper[c];
            return channel((l.paper[c] + relief * scale) * pool);
        };
        out[x] = 0xff000000u | shade(0) << 16 | shade(1) << 8 | shade(2);
    }
}

} // namespace

QColor litPaperColour(bool night) {
    return night ? QColor::fromRgbF(0.118f, 0.118f, 0.125f)
                 : QColor::fromRgbF(0.965f, 0.965f, 0.957f);
}

QImage litPreview(const QImage& preview, QSizeF viewSize, qreal devicePixelRatio, QPointF light,
                  float strength, bool night) {
    const bool usableRatio = devicePixelRatio >= 1 / maxSide && devicePixelRatio <= maxSide;
    const qreal ratio = usableRatio ? devicePixelRatio : 1;
    const int width = pixelsFor(viewSize.width(), ratio);
    const int height = pixelsFor(viewSize.height(), ratio);
    if (width == 0 || height == 0) {
        return {};
    }
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull()) {
        return {};
    }
    out.setDevicePixelRatio(ratio);
    const QColor paper = litPaperColour(night);
    if (preview.isNull()) {
        out.fill(paper);
        return out;
    }

    const std::vector<float> levels = greyLevels(preview);
    const auto stride = static_cast<std::size_t>(preview.width());
    const Taps across = tapsFor(width, ratio, preview.width());
    const Taps down = tapsFor(height, ratio, preview.height());
    const auto level = [&](int tx, int ty) {
        return levels[static_cast<std::size_t>(ty) * stride + static_cast<std::size_t>(tx)];
    };

    // The lamp hangs well above the sheet, so the light grazes the relief far from it and
    // falls on it from above near it.
    const Lighting lighting{
        light,
        static_cast<float>(std::max(48.0, 0.3 * std::max(viewSize.width(), viewSize.height()))),
        1.2f * strength,
        night ? 0.5f : 0.75f,
        night,
        {static_cast<float>(paper.redF()), static_cast<float>(paper.greenF()),
         static_cast<float>(paper.blueF())}};
    const auto columns = static_cast<std::size_t>(width);
    std::vector<float> px(columns);
    for (std::size_t x = 0; x < columns; ++x) {
        px[x] = static_cast<float>((static_cast<double>(x) + 0.5) / ratio);
    }
    std::vector<float> gx(columns);
    std::vector<float> gy(columns);
    for (int y = 0; y < height; ++y) {
        const auto row = static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < columns; ++x) {
            // Slopes per point, from samples 1 point either side.
            gx[x] = (level(across.after[x], down.centre[row]) -
                     level(across.before[x], down.centre[row])) /
                    2.0f;
            gy[x] = (level(across.centre[x], down.after[row]) -
                     level(across.centre[x], down.before[row])) /
                    2.0f;
        }
        lightRow(lighting, gx.data(), gy.data(), px.data(), static_cast<float>((y + 0.5) / ratio),
                 reinterpret_cast<QRgb*>(out.scanLine(y)), columns);
    }
    return out;
}

} // namespace tessel
