#include "core/Store.h"

#include "core/PlaceSearch.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

namespace tessel {

namespace {

constexpr auto heartbeatInterval = std::chrono::seconds(30);
constexpr double longestSnoozeWait = 24 * 60 * 60;
constexpr auto momentInterval = std::chrono::seconds(5);

} // namespace

Store::Store(Platform& platform, std::unique_ptr<Overlay> overlay)
    : m_platform(platform)
    , m_overlay(std::move(overlay))
    , m_persistence(platform, [this] { Q_EMIT persistenceChanged(); })
    , m_settings(m_persistence.load())
    , m_screenAccess(platform.screenCaptureAllowed())
    , m_cache(platform.cacheDirectory())
    , m_snoozeTimer(platform.makeTimer([this] { refresh(); }))
    , m_minuteTimer(platform.makeTimer([this] { heartbeat(); }))
    , m_sampler(platform, [this] { sampleScreens(); })
    , m_tracker(platform, *m_overlay, m_settings, m_frontPID) {
    connect(&m_cache, &PaperCache::paperArrived, this, &Store::refresh);
    connect(&m_cache, &PaperCache::previewsChanged, this, &Store::previewsChanged);
}

// However Tessel ends in order (Quit, a signal, the session ending), nothing changed is lost.
Store::~Store() {
    blockSignals(true); // the windows that listen may be gone already
    m_persistence.flush();
}

void Store::setSettings(Settings settings) {
    dropKeptValuesOfChangedFields(m_settings, settings);
    if (settings == m_settings) {
        return;
    }
    const Settings previous = std::exchange(m_settings, std::move(settings));
    Q_EMIT settingsChanged();
    settingsDidChange(previous);
}

void Store::settingsDidChange(const Settings& previous) {
    m_persistence.changed(m_settings);
    refresh();
    if (m_settings.dayNight != previous.dayNight) {
        restartSampling();
    }
    if (m_settings.focusSheet != previous.focusSheet || m_settings.ruler != previous.ruler) {
        updateTracking();
    }
}

void Store::setEditingNight(bool night) {
    assign(m_editingNight, night, [this] { Q_EMIT editingNightChanged(m_editingNight); });
}

Slot Store::editedSlot() const {
    return m_editingNight ? m_settings.night : m_settings.day;
}

void Store::setEditedSlot(Slot slot) {
    updateSettings([&](Settings& s) { (m_editingNight ? s.night : s.day) = std::move(slot); });
}

void Store::setFocusFilter(std::optional<FocusFilter> filter) {
    m_focusFilter = std::move(filter);
    refresh();
}

void Store::adoptMoments(std::unique_ptr<MomentController> art,
                         std::unique_ptr<MomentController> rest) {
    m_art = std::move(art);
    m_rest = std::move(rest);
    m_artTimer = m_platform.makeTimer([this] { m_art->tick(); });
    m_restTimer = m_platform.makeTimer([this] { m_rest->tick(); });
}

void Store::showRestNow() {
    if (m_rest) {
        m_rest->showNow();
    }
}

void Store::showArtNow() {
    if (m_art) {
        m_art->showNow();
    }
}

void Store::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    m_platform.defaults().removeAbandonedWrites();
    assign(m_dark, m_platform.systemIsDark(), [this] { Q_EMIT darkChanged(m_dark); });
    setEditingNight(m_dark);
    assign(m_onBattery, m_platform.onBatteryPower(),
           [this] { Q_EMIT onBatteryChanged(m_onBattery); });
    const auto front = m_platform.frontmostApp();
    assign(m_frontApp, front ? front->appId : std::nullopt, [this] { Q_EMIT frontAppChanged(); });
    m_frontPID = front ? front->pid : std::nullopt;
    installWatchers();
    m_minuteTimer->start(heartbeatInterval, true);
    refresh();
    makePreviews();
    restartSampling();
    updateTracking();
    if (m_art && m_rest) {
        m_artTimer->start(momentInterval, true);
        m_restTimer->start(momentInterval, true);
    }
}

void Store::installWatchers() {
    connect(&m_platform, &Platform::frontAppChanged, this, &Store::activeAppChanged);
    for (auto event :
         {&Platform::woke, &Platform::screensWoke, &Platform::desktopChanged,
          &Platform::screensChanged, &Platform::clockChanged, &Platform::compositorChanged}) {
        connect(&m_platform, event, this, &Store::refresh);
    }
    connect(&m_platform, &Platform::clockChanged, this, &Store::heartbeat);
    connect(&m_platform, &Platform::appearanceChanged, this, &Store::appearanceChanged);
    connect(&m_platform, &Platform::powerChanged, this, &Store::powerChanged);
}

void Store::appearanceChanged() {
    const bool dark = m_platform.systemIsDark();
    if (dark == m_dark) {
        return;
    }
    assign(m_dark, dark, [this] { Q_EMIT darkChanged(m_dark); });
    setEditingNight(dark);
    refresh();
}

void Store::heartbeat() {
    // Some power sources announce nothing, so the heartbeat reads them too.
    assign(m_onBattery, m_platform.onBatteryPower(),
           [this] { Q_EMIT onBatteryChanged(m_onBattery); });
    refresh();
}

void Store::powerChanged() {
    const bool onBattery = m_platform.onBatteryPower();
    if (onBattery == m_onBattery) {
        return;
    }
    assign(m_onBattery, onBattery, [this] { Q_EMIT onBatteryChanged(m_onBattery); });
    refresh();
}

void Store::activeAppChanged(const std::optional<AppInfo>& app) {
    const auto appId = app ? app->appId : std::nullopt;
    // Tessel's own windows coming forward must not change the rules for the app beneath.
    if (appId == std::optional(Platform::ownAppId())) {
        return;
    }
    assign(m_frontApp, appId, [this] { Q_EMIT frontAppChanged(); });
    m_frontPID = app ? app->pid : std::nullopt;
    refresh();
}

void Store::restartSampling() {
    m_sampler.stop();
    assign(m_screenAccess, m_platform.screenCaptureAllowed(),
           [this] { Q_EMIT screenAccessChanged(m_screenAccess); });
    if (m_settings.dayNight == Settings::DayNight::screen && m_screenAccess) {
        m_sampler.start();
        sampleScreens();
        return;
    }
    m_displayDark.clear();
}

void Store::sampleScreens() {
    m_sampler.sample(screensByID().keys(), [this](const ScreenSampler::Lightness& lightness) {
        QMap<QString, bool> judged = ScreenSampler::judge(lightness, m_displayDark, m_dark);
        if (judged == m_displayDark) {
            return;
        }
        m_displayDark = std::move(judged);
        refresh();
    });
}

void Store::updateTracking() {
    m_tracker.update(m_paperVisible);
}

bool Store::geocode(const QString& place) {
    const auto found = findPlace(place);
    if (!found) {
        return false;
    }
    updateSettings([&](Settings& s) {
        s.schedule.place = found->displayName();
        s.schedule.latitude = found->latitude;
        s.schedule.longitude = found->longitude;
    });
    return true;
}

Instant Store::now() const {
    return Instant::fromDateTime(m_platform.now());
}

bool Store::isSnoozed() const {
    return tessel::isSnoozed(m_settings, m_platform.now());
}

void Store::snooze(std::optional<double> seconds) {
    const auto until = seconds ? std::optional(now().plusSeconds(*seconds)) : std::nullopt;
    updateSettings([&](Settings& s) { s.snoozedUntil = until; });
}

void Store::snoozeUntilTomorrow() {
    const QTimeZone zone = m_platform.timeZone();
    const QDate today = m_platform.now().toTimeZone(zone).date();
    const QDateTime midnight = QDateTime(today.addDays(1), QTime(0, 0), zone);
    const auto until =
        midnight.isValid() ? std::optional(Instant::fromDateTime(midnight)) : std::nullopt;
    updateSettings([&](Settings& s) { s.snoozedUntil = until; });
}

void Store::rearmSnoozeTimer() {
    m_snoozeTimer->stop();
    if (!isSnoozed()) {
        return;
    }
    // A far-off end re-arms from a later refresh; timers cannot wait for years.
    const double remaining =
        std::min(now().secondsUntil(*m_settings.snoozedUntil) + 0.1, longestSnoozeWait);
    m_snoozeTimer->start(
        std::chrono::milliseconds(static_cast<qint64>(std::ceil(remaining * 1000))), false);
}

} // namespace tessel
