#include "core/TileKey.h"

#include <QHashFunctions>

#include <algorithm>
#include <cmath>

namespace tessel {

TileKey TileKey::of(const Recipe& recipe, double gsm, bool night) {
    const double rounded = std::round(gsm); // halves away from zero
    const double bounded = std::clamp(rounded, -1e9, 1e9);
    return {recipe, static_cast<int>(std::isnan(bounded) ? 0 : bounded), night};
}

std::size_t qHash(const TileKey& key, std::size_t seed) noexcept {
    return qHashMulti(seed, key.recipe, key.gsm, key.night);
}

} // namespace tessel
