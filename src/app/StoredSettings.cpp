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

std::optional<QString> storedSettingsProblem() {
    const UserDefaults defaults(UserDefaults::defaultDirectory());
    if (defaults.unreadable()) {
        return QStringLiteral("%1 is unreadable, so defaults are used; the next change keeps it "
                              "aside")
            .arg(defaults.filePath());
    }
    return defaults.lastError();
}

} // namespace tessel
