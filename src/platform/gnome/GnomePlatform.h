#pragma once

#include "platform/x11/X11Platform.h"

#include <memory>

namespace tessel {

class ShellExtension;

// A GNOME Wayland session, which has no layer shell: paper and moments stay X windows through
// XWayland, which GNOME keeps above native windows and lets clicks pass. Idle time comes from
// Mutter, and the front app, the front window, the running apps and the pointer from Tessel's
// GNOME Shell extension, since XWayland sees X windows only.
class GnomePlatform final : public X11Platform {
    Q_OBJECT

public:
    // Whether this process runs in a GNOME session on Wayland.
    static bool isGnomeWaylandSession();

    explicit GnomePlatform(QString defaultsDirectory);
    ~GnomePlatform() override;

    // Tessel's extension in the shell, which also grabs the hot keys.
    ShellExtension& shell() { return *m_shell; }

    QString backendName() const override { return QStringLiteral("gnome"); }
    std::optional<QString> unavailable(DesktopAbility ability) const override;
    std::optional<AppInfo> frontmostApp() const override;
    QList<AppInfo> runningApps() const override;
    std::optional<QRectF> frontWindowRect(std::optional<qint32> pid) const override;
    std::optional<QPointF> cursorPosition() const override;
    bool screenCaptureAllowed() const override;
    void captureScreen(const QString& screenId, QSize size,
                       std::function<void(QImage)> done) override;
    bool compositorRunning() const override;
    double idleSeconds() const override;
    void bringToFront(const AppInfo& app) override;

protected:
    void reportFrontApp(const std::optional<AppInfo>& app) override;

private:
    void shellFocusChanged();

    std::unique_ptr<ShellExtension> m_shell;
    std::optional<AppInfo> m_reported;
};

} // namespace tessel
