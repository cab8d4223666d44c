#pragma once

#include "platform/OverlaySurface.h"
#include "platform/desktop/DesktopPlatform.h"

#include <memory>

namespace tessel {

class DesktopEntries;
class IdleWatcher;
class MomentCover;
class SeatInput;
class Toplevels;
class WaylandConnection;
class WaylandOutputs;

// The platform of a Wayland session whose compositor offers the layer shell. Screens, idle
// time and the front app come from the compositor over Tessel's own connection, never from
// XWayland; what no protocol offered here gives (the pointer, the front window's frame,
// screen capture) is reported as unknown.
class WaylandPlatform final : public DesktopPlatform {
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
    std::optional<QString> unavailable(DesktopAbility ability) const override;
    QList<ScreenInfo> screens() const override;
    std::optional<AppInfo> frontmostApp() const override;
    QList<AppInfo> runningApps() const override;
    std::optional<InstalledApp> installedApp(const QString& appId) const override;
    QList<InstalledApp> installedApps() const override;
    std::optional<QRectF> frontWindowRect(std::optional<qint32> pid) const override;
    std::optional<QPointF> cursorPosition() const override;
    bool screenCaptureAllowed() const override;
    QImage captureScreen(const QString& screenId, QSize size) const override;
    bool compositorRunning() const override;
    double idleSeconds() const override;
    void bringToFront(const AppInfo& app) override;

private:
    void forwardSignals();

    std::unique_ptr<WaylandConnection> m_connection;
    std::unique_ptr<WaylandOutputs> m_outputs;
    std::unique_ptr<DesktopEntries> m_entries;
    std::unique_ptr<Toplevels> m_toplevels;
    std::unique_ptr<IdleWatcher> m_idle;
    std::unique_ptr<SeatInput> m_input;
    std::unique_ptr<MomentCover> m_cover;
};

} // namespace tessel
