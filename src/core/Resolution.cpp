#include "core/Resolution.h"

#include "core/SunTimes.h"

#include <algorithm>

namespace tessel {

namespace {

bool anyPrefixOf(const QStringList& prefixes, const QString& appId) {
    return std::any_of(prefixes.cbegin(), prefixes.cend(),
                       [&](const QString& prefix) { return appId.startsWith(prefix); });
}

std::optional<QString> appPaper(const Settings& s, const std::optional<QString>& appId) {
    if (!appId) {
        return std::nullopt;
    }
    for (auto it = s.appPapers.cbegin(); it != s.appPapers.cend(); ++it) {
        if (appId->startsWith(it.key())) {
            return it.value();
        }
    }
    return std::nullopt;
}

std::optional<Gate> closedGate(const Settings& s, const MachineState& m) {
    if (!s.enabled) {
        return Gate::off;
    }
    // Without a compositor a translucent window shows opaque: better no paper than a wall.
    if (!m.compositorRunning) {
        return Gate::noCompositor;
    }
    if (isSnoozed(s, m.now)) {
        return Gate::snoozed;
    }
    if (s.pauseOnBattery && m.onBattery) {
        return Gate::pausedOnBattery;
    }
    if (!inSchedule(s.schedule, m.now, m.timeZone)) {
        return Gate::outsideSchedule;
    }
    if (!allowsApp(s, m.frontApp)) {
        return Gate::excludedApp;
    }
    // Last, so the status line reads as if paper showed: it never mentions these two.
    if (!s.onboarded) {
        return Gate::notOnboarded;
    }
    if (m.focusFilter && !m.focusFilter->on) {
        return Gate::focusFilterOff;
    }
    return std::nullopt;
}

LayerMap layers(const Settings& s, const MachineState& m) {
    // A Focus filter's paper outranks the app and screen papers; the weight stays the slot's.
    const auto forFilter = m.focusFilter ? m.focusFilter->paper : std::nullopt;
    const auto forApp = forFilter ? forFilter : appPaper(s, m.frontApp);
    const bool perScreen = s.dayNight == Settings::DayNight::screen;
    const double lampStrength = s.lamp.id ? s.lamp.strength : 0;
    LayerMap result;
    for (const QString& id : m.screens) {
        if (s.disabledDisplays.contains(id)) {
            continue;
        }
        const bool night = perScreen ? m.displayDark.value(id, m.dark) : m.dark;
        const Slot& slot = night ? s.night : s.day;
        const QString paper = forApp.value_or(s.displayPapers.value(id, slot.paper));
        result.insert(id, Layer{paper, slot.gsm, night, s.lamp.id, lampStrength});
    }
    return result;
}

} // namespace

Resolution resolve(const Settings& settings, const MachineState& machine) {
    if (const auto gate = closedGate(settings, machine)) {
        return {{}, gate};
    }
    return {layers(settings, machine), std::nullopt};
}

bool allowsApp(const Settings& settings, const std::optional<QString>& appId) {
    switch (settings.appMode) {
    case Settings::AppMode::onlyListed:
        return appId && anyPrefixOf(settings.onlyApps, *appId);
    case Settings::AppMode::exceptListed:
        return !appId || !anyPrefixOf(settings.excludedApps, *appId);
    }
    return true;
}

bool isSnoozed(const Settings& settings, const QDateTime& now) {
    return settings.snoozedUntil && *settings.snoozedUntil > Instant::fromDateTime(now);
}

} // namespace tessel
