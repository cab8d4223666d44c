#pragma once

#include "paper/Recipe.h"

#include <span>

namespace tessel {

// Regular structure laid into the sheet, before normalisation; x is the column, y the row.
//   laid:  chain-line ridges every 128 columns (peak 1.2) plus ribs every 4 rows (±0.7),
//          values in [-0.7, 1.9];
//   linen: an 8 × 8 basket weave, values in [0, 1];
//   graph: engraved lines, -0.8 every 32 and -1.4 for two pixels every 128, adding where
//          they cross, values in [-2.2, 0];
//   none:  0.
// Periodic over any n that is a multiple of 128. Draws no random numbers.
float patternValue(Recipe::Pattern pattern, int x, int y);

// Fills out (n × n, row-major) with patternValue at every pixel.
void patternField(Recipe::Pattern pattern, int n, std::span<float> out);

} // namespace tessel
