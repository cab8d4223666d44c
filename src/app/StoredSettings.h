#pragma once

#include "core/Settings.h"

#include <QString>

#include <optional>

namespace tessel {

// The user's settings as the application would load them: defaults when none are stored.
Settings storedSettings();

// Why the stored settings cannot be used as they are, for a command to say: the file is
// unreadable, or it may not be read. None when all is well.
std::optional<QString> storedSettingsProblem();

} // namespace tessel
