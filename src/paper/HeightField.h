#pragma once

#include "paper/Recipe.h"

#include <vector>

namespace tessel {

// Recipes travel between people, so synthesis bounds what a recipe can ask for: even the worst
// recipe takes a few seconds of background work at n = 1024. The bounds sit five to ten times
// beyond the Studio's slider ranges, so every recipe those sliders reach renders as written.
namespace synthesisBounds {
// Any layer weight (cloud, grain, tooth, fibres, patternAmount, flecks) above this acts as this,
// which keeps every sum finite.
inline constexpr float maxWeight = 1e6f;
// fibreDensity above this acts as this: at most 9000 fibres at n = 1024.
inline constexpr float maxFibreDensity = 10.0f;
// |fibreLength| above this acts as this, keeping its sign.
inline constexpr float maxFibreLength = 2000.0f;
// fibreWidth is taken within [0, this].
inline constexpr float maxFibreWidth = 10.0f;
// The fleck count uses flecks up to this: at most 7000 flecks at n = 1024.
inline constexpr float maxFleckCount = 10.0f;
} // namespace synthesisBounds

// How many fibres and flecks a recipe draws at size n: (n² × perTile / 2^20) truncated, with
// perTile = fibreDensity × 900 or flecks × 700 (405 fibres for Kozo at 1024, 25 at 256), the
// amounts bounded as above. 0 when the layer is off.
int fibreCount(const Recipe& recipe, int n);
int fleckCount(const Recipe& recipe, int n);

// The periodic relief of one tile: n × n floats, row-major, row 0 on top, with mean 0 and
// deviation 1, or all zeros when every layer is off. The same recipe and n give the same bits
// on one machine. Layers draw from one generator seeded by recipe.seed in a fixed order:
// cloud, grain, tooth, fibres, pattern, flecks. NaN values switch a layer off, as do weights
// at or below 0; a NaN fibre length or width acts as 0 and a NaN tooth size as 2. n <= 0 gives an
// empty field. Safe to call concurrently.
std::vector<float> heightField(const Recipe& recipe, int n);

} // namespace tessel
