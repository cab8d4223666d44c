#pragma once

#include <cstdint>
#include <span>

namespace tessel {

// The two value-noise layers of the sheet, before normalisation. Both fill out (n × n,
// row-major), are periodic over n and continue the generator state.

// Large soft formation: octaves on 4, 8 and 16 lattices (at most n) with amplitudes 1, 0.5
// and 0.25, drawing 16 + 64 + 256 values at n >= 16. Values lie in (-1.75, 1.75).
void cloudLayer(int n, std::uint64_t& state, std::span<float> out);

// Fine pixel grain: 0.6 × one signed value per pixel plus 0.4 × value noise on an n/2 lattice
// (at least 1), drawing n² then (n/2)² values. Values lie in [-1, 1).
void grainLayer(int n, std::uint64_t& state, std::span<float> out);

} // namespace tessel
