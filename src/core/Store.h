#pragma once

#include "core/Layer.h"
#include "core/MomentController.h"
#include "core/Overlay.h"
#include "core/PaperCache.h"
#include "core/Resolution.h"
#include "core/ScreenSampler.h"
#include "core/Settings.h"
#include "core/SettingsPersistence.h"
#include "core/WindowTracker.h"
#include "platform/Platform.h"

#include <QImage>
#include <QMap>
#include <QObject>

#include <memory>
#include <optional>

namespace tessel {

// The one observable state object: the user's settings, what Tessel knows of the machine,
// and the decision of which paper each screen shows. Lives on the main thread.
// Every observed field announces itself only when its value really changes.
class Store final : public QObject {
    Q_OBJECT

public:
    Store(Platform& platform, std::unique_ptr<Overlay> overlay);
    ~Store() override;

    const Settings& settings() const { return m_settings; }
    // Applies the record when it differs from the current one, and saves it (calmly: see
    // SettingsPersistence).
    void setSettings(Settings settings);
    // Writes a change still waiting to be saved; for quitting.
    void flushSettings() { m_persistence.flush(); }
    // Why the settings could not be saved, until a save succeeds.
    const std::optional<QString>& saveError() const { return m_persistence.writeError(); }
    template <typename Edit> void updateSettings(Edit edit) {
        Settings next = m_settings;
        edit(next);
        setSettings(std::move(next));
    }

    bool editingNight() const { return m_editingNight; }
    void setEditingNight(bool night);
    Slot editedSlot() const;
    void setEditedSlot(Slot slot);

    bool dark() const { return m_dark; }
    const QMap<QString, bool>& displayDark() const { return m_displayDark; }
    bool onBattery() const { return m_onBattery; }
    const std::optional<QString>& frontApp() const { return m_frontApp; }
    std::optional<qint32> frontPID() const { return m_frontPID; }
    bool paperVisible() const { return m_paperVisible; }
    bool screenAccess() const { return m_screenAccess; }
    const std::optional<FocusFilter>& focusFilter() const { return m_focusFilter; }
    void setFocusFilter(std::optional<FocusFilter> filter);

    // Hands the Store its art and rest controllers, ticked from start on. Call before start.
    void adoptMoments(std::unique_ptr<MomentController> art,
                      std::unique_ptr<MomentController> rest);

    // Rest or art at once; nothing before adoptMoments.
    void showRestNow();
    void showArtNow();

    // Runs once; a second call does nothing.
    void start();
    void refresh();

    // The one-line state for the popover, or none when paper shows as chosen.
    std::optional<QString> status() const;
    ScreenMap screensByID() const;

    bool isSnoozed() const;
    // Without seconds, cancels the snooze.
    void snooze(std::optional<double> seconds);
    void snoozeUntilTomorrow();

    // Looks the place up offline; when found, stores its name, latitude and longitude as one
    // settings change and returns true. Nothing changes when no place matches.
    bool geocode(const QString& place);

    void restartSampling();
    void updateTracking();

    // Grey previews by paper id; entries arrive in the background after makePreviews.
    const QHash<QString, QImage>& previews() const { return m_cache.previews(); }
    void setPreview(const QString& paperId, std::optional<QImage> preview);
    void makePreviews();
    const PaperCache& cache() const { return m_cache; }

    Overlay& overlay() { return *m_overlay; }
    Platform& platform() { return m_platform; }

Q_SIGNALS:
    void settingsChanged();
    void editingNightChanged(bool night);
    void darkChanged(bool dark);
    void onBatteryChanged(bool onBattery);
    void frontAppChanged();
    void paperVisibleChanged(bool visible);
    void screenAccessChanged(bool access);
    void previewsChanged();
    // saveError() changed, or an unreadable settings file was set aside.
    void persistenceChanged();

private:
    void settingsDidChange(const Settings& previous);
    Instant now() const;
    void installWatchers();
    void appearanceChanged();
    void heartbeat();
    void powerChanged();
    void activeAppChanged(const std::optional<AppInfo>& app);
    void rearmSnoozeTimer();
    std::optional<QImage> tile(const Layer& layer);
    void pruneHeights(const LayerMap& layers);
    Recipe recipeOf(const QString& paperId) const;
    MachineState machineState(const ScreenMap& screens) const;
    QString frontAppName() const;
    void sampleScreens();

    template <typename T, typename Signal> void assign(T& field, T value, Signal changed);

    Platform& m_platform;
    std::unique_ptr<Overlay> m_overlay;
    SettingsPersistence m_persistence;
    Settings m_settings;
    bool m_editingNight = false;
    bool m_dark = false;
    QMap<QString, bool> m_displayDark;
    bool m_onBattery = false;
    std::optional<QString> m_frontApp;
    bool m_paperVisible = false;
    bool m_screenAccess = false;
    std::optional<FocusFilter> m_focusFilter;
    PaperCache m_cache;
    std::unique_ptr<Timer> m_snoozeTimer;
    std::unique_ptr<Timer> m_minuteTimer;
    std::unique_ptr<MomentController> m_art;
    std::unique_ptr<MomentController> m_rest;
    std::unique_ptr<Timer> m_artTimer;
    std::unique_ptr<Timer> m_restTimer;
    std::optional<qint32> m_frontPID;
    ScreenSampler m_sampler;
    WindowTracker m_tracker;
    bool m_started = false;
};

} // namespace tessel

namespace tessel {

template <typename T, typename Signal> void Store::assign(T& field, T value, Signal changed) {
    if (field == value) {
        return;
    }
    field = std::move(value);
    changed();
}

} // namespace tessel
