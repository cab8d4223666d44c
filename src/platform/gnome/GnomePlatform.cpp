#include "platform/gnome/GnomePlatform.h"

#include "platform/GlobalFrames.h"
#include "platform/gnome/MutterIdle.h"
#include "platform/gnome/ShellExtension.h"

namespace tessel {

bool GnomePlatform::isGnomeWaylandSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive) &&
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

GnomePlatform::GnomePlatform(QString defaultsDirectory)
    : X11Platform(std::move(defaultsDirectory))
    , m_shell(std::make_unique<ShellExtension>(QDBusConnection::sessionBus())) {
    connect(m_shell.get(), &ShellExtension::focusChanged, this, &GnomePlatform::shellFocusChanged);
    connect(m_shell.get(), &ShellExtension::runningChanged, this,
            &GnomePlatform::shellFocusChanged);
    connect(m_shell.get(), &ShellExtension::runningChanged, this, &Platform::compositorChanged);
    m_reported = frontmostApp();
}

GnomePlatform::~GnomePlatform() = default;

std::optional<QString> GnomePlatform::unavailable(DesktopAbility ability) const {
    if (ability == DesktopAbility::hideFromCapture) {
        return X11Platform::unavailable(ability);
    }
    if (ability == DesktopAbility::screenCapture) {
        return QStringLiteral("GNOME does not let Tessel look at the screen without asking.");
    }
    if (!m_shell->isRunning() && ability == DesktopAbility::clickThrough) {
        return QStringLiteral("GNOME gives every click to the paper until Tessel's extension "
                              "is on, so no paper shows; turn it on with: gnome-extensions "
                              "enable %1")
            .arg(ShellExtension::uuid());
    }
    if (!m_shell->isRunning()) {
        return QStringLiteral("GNOME needs Tessel's extension for this: gnome-extensions "
                              "enable %1")
            .arg(ShellExtension::uuid());
    }
    return std::nullopt;
}

// Without the extension the X server's word stands, which is right while an X app is in front.
std::optional<AppInfo> GnomePlatform::frontmostApp() const {
    if (!m_shell->isRunning()) {
        return X11Platform::frontmostApp();
    }
    const std::optional<ShellFocus> focus = m_shell->focus();
    if (!focus) {
        return std::nullopt;
    }
    AppInfo app = focus->app;
    const std::optional<InstalledApp> installed = installedApp(*app.appId);
    app.name = installed ? installed->name : *app.appId;
    return app;
}

QList<AppInfo> GnomePlatform::runningApps() const {
    return m_shell->isRunning() ? m_shell->runningApps() : X11Platform::runningApps();
}

// The focused window stands for the process's front window: the two differ only while
// another app is in front, when the focus sheet does not show.
std::optional<QRectF> GnomePlatform::frontWindowRect(std::optional<qint32>) const {
    const std::optional<ShellFocus> focus = m_shell->focus();
    if (!focus) {
        return std::nullopt;
    }
    return toYUpRect(QRectF(focus->frame), primaryBottomEdge());
}

std::optional<QPointF> GnomePlatform::cursorPosition() const {
    const std::optional<QPoint> pointer = m_shell->pointer();
    if (!pointer) {
        return std::nullopt;
    }
    return toYUpPoint(QPointF(*pointer), primaryBottomEdge());
}

// XWayland's picture of the screen leaves every native window out.
bool GnomePlatform::screenCaptureAllowed() const {
    return false;
}

void GnomePlatform::captureScreen(const QString&, QSize, std::function<void(QImage)> done) {
    QMetaObject::invokeMethod(
        this, [done = std::move(done)] { done({}); }, Qt::QueuedConnection);
}

// The shell gives the pointer to the paper's surface whatever its X input shape says, until
// the extension takes the paper out of its picking: no paper is better than paper that takes
// every click meant for a native window.
bool GnomePlatform::compositorRunning() const {
    return m_shell->isRunning() && X11Platform::compositorRunning();
}

double GnomePlatform::idleSeconds() const {
    return mutterIdleSeconds(QDBusConnection::sessionBus()).value_or(X11Platform::idleSeconds());
}

void GnomePlatform::bringToFront(const AppInfo& app) {
    if (m_shell->isRunning() && app.pid) {
        m_shell->activate(*app.pid);
        return;
    }
    X11Platform::bringToFront(app);
}

void GnomePlatform::reportFrontApp(const std::optional<AppInfo>& app) {
    if (!m_shell->isRunning()) {
        m_reported = app;
        X11Platform::reportFrontApp(app);
    }
}

void GnomePlatform::shellFocusChanged() {
    const std::optional<AppInfo> app = frontmostApp();
    if (app != m_reported) {
        m_reported = app;
        Q_EMIT frontAppChanged(app);
    }
}

} // namespace tessel
