#include "core/StatusText.h"
#include "core/Store.h"

#include <QFileInfo>

#include <algorithm>

namespace tessel {

ScreenMap Store::screensByID() const {
    ScreenMap screens;
    for (const ScreenInfo& screen : m_platform.screens()) {
        if (!screen.id.isEmpty()) {
            screens.insert(screen.id, screen);
        }
    }
    return screens;
}

MachineState Store::machineState(const ScreenMap& screens) const {
    return {.screens = screens.keys(),
            .dark = m_dark,
            .displayDark = m_displayDark,
            .onBattery = m_onBattery,
            .frontApp = m_frontApp,
            .compositorRunning = m_platform.compositorRunning(),
            .now = m_platform.now(),
            .timeZone = m_platform.timeZone(),
            .focusFilter = m_focusFilter};
}

void Store::refresh() {
    if (m_settings.snoozedUntil && *m_settings.snoozedUntil <= now()) {
        updateSettings([](Settings& s) { s.snoozedUntil.reset(); });
        return;
    }
    const ScreenMap screens = screensByID();
    const bool wasVisible = m_paperVisible;
    const LayerMap layers = resolve(m_settings, machineState(screens)).layers;

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

std::optional<QString> Store::status() const {
    if (m_persistence.writeError()) {
        return QStringLiteral("Couldn't save settings");
    }
    if (const auto& aside = m_persistence.setAsidePath()) {
        return QStringLiteral("Unreadable settings were set aside as ") +
               QFileInfo(*aside).fileName();
    }
    // The gates concern the whole machine, so no screen needs reading.
    const auto gate = resolve(m_settings, machineState({})).closedBy;
    if (!gate) {
        return std::nullopt;
    }
    if (gate == Gate::noCompositor && m_platform.unavailable(DesktopAbility::clickThrough)) {
        return QStringLiteral("Needs Tessel's extension");
    }
    return statusText(*gate, m_settings, m_platform.timeZone(), [this] { return frontAppName(); });
}

QString Store::frontAppName() const {
    const QList<AppInfo> apps = m_platform.runningApps();
    const auto app = std::find_if(apps.cbegin(), apps.cend(),
                                  [this](const AppInfo& a) { return a.appId == m_frontApp; });
    return app == apps.cend() ? QString() : app->name;
}

} // namespace tessel
