#include "core/SettingsPersistence.h"

#include "core/CoreLog.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

constexpr const char* settingsKey = "settings";

} // namespace

SettingsPersistence::SettingsPersistence(Platform& platform, std::function<void()> stateChanged)
    : m_platform(platform)
    , m_stateChanged(std::move(stateChanged))
    , m_spacing(platform.makeTimer([this] { spacingElapsed(); })) {}

Settings SettingsPersistence::load() {
    UserDefaults& defaults = m_platform.defaults();
    defaults.setAsideIfUnreadable();
    m_setAside = defaults.takeSetAsidePath();
    // A file we may not read is never replaced, so no change can be saved until it is fixed.
    m_writeError = defaults.lastError();
    const auto stored = defaults.value(settingsKey);
    if (!stored) {
        return {};
    }
    auto settings = settingsFromJson(*stored);
    if (!settings) {
        qCWarning(lcCore) << "The stored settings are not a JSON object; using defaults";
    }
    return settings.value_or(Settings{});
}

void SettingsPersistence::changed(const Settings& settings) {
    if (m_spacing->isActive()) {
        m_waiting = settings;
        return;
    }
    write(settings);
    m_spacing->start(writeSpacing, false);
}

void SettingsPersistence::flush() {
    if (m_waiting) {
        write(*std::exchange(m_waiting, std::nullopt));
    }
}

void SettingsPersistence::spacingElapsed() {
    if (m_waiting) {
        write(*std::exchange(m_waiting, std::nullopt));
        m_spacing->start(writeSpacing, false);
    }
}

void SettingsPersistence::write(const Settings& settings) {
    UserDefaults& defaults = m_platform.defaults();
    const bool written = defaults.setValue(settingsKey, toJson(settings));
    const std::optional<QString> error = written ? std::nullopt
                                                 : std::optional(defaults.lastError().value_or(
                                                       QStringLiteral("Couldn't save settings")));
    const auto setAside = defaults.takeSetAsidePath();
    const bool stateChanges = error != m_writeError || setAside != m_setAside;
    m_writeError = error;
    m_setAside = setAside;
    if (stateChanges) {
        m_stateChanged();
    }
}

} // namespace tessel
