#include "paper/HeightField.h"

#include "paper/CellularBumps.h"
#include "paper/LayerMix.h"
#include "paper/NoiseLayers.h"
#include "paper/PatternField.h"
#include "paper/StrokeLayers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tessel {

namespace {

namespace bounds = synthesisBounds;

// Clamps into [low, high] and sends NaN to 0, so nothing unbounded or NaN reaches a count,
// a cast to an integer or the rasteriser.
float within(float value, float low, float high) {
    return std::isnan(value) ? 0.0f : std::clamp(value, low, high);
}

// Truncated as the recipe says; anything at or above n gives one cell, anything below 2 acts
// as 2, so the integer conversion only ever sees a value in range.
int toothCells(float size, int n) {
    if (!(size >= 2.0f)) {
        return 2;
    }
    return size >= static_cast<float>(n) ? n : static_cast<int>(size);
}

// area × perUnit / 2^20, truncated: the count for a whole 1024 tile is perUnit itself. Only
// an absurd n could overflow an int; that is capped rather than left undefined.
int countFor(int n, float perUnit) {
    const auto area = static_cast<float>(static_cast<std::int64_t>(n) * n);
    return static_cast<int>(std::min(area * perUnit * 0x1p-20f, 1e9f));
}

bool hasFibres(const Recipe& recipe) {
    return recipe.fibres > 0 && recipe.fibreDensity > 0;
}

} // namespace

int fibreCount(const Recipe& recipe, int n) {
    if (!hasFibres(recipe)) {
        return 0;
    }
    return countFor(n, std::min(recipe.fibreDensity, bounds::maxFibreDensity) * 900.0f);
}

int fleckCount(const Recipe& recipe, int n) {
    if (!(recipe.flecks > 0)) {
        return 0;
    }
    return countFor(n, 700.0f * std::min(recipe.flecks, bounds::maxFleckCount));
}

std::vector<float> heightField(const Recipe& recipe, int n) {
    if (n <= 0) {
        return {};
    }
    const bool cloud = recipe.cloud > 0;
    const bool grain = recipe.grain > 0;
    const bool tooth = recipe.tooth > 0;
    const bool fibres = hasFibres(recipe);
    const bool pattern = recipe.pattern != Recipe::Pattern::none && recipe.patternAmount > 0;
    const bool flecks = recipe.flecks > 0;
    const auto count = static_cast<std::size_t>(cloud + grain + tooth + fibres + pattern + flecks);

    // One block for every layer: fresh pages cost more than the arithmetic, and a single
    // allocation is the one the allocator most readily hands back next time. Every layer
    // writes all of its values, so the block is left uninitialised.
    const auto size = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    const std::unique_ptr<float[]> block(new float[count * size]);
    std::vector<WeightedLayer> layers;
    const auto add = [&](float weight, bool normalised = true) {
        const std::span<float> values(block.get() + layers.size() * size, size);
        layers.push_back({values, std::min(weight, bounds::maxWeight), normalised});
        return values;
    };

    // The order of these steps is the order in which the layers draw random numbers.
    std::uint64_t state = recipe.seed;
    if (cloud) {
        cloudLayer(n, state, add(recipe.cloud));
    }
    if (grain) {
        grainLayer(n, state, add(recipe.grain));
    }
    if (tooth) {
        cellularBumps(n, toothCells(recipe.toothSize, n), state, add(recipe.tooth));
    }
    if (fibres) {
        const float length =
            within(recipe.fibreLength, -bounds::maxFibreLength, bounds::maxFibreLength);
        const float width = within(recipe.fibreWidth, 0.0f, bounds::maxFibreWidth);
        fibreBitmap(n, fibreCount(recipe, n), length, width, state, add(recipe.fibres));
    }
    if (pattern) {
        patternField(recipe.pattern, n, add(recipe.patternAmount));
    }
    if (flecks) {
        const float amount = std::min(recipe.flecks, bounds::maxWeight);
        // Flecks are pits of their own depth, not a normalised layer.
        fleckBitmap(n, fleckCount(recipe, n), state, add(-4.0f * amount, false));
    }
    return mixLayers(layers, size);
}

} // namespace tessel
