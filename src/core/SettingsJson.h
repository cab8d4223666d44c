#pragma once

#include "core/Settings.h"
#include "paper/Json.h"

#include <optional>

namespace tessel {

// Forgiving reader: a key that is absent, null or unreadable keeps its default, and one
// bad field never spoils the others. Nested records are strict and fall back whole.
// Fails only when the document is not a JSON object.
std::optional<Settings> settingsFromJson(const Json& document);

// All 27 fields in declaration order; absent optionals are omitted.
Json toJson(const Settings& settings);

} // namespace tessel
