#include "paper/NoiseLayers.h"

#include "paper/SplitMix64.h"
#include "paper/ValueNoise.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace tessel {

void cloudLayer(int n, std::uint64_t& state, std::span<float> out) {
    // Constructed in order, so the lattices take their numbers octave by octave.
    const std::array octaves{ValueNoise(n, std::min(n, 4), state),
                             ValueNoise(n, std::min(n, 8), state),
                             ValueNoise(n, std::min(n, 16), state)};
    constexpr std::array amplitudes{1.0f, 0.5f, 0.25f};
    const auto cols = static_cast<std::size_t>(n);
    std::vector<float> noise(cols);
    for (std::size_t y = 0; y < cols; ++y) {
        const std::span<float> acc = out.subspan(y * cols, cols);
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (std::size_t o = 0; o < octaves.size(); ++o) {
            octaves[o].row(static_cast<int>(y), noise);
            for (std::size_t x = 0; x < cols; ++x) {
                acc[x] += noise[x] * amplitudes[o];
            }
        }
    }
}

void grainLayer(int n, std::uint64_t& state, std::span<float> out) {
    // The fine part is value noise on an n × n lattice, whose samples are the lattice values.
    const auto cols = static_cast<std::size_t>(n);
    for (std::size_t i = 0; i < cols * cols; ++i) {
        out[i] = signedDraw(state);
    }
    const ValueNoise coarse(n, std::max(n / 2, 1), state);
    std::vector<float> coarseRow(cols);
    for (std::size_t y = 0; y < cols; ++y) {
        coarse.row(static_cast<int>(y), coarseRow);
        float* dst = &out[y * cols];
        for (std::size_t x = 0; x < cols; ++x) {
            dst[x] = 0.6f * dst[x] + 0.4f * coarseRow[x];
        }
    }
}

} // namespace tessel
