#pragma once

#include "platform/Platform.h"
#include "platform/UserDefaults.h"

#include <memory>

namespace tessel {

class ActiveWindowWatcher;
class AppIdentity;
class CaptureWorker;
class ClockWatcher;
class CompositorWatcher;
class DesktopSettings;
class PowerSource;
class SleepWatcher;
class WindowList;
class WorkspaceWatcher;
class XConnection;

// The platform of a real X11 desktop (or XWayland). Needs a QGuiApplication. Every service
// falls back quietly when the X server or a D-Bus service does not answer.
class X11Platform final : public Platform {
    Q_OBJECT

public:
    explicit X11Platform(QString defaultsDirectory);
    ~X11Platform() override;

    QString backendName() const override { return QStringLiteral("x11"); }
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
    void watchScreens();
    void forwardSignals();

    UserDefaults m_defaults;
    std::unique_ptr<XConnection> m_x;
    std::unique_ptr<AppIdentity> m_identity;
    std::unique_ptr<ActiveWindowWatcher> m_activeWindow;
    std::unique_ptr<WindowList> m_windows;
    std::unique_ptr<CompositorWatcher> m_compositor;
    std::unique_ptr<CaptureWorker> m_capture;
    std::unique_ptr<WorkspaceWatcher> m_workspace;
    std::unique_ptr<ClockWatcher> m_clock;
    std::unique_ptr<PowerSource> m_power;
    std::unique_ptr<SleepWatcher> m_sleep;
    std::unique_ptr<DesktopSettings> m_desktopSettings;
};

} // namespace tessel
