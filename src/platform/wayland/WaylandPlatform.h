#pragma once

#include "platform/OverlaySurface.h"
#include "platform/Platform.h"
#include "platform/UserDefaults.h"

#include <memory>

namespace tessel {

class ClockWatcher;
class DesktopEntries;
class DesktopSettings;
class IdleWatcher;
class MomentCover;
class PowerSource;
class SeatInput;
class SleepWatcher;
class Toplevels;
class WaylandConnection;
class WaylandOutputs;

// The platform of a Wayland session whose compositor offers the layer shell. Screens, idle
// time and the front app come from the compositor over Tessel's own connection, never from
// XWayland; what no protocol offered here gives (the pointer, the front window's frame,
// screen capture) is reported as unknown.
class WaylandPlatform final : public Platform {
    Q_OBJECT

public:
    // The compositor of this session when it offers the layer shell, else null.
    static std::unique_ptr<WaylandConnection> connectToLayerShell();

    WaylandPlatform(std::unique_ptr<WaylandConnection> connection, QString defaultsDirectory);
    ~WaylandPlatform() override;

    // Layer surfaces on the compositor's outputs, for the overlay and for moments.
    OverlaySurfaceFactory overlaySurfaces();
    MomentSurfaceFactory momentSurfaces();

    QString backendName() const override { return QStringLiteral("wayland"); }
    QList<ScreenInfo> screens() const override;
    bool systemIsDark() const override;
    bool onBatteryPower() const override;
    bool reduceMotion() const override;
    std::optional<AppInfo> frontmostApp() const override;
    QList<AppInfo> runningApps() const override;
    std::optional<InstalledApp> installedApp(const QString& appId) const override;
    QList<InstalledApp> installedApps() const override;
    std::optional<QRectF> frontWindowRect(std::optional<qint32> pid) const override;
    std::optional<QPointF> cursorPosition() const override;
    bool screenCaptureAllowed() const override;
    void captureScreen(const QString& screenId, QSize size,
                       std::function<void(QImage)> done) override;
    QDateTime now() const override;
    QTimeZone timeZone() const override;
    std::unique_ptr<Timer> makeTimer(std::function<void()> action) override;
    UserDefaults& defaults() override { return m_defaults; }
    std::optional<QString> cacheDirectory() const override;
    bool compositorRunning() const override;
    void setLoginItem(bool on) override;
    bool isLoginItem() const override;
    double idleSeconds() const override;
    bool displayKeptAwake() const override;
    void bringToFront(const AppInfo& app) override;

private:
    void forwardSignals();

    UserDefaults m_defaults;
    std::unique_ptr<WaylandConnection> m_connection;
    std::unique_ptr<WaylandOutputs> m_outputs;
    std::unique_ptr<DesktopEntries> m_entries;
    std::unique_ptr<Toplevels> m_toplevels;
    std::unique_ptr<IdleWatcher> m_idle;
    std::unique_ptr<SeatInput> m_input;
    std::unique_ptr<MomentCover> m_cover;
    std::unique_ptr<ClockWatcher> m_clock;
    std::unique_ptr<PowerSource> m_power;
    std::unique_ptr<SleepWatcher> m_sleep;
    std::unique_ptr<DesktopSettings> m_desktopSettings;
};

} // namespace tessel
