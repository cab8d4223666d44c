#pragma once

#include "core/Settings.h"
#include "paper/Json.h"

#include <QString>

#include <string>
#include <variant>

namespace tessel {

// `current` with one key set to a value given by hand, or why the value is refused: a key
// that is not a setting, a value that does not read, or one outside what the setting allows.
std::variant<Settings, QString> withSetting(const Settings& current, const std::string& key,
                                            const Json& value);

} // namespace tessel
