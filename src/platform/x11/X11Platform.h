#pragma once

#include "platform/desktop/DesktopPlatform.h"

#include <memory>

namespace tessel {

class ActiveWindowWatcher;
class AppIdentity;
class CaptureWorker;
class CompositorWatcher;
class WindowList;
class WorkspaceWatcher;
class XConnection;

// The platform of a real X11 desktop (or XWayland). Needs a QGuiApplication. Every service
// falls back quietly when the X server or a D-Bus service does not answer.
class X11Platform : public DesktopPlatform {
    Q_OBJECT

public:
    explicit X11Platform(QString defaultsDirectory);
    ~X11Platform() override;

    QString backendName() const override { return QStringLiteral("x11"); }
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
    bool compositorRunning() const override;
    double idleSeconds() const override;
    void bringToFront(const AppInfo& app) override;

protected:
    // Where the X server's word on the front app goes; a desktop that knows better may drop it.
    virtual void reportFrontApp(const std::optional<AppInfo>& app) { Q_EMIT frontAppChanged(app); }

private:
    X11Platform(QString defaultsDirectory, std::unique_ptr<XConnection> x);
    void watchScreens();
    void forwardSignals();

    std::unique_ptr<XConnection> m_x;
    std::unique_ptr<AppIdentity> m_identity;
    std::unique_ptr<ActiveWindowWatcher> m_activeWindow;
    std::unique_ptr<WindowList> m_windows;
    std::unique_ptr<CompositorWatcher> m_compositor;
    std::unique_ptr<CaptureWorker> m_capture;
    std::unique_ptr<WorkspaceWatcher> m_workspace;
};

} // namespace tessel
