#include "reference/ReferenceKernels.h"

#include "paper/SplitMix64.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tessel::reference {

std::vector<float> valueNoise(int n, int g, std::uint64_t& state) {
    std::vector<float> lattice(static_cast<std::size_t>(g * g));
    for (float& v : lattice) {
        v = signedDraw(state);
    }
    const auto at = [&](int r, int c) { return lattice[static_cast<std::size_t>(r * g + c)]; };
    const float q = static_cast<float>(g) / static_cast<float>(n);
    std::vector<float> out;
    out.reserve(static_cast<std::size_t>(n * n));
    for (int y = 0; y < n; ++y) {
        const float fy = static_cast<float>(y) * q;
        const int iy = static_cast<int>(fy);
        const float ty = fy - static_cast<float>(iy);
        const float sy = ty * ty * (3 - 2 * ty);
        const int r0 = iy % g;
        const int r1 = (iy + 1) % g;
        for (int x = 0; x < n; ++x) {
            const float fx = static_cast<float>(x) * q;
            const int ix = static_cast<int>(fx);
            const float tx = fx - static_cast<float>(ix);
            const float sx = tx * tx * (3 - 2 * tx);
            const int c0 = ix % g;
            const int c1 = (ix + 1) % g;
            const float top = at(r0, c0) + (at(r0, c1) - at(r0, c0)) * sx;
            const float bottom = at(r1, c0) + (at(r1, c1) - at(r1, c0)) * sx;
            out.push_back(top + (bottom - top) * sy);
        }
    }
    return out;
}

std::vector<float> cellularBumps(int n, int cellSize, std::uint64_t& state) {
    const int cs = std::max(cellSize, 2);
    const int m = std::max(n / cs, 1);
    const float s = static_cast<float>(n) / static_cast<float>(m);
    std::vector<float> jx;
    std::vector<float> jy;
    for (int k = 0; k < m * m; ++k) {
        jx.push_back(unitDraw(state));
        jy.push_back(unitDraw(state));
    }
    const auto wrap = [m](int i) { return ((i % m) + m) % m; };
    std::vector<float> out;
    out.reserve(static_cast<std::size_t>(n * n));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const float fx = static_cast<float>(x) / s;
            const float fy = static_cast<float>(y) / s;
            const int cx = static_cast<int>(fx);
            const int cy = static_cast<int>(fy);
            float best = 9;
            for (int row = cy - 1; row <= cy + 1; ++row) {
                for (int col = cx - 1; col <= cx + 1; ++col) {
                    const auto k = static_cast<std::size_t>(wrap(row) * m + wrap(col));
                    const float dx = static_cast<float>(col) + jx[k] - fx;
                    const float dy = static_cast<float>(row) + jy[k] - fy;
                    best = std::min(best, dx * dx + dy * dy);
                }
            }
            const float f = std::max(1 - 1.1f * std::sqrt(best), 0.0f);
            out.push_back(f * f * (3 - 2 * f));
        }
    }
    return out;
}

QImage shadeTile(std::span<const float> field, int n, bool night, double gsm, float warmth) {
    QImage tile(n, n, QImage::Format_RGBA8888_Premultiplied);
    const float t =
        std::isnan(gsm) ? 0.0f : static_cast<float>(std::clamp((gsm - 60) / 240, 0.0, 1.0));
    const float w = 0.03f * warmth;
    const float sign = night ? -1.0f : 1.0f;
    const float filmAlpha = night ? 0.02f + 0.05f * t : 0.025f + 0.07f * t;
    const float film[3] = {(night ? 0.64f : 0.5f) + w, night ? 0.63f : 0.49f,
                           (night ? 0.62f : 0.48f) - w};
    const float kL = night ? 0.06f + 0.15f * t : 0.03f + 0.08f * t;
    const float kD = night ? 0.03f + 0.07f * t : 0.06f + 0.16f * t;
    const float light[3] = {1.0f, 0.995f - 0.5f * w, 0.99f - w};
    const float dark[3] = {0.07f + w, 0.065f, 0.06f - w};
    const auto byte = [](float v) {
        const float scaled = std::min(v * 255 + 0.5f, 255.0f);
        return static_cast<uchar>(scaled > 0 ? static_cast<int>(scaled) : 0);
    };
    for (int y = 0; y < n; ++y) {
        uchar* px = tile.scanLine(y);
        for (int x = 0; x < n; ++x) {
            const float h = sign * field[static_cast<std::size_t>(y * n + x)];
            const float* mark = h < 0 ? dark : light;
            const float a = std::min((h < 0 ? kD : kL) * std::abs(h) * 0.5f, 0.6f);
            const float p = (1 - a) * filmAlpha;
            for (int c = 0; c < 3; ++c) {
                px[4 * x + c] = byte(film[c] * p + mark[c] * a);
            }
            px[4 * x + 3] = byte(a + p);
        }
    }
    return tile;
}

} // namespace tessel::reference
