#pragma once

#include "core/Settings.h"
#include "paper/Json.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

// One key of the settings document: how it reads, how it writes, and what a value given by
// hand (the command line) must be. Defaults are the record's own member initialisers.
struct SettingField {
    std::string key;
    // Takes the value into the record when it reads; false leaves the field as it was.
    std::function<bool(const Json&, Settings&)> read;
    // A null result leaves the key out.
    std::function<Json(const Settings&)> write;
    // Why a value given by hand is refused, or none when it reads and is within its limits.
    // `current` supplies what a value may refer to, such as the custom papers.
    std::function<std::optional<QString>(const Json&, const Settings& current)> check;
};

// Every settings key in the record's declaration order.
const std::vector<SettingField>& settingFields();
const SettingField* findSettingField(const std::string& key);

} // namespace tessel
