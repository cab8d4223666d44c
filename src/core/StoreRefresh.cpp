#include "core/Store.h"
#include "core/SunTimes.h"

#include <QFileInfo>
#include <QLocale>

namespace tessel {

namespace {

bool anyPrefixOf(const QStringList& prefixes, const QString& appId) {
    return std::any_of(prefixes.cbegin(), prefixes.cend(),
                       [&](const QString& prefix) { return appId.startsWith(prefix); });
}

// The copy refresh decides with: onboarding and the Focus filter applied, never stored.
Settings effectiveSettings(Settings s, const std::optional<FocusFilter>& filter) {
    if (!s.onboarded) {
        s.enabled = false;
    }
    if (filter) {
        if (!filter->on) {
            s.enabled = false;
        }
        if (filter->paper) {
            s.day.paper = *filter->paper;
            s.night.paper = *filter->paper;
        }
    }
    return s;
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

} // namespace

bool Store::allowsApp(const Settings& settings, const std::optional<QString>& appId) {
    switch (settings.appMode) {
    case Settings::AppMode::onlyListed:
        return appId && anyPrefixOf(settings.onlyApps, *appId);
    case Settings::AppMode::exceptListed:
        return !appId || !anyPrefixOf(settings.excludedApps, *appId);
    }
    return true;
}

ScreenMap Store::screensByID() const {
    ScreenMap screens;
    for (const ScreenInfo& screen : m_platform.screens()) {
        if (!screen.id.isEmpty()) {
            screens.insert(screen.id, screen);
        }
    }
    return screens;
}

void Store::refresh() {
    const Instant current = now();
    if (m_settings.snoozedUntil && *m_settings.snoozedUntil <= current) {
        updateSettings([](Settings& s) { s.snoozedUntil.reset(); });
        return;
    }
    const ScreenMap screens = screensByID();
    const bool wasVisible = m_paperVisible;
    const LayerMap layers = resolveLayers(effectiveSettings(m_settings, m_focusFilter), screens);

    TileMap tiles;
    QSet<QString> pending;
    for (auto it = layers.cbegin(); it != layers.cend(); ++it) {
        if (auto image = tile(it.value())) {
            tiles.insert(it.key(), *image);
        } else {
            pending.insert(it.key());
        }
    }
    m_overlay->sync(screens, layers, tiles, pending, m_settings.hideFromScreenshots);

    assign(m_paperVisible, !layers.isEmpty(),
           [this] { Q_EMIT paperVisibleChanged(m_paperVisible); });
    if (m_paperVisible != wasVisible) {
        updateTracking();
    }
    rearmSnoozeTimer();
    pruneHeights(layers);
}

LayerMap Store::resolveLayers(const Settings& s, const ScreenMap& screens) const {
    const QDateTime time = m_platform.now();
    const bool snoozed = s.snoozedUntil && *s.snoozedUntil > Instant::fromDateTime(time);
    // Without a compositor a translucent window shows opaque: better no paper than a wall.
    const bool shows = s.enabled && m_platform.compositorRunning() && !snoozed &&
                       !(m_onBattery && s.pauseOnBattery) &&
                       inSchedule(s.schedule, time, m_platform.timeZone()) &&
                       allowsApp(s, m_frontApp);
    LayerMap layers;
    if (!shows) {
        return layers;
    }
    // A Focus filter's paper outranks the app and screen papers; the weight stays the slot's.
    const auto forFilter = m_focusFilter ? m_focusFilter->paper : std::nullopt;
    const auto forApp = forFilter ? forFilter : appPaper(s, m_frontApp);
    const bool perScreen = s.dayNight == Settings::DayNight::screen && !m_displayDark.isEmpty();
    const double lampStrength = s.lamp.id ? s.lamp.strength : 0;
    for (const QString& id : screens.keys()) {
        if (s.disabledDisplays.contains(id)) {
            continue;
        }
        const bool night = perScreen ? m_displayDark.value(id, m_dark) : m_dark;
        const Slot& slot = night ? s.night : s.day;
        const QString paper = forApp.value_or(s.displayPapers.value(id, slot.paper));
        layers.insert(id, Layer{paper, slot.gsm, night, s.lamp.id, lampStrength});
    }
    return layers;
}

std::optional<QString> Store::status() const {
    const QDateTime time = m_platform.now();
    if (m_persistence.writeError()) {
        return QStringLiteral("Couldn't save settings");
    }
    if (const auto& aside = m_persistence.setAsidePath()) {
        return QStringLiteral("Unreadable settings were set aside as ") +
               QFileInfo(*aside).fileName();
    }
    if (!m_settings.enabled) {
        return QStringLiteral("Off");
    }
    if (!m_platform.compositorRunning()) {
        return QStringLiteral("Needs a compositor");
    }
    if (isSnoozed()) {
        const QTime end =
            m_settings.snoozedUntil->toDateTime().toTimeZone(m_platform.timeZone()).time();
        return QStringLiteral("Snoozed until ") + QLocale().toString(end, QLocale::ShortFormat);
    }
    if (m_settings.pauseOnBattery && m_onBattery) {
        return QStringLiteral("Paused on battery");
    }
    if (!inSchedule(m_settings.schedule, time, m_platform.timeZone())) {
        return QStringLiteral("Outside schedule");
    }
    if (!allowsApp(m_settings, m_frontApp)) {
        const QList<AppInfo> apps = m_platform.runningApps();
        const auto app = std::find_if(apps.cbegin(), apps.cend(),
                                      [this](const AppInfo& a) { return a.appId == m_frontApp; });
        if (app == apps.cend() || app->name.isEmpty()) {
            return QStringLiteral("Off in this app");
        }
        return QStringLiteral("Off in ") + app->name;
    }
    return std::nullopt;
}

} // namespace tessel
