#pragma once

#include <QImage>

#include <cstdint>
#include <span>
#include <vector>

namespace tessel::reference {

// Plain per-pixel transcriptions of the synthesis formulas, with nothing precomputed or
// reordered. The fast kernels must match them bit for bit (tolerance 0); the tests and
// benchmarks hold the two side by side.

// Value noise on a g × g lattice over n × n pixels (1 <= g <= n), drawing g² values.
std::vector<float> valueNoise(int n, int g, std::uint64_t& state);

// Cellular bumps with cell size max(cellSize, 2), drawing two values per cell.
std::vector<float> cellularBumps(int n, int cellSize, std::uint64_t& state);

// The overlay tile, one channel byte at a time with every clamp in place.
QImage shadeTile(std::span<const float> field, int n, bool night, double gsm, float warmth);

} // namespace tessel::reference
