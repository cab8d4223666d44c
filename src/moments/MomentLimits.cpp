#include "moments/MomentLimits.h"

#include <algorithm>

namespace tessel {

namespace {

// The shortest choices of the "Every", "For" and "After" pickers.
constexpr int shortestRestEvery = 20;
constexpr int shortestRestLength = 20;
constexpr int shortestArtIdle = 1;

} // namespace

int restEveryMinutes(const Settings& settings) {
    return std::max(settings.restEvery, shortestRestEvery);
}

int restLengthSeconds(const Settings& settings) {
    return std::max(settings.restLength, shortestRestLength);
}

int artIdleMinutes(const Settings& settings) {
    return std::max(settings.art.idleMinutes, shortestArtIdle);
}

} // namespace tessel
