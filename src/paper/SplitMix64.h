#pragma once

#include <cstdint>

namespace tessel {

// The paper's only source of randomness. The state is passed by reference from layer to
// layer, so the order in which layers draw fixes which numbers each one gets.

// Top 24 bits of the next draw, in [0, 2^24). The output mix's last xor-shift never
// reaches those bits, so it is left out.
inline std::uint32_t nextBits24(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>(z >> 40);
}

// Unit draw in [0, 1), exact in single precision.
inline float unitDraw(std::uint64_t& state) {
    return static_cast<float>(nextBits24(state)) * 0x1p-24f;
}

// Signed draw in [-1, 1).
inline float signedDraw(std::uint64_t& state) {
    return 2.0f * unitDraw(state) - 1.0f;
}

} // namespace tessel
