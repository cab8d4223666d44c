#pragma once

#include "platform/OverlaySurface.h"
#include "platform/desktop/DesktopPlatform.h"
#include "platform/wayland/LayerSurface.h"

#include <memory>

namespace tessel {

class DesktopEntries;
class IdleWatcher;
class KWinScreenShot;
class KWinScript;
class MomentCover;
class ScreenCopy;
class ShownPaper;
class SeatInput;
class SwayWindows;
class Toplevels;
class WaylandConnection;
class WaylandOutputs;

// The platform of a Wayland session whose compositor offers the layer shell. Screens, idle
// time and the front app come from the compositor over Tessel's own connection, never from
// XWayland; on KWin the front app, its frame and the pointer from Tessel's KWin script; the
// front window's frame from sway's IPC where it runs; captures from wlroots' screen copy, with
// Tessel's own paper taken back out; what nothing here gives is reported as unknown.
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
    void captureScreen(const QString& screenId, QSize size,
                       std::function<void(QImage)> done) override;
    void hidePaperFromCapture(bool hidden) override;
    bool compositorRunning() const override;
    double idleSeconds() const override;
    void bringToFront(const AppInfo& app) override;

private:
    void forwardSignals();
    LayerSurface::Shared shared();
    // The app under the name its desktop entry gives it, where one is installed.
    AppInfo named(AppInfo app) const;
    void kwinWindowChanged();
    // Whether KWin leaves the paper out of every capture, Tessel's own too.
    bool paperKeptOutOfCaptures() const;

    std::unique_ptr<WaylandConnection> m_connection;
    std::unique_ptr<WaylandOutputs> m_outputs;
    std::unique_ptr<DesktopEntries> m_entries;
    std::unique_ptr<Toplevels> m_toplevels;
    std::unique_ptr<IdleWatcher> m_idle;
    std::unique_ptr<SeatInput> m_input;
    std::unique_ptr<MomentCover> m_cover;
    std::unique_ptr<ShownPaper> m_paper;
    std::unique_ptr<ScreenCopy> m_copy;
    // KWin's screenshots, where wlroots' screen copy is not offered.
    std::unique_ptr<KWinScreenShot> m_screenShot;
    // The front window's frame, where sway's IPC tells it.
    std::unique_ptr<SwayWindows> m_sway;
    // The front app, its frame and the pointer, where KWin runs Tessel's script.
    std::unique_ptr<KWinScript> m_kwin;
    std::optional<AppInfo> m_kwinFront;
    // Whether the desktop's portal binds shortcuts for apps.
    bool m_portalShortcuts;
};

} // namespace tessel
