#pragma once

#include "paper/Recipe.h"

#include <cstddef>

namespace tessel {

// A tile is shaded once per recipe, rounded weight and palette.
struct TileKey {
    Recipe recipe;
    int gsm = 0; // rounded to the nearest integer, halves away from zero
    bool night = false;

    static TileKey of(const Recipe& recipe, double gsm, bool night);

    friend bool operator==(const TileKey&, const TileKey&) = default;
};

std::size_t qHash(const TileKey& key, std::size_t seed = 0) noexcept;

} // namespace tessel
