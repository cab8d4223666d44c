#pragma once

#include "core/SettingLimits.h"

#include <cmath>

namespace tessel {

// A stored weight as paper is shaded with it: within limits::gsm, and NaN as the lightest.
// Stored weights are not clamped, and turning one far beyond int's range into an int is
// undefined, so whatever shows or reports a weight takes it from here.
inline double shadedGsm(double gsm) {
    return std::isnan(gsm) ? limits::gsm.lowest : limits::gsm.clamp(gsm);
}

} // namespace tessel
