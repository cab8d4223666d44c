#include "paper/ReferenceKernels.h"

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

} // namespace tessel::reference
