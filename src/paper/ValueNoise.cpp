#include "paper/ValueNoise.h"

#include "paper/Smoothstep.h"
#include "paper/SplitMix64.h"

#include <cstddef>

namespace tessel {

ValueNoise::ValueNoise(int n, int g, std::uint64_t& state)
    : n_(n)
    , g_(g)
    , scale_(static_cast<float>(g) / static_cast<float>(n)) {
    const auto cols = static_cast<std::size_t>(n);
    const auto lat = static_cast<std::size_t>(g);
    std::vector<float> lattice(lat * lat);
    for (float& v : lattice) {
        v = signedDraw(state);
    }
    std::vector<std::size_t> c0(cols);
    std::vector<std::size_t> c1(cols);
    std::vector<float> sx(cols);
    for (std::size_t x = 0; x < cols; ++x) {
        const float fx = static_cast<float>(x) * scale_;
        const auto ix = static_cast<std::size_t>(fx);
        sx[x] = smoothstep(fx - static_cast<float>(ix));
        c0[x] = ix % lat;
        c1[x] = (ix + 1) % lat;
    }
    across_.resize(lat * cols);
    for (std::size_t r = 0; r < lat; ++r) {
        const float* v = &lattice[r * lat];
        float* dst = &across_[r * cols];
        for (std::size_t x = 0; x < cols; ++x) {
            dst[x] = v[c0[x]] + (v[c1[x]] - v[c0[x]]) * sx[x];
        }
    }
}

void ValueNoise::row(int y, std::span<float> out) const {
    const float fy = static_cast<float>(y) * scale_;
    const int iy = static_cast<int>(fy);
    const float sy = smoothstep(fy - static_cast<float>(iy));
    const auto cols = static_cast<std::size_t>(n_);
    const float* top = &across_[static_cast<std::size_t>(iy % g_) * cols];
    const float* bottom = &across_[static_cast<std::size_t>((iy + 1) % g_) * cols];
    for (std::size_t x = 0; x < cols; ++x) {
        out[x] = top[x] + (bottom[x] - top[x]) * sy;
    }
}

} // namespace tessel
