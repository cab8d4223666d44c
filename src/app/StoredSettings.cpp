#include "app/StoredSettings.h"

#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <nlohmann/json.hpp>

namespace tessel {

Settings storedSettings() {
    const UserDefaults defaults(UserDefaults::defaultDirectory());
    const auto stored = defaults.value("settings");
    return stored ? settingsFromJson(*stored).value_or(Settings{}) : Settings{};
}

} // namespace tessel
