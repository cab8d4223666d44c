#pragma once

#include "core/Settings.h"

namespace tessel {

// Hand-edited settings may hold zero or less; below the shortest choice the settings offer,
// moments act on that shortest choice, so they can never follow each other every few seconds.
// The stored values stay as they are.
int restEveryMinutes(const Settings& settings);
int restLengthSeconds(const Settings& settings);
int artIdleMinutes(const Settings& settings);

} // namespace tessel
