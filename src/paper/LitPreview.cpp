#include "paper/LitPreview.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace tessel {

namespace {

// Preview pixels per point.
constexpr int texelsPerPoint = 2;

struct Vec3 {
    float x;
    float y;
    float z;
};

Vec3 normalised(Vec3 v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
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

QRgb toRgb(float r, float g, float b) {
    const auto byte = [](float v) {
        return static_cast<int>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    return qRgb(byte(r), byte(g), byte(b));
}

} // namespace

QColor litPaperColour(bool night) {
    return night ? QColor::fromRgbF(0.118f, 0.118f, 0.125f)
                 : QColor::fromRgbF(0.965f, 0.965f, 0.957f);
}

QImage litPreview(const QImage& preview, QSizeF viewSize, qreal devicePixelRatio, QPointF light,
                  float strength, bool night) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    const int width = static_cast<int>(std::ceil(std::max(viewSize.width(), 0.0) * ratio));
    const int height = static_cast<int>(std::ceil(std::max(viewSize.height(), 0.0) * ratio));
    if (width <= 0 || height <= 0) {
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
    const auto lift =
        static_cast<float>(std::max(48.0, 0.3 * std::max(viewSize.width(), viewSize.height())));
    const float depth = 1.2f * strength;
    const float gain = night ? 0.5f : 0.75f;
    const auto pr = static_cast<float>(paper.redF());
    const auto pg = static_cast<float>(paper.greenF());
    const auto pb = static_cast<float>(paper.blueF());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int ty = down.centre[static_cast<std::size_t>(y)];
        const int up = down.before[static_cast<std::size_t>(y)];
        const int below = down.after[static_cast<std::size_t>(y)];
        const auto py = static_cast<float>((y + 0.5) / ratio);
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<std::size_t>(x);
            const int tx = across.centre[i];
            // Slopes per point, from samples 1 point either side.
            const float gx = (level(across.after[i], ty) - level(across.before[i], ty)) / 2.0f;
            const float gy = (level(tx, below) - level(tx, up)) / 2.0f;
            const Vec3 normal = normalised({-depth * gx, -depth * gy, 1.0f});
            const auto px = static_cast<float>((x + 0.5) / ratio);
            const Vec3 toLight = normalised(
                {static_cast<float>(light.x()) - px, static_cast<float>(light.y()) - py, lift});
            const float lit =
                std::max(normal.x * toLight.x + normal.y * toLight.y + normal.z * toLight.z, 0.0f);
            // Relative to a flat sheet, so the paper keeps its colour where it is flat.
            const float relief = (lit - toLight.z) * gain;
            const float pool = 0.96f + 0.04f * toLight.z;
            const float r = (pr + relief * (night ? 1.0f : pr)) * pool;
            const float g = (pg + relief * (night ? 1.0f : pg)) * pool;
            const float b = (pb + relief * (night ? 1.0f : pb)) * pool;
            line[x] = toRgb(r, g, b);
        }
    }
    return out;
}

} // namespace tessel
