#pragma once

#include "core/Settings.h"

namespace tessel {

// The user's settings as the application would load them: defaults when none are stored.
Settings storedSettings();

} // namespace tessel
