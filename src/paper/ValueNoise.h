#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessel {

// Periodic value noise: signed lattice values on a g × g lattice that wraps over n pixels,
// blended with a smoothstep. Values lie in [-1, 1).
class ValueNoise {
public:
    // Draws the g² lattice values from state in row-major order. Requires 1 <= g <= n.
    ValueNoise(int n, int g, std::uint64_t& state);

    // Writes row y (0 <= y < n) into out, which holds n values.
    void row(int y, std::span<float> out) const;

private:
    int n_;
    int g_;
    float scale_;
    // Every lattice row already blended across all n columns (g × n values); a pixel then
    // needs only the blend between two of these rows.
    std::vector<float> across_;
};

} // namespace tessel
