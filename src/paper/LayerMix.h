#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tessel {

// One layer of the sheet in its own n × n buffer, waiting to be mixed.
struct WeightedLayer {
    std::span<const float> values;
    float weight = 0;
    // Normalised layers enter with unit deviation times their weight; raw ones (flecks)
    // enter as they are, times their weight.
    bool normalised = true;
};

// Adds the layers, in order, into an all-zero field of `size` values and normalises the result:
// field[i] = ((0 + z1[i] w1) + z2[i] w2) + ... where zk is layer k normalised (or raw), then
// field = (field - mean) / deviation. This is exactly what normalising and adding each layer in
// turn gives, but the in-order single-precision sums of all layers run side by side, since
// those serial additions, not the arithmetic, bound the mix. Values have mean 0 and
// deviation 1, or are all 0 when there are no layers or they cancel.
std::vector<float> mixLayers(std::span<const WeightedLayer> layers, std::size_t size);

} // namespace tessel
