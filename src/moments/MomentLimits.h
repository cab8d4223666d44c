#pragma once

#include "core/Settings.h"

#include <chrono>

namespace tessel {

// Hand-edited settings may hold any int. Moments act on the nearest choice the settings
// offer: below the shortest, the shortest, so moments never follow each other every few
// seconds; beyond the longest, the longest, so a value too large to count in seconds never
// wraps round to a short wait. The stored values stay as they are.
std::chrono::seconds restInterval(const Settings& settings);
std::chrono::seconds restLength(const Settings& settings);
std::chrono::seconds artIdleTime(const Settings& settings);

} // namespace tessel
