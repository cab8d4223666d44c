#pragma once

#include "core/Settings.h"
#include "paper/Json.h"

#include <optional>

namespace tessel {

// Forgiving reader: a key that is absent, null or unreadable keeps its default, and one
// bad field never spoils the others. Nested records are strict and fall back whole; custom
// papers read one by one. What does not read, and keys this version does not know, are kept
// in `Settings::kept` for the writer. Fails only when the document is not a JSON object.
std::optional<Settings> settingsFromJson(const Json& document);

// Every field in declaration order, absent optionals omitted, kept values written back as
// they were read, unknown keys last.
Json toJson(const Settings& settings);

// The user set these fields: what was kept for a field whose value changed from `previous`
// to `next` is dropped from `next`, so the new value is the one written.
void dropKeptValuesOfChangedFields(const Settings& previous, Settings& next);

} // namespace tessel
