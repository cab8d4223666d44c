#include "platform/x11/X11Platform.h"

#include "platform/GlobalFrames.h"
#include "platform/desktop/ScreenIdentity.h"
#include "platform/x11/ActiveWindowWatcher.h"
#include "platform/x11/AppIdentity.h"
#include "platform/x11/CaptureWorker.h"
#include "platform/x11/CompositorWatcher.h"
#include "platform/x11/IdleCounter.h"
#include "platform/x11/WindowActivation.h"
#include "platform/x11/WindowList.h"
#include "platform/x11/WorkspaceWatcher.h"
#include "platform/x11/XConnection.h"
#include "platform/x11/XSettings.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tessel {

namespace {

qreal pixelRatio() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->devicePixelRatio() : 1;
}

// Qt keeps a screen's native origin and divides only its size by the pixel ratio.
QRect nativeGeometry(const QScreen& screen) {
    const QRect geometry = screen.geometry();
    return QRect(geometry.topLeft(),
                 (QSizeF(geometry.size()) * screen.devicePixelRatio()).toSize());
}

} // namespace

X11Platform::X11Platform(QString defaultsDirectory)
    : X11Platform(std::move(defaultsDirectory), std::make_unique<XConnection>()) {}

// The settings manager reads over the platform's own connection. It is destroyed after the
// connection, which it no longer touches by then.
X11Platform::X11Platform(QString defaultsDirectory, std::unique_ptr<XConnection> x)
    : DesktopPlatform(std::move(defaultsDirectory), std::make_unique<XSettings>(*x))
    , m_x(std::move(x))
    , m_identity(std::make_unique<AppIdentity>(*m_x, QCoreApplication::applicationPid()))
    , m_activeWindow(std::make_unique<ActiveWindowWatcher>(*m_x, *m_identity))
    , m_windows(std::make_unique<WindowList>(*m_x, *m_identity))
    , m_compositor(std::make_unique<CompositorWatcher>(*m_x))
    , m_capture(std::make_unique<CaptureWorker>(QCoreApplication::applicationPid()))
    , m_workspace(std::make_unique<WorkspaceWatcher>(*m_x)) {
    watchScreens();
    forwardSignals();
}

X11Platform::~X11Platform() = default;

void X11Platform::forwardSignals() {
    connect(m_activeWindow.get(), &ActiveWindowWatcher::frontAppChanged, this,
            [this](const std::optional<AppInfo>& app) { reportFrontApp(app); });
    connect(m_compositor.get(), &CompositorWatcher::changed, this, &Platform::compositorChanged);
    connect(m_workspace.get(), &WorkspaceWatcher::desktopChanged, this, &Platform::desktopChanged);
    connect(m_workspace.get(), &WorkspaceWatcher::screensWoke, this, &Platform::screensWoke);
}

void X11Platform::watchScreens() {
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &Platform::screensChanged);
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        watch(screen);
    }
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        Q_EMIT screensChanged();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &Platform::screensChanged);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &Platform::screensChanged);
}

// Any screenshot tool reads the composited screen, paper and all.
std::optional<QString> X11Platform::unavailable(DesktopAbility ability) const {
    if (ability == DesktopAbility::hideFromCapture) {
        return QStringLiteral("This desktop does not let apps hide from screenshots.");
    }
    return std::nullopt;
}

QList<ScreenInfo> X11Platform::screens() const {
    QList<QScreen*> ordered = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        ordered.removeOne(primary);
        ordered.prepend(primary);
    }
    QList<ScreenInfo> result;
    for (const QScreen* screen : ordered) {
        result.append({screenIdentifier(*screen), screen->name(),
                       toYUpRect(screen->geometry(), primaryBottomEdge()),
                       screen->devicePixelRatio()});
    }
    return result;
}

std::optional<AppInfo> X11Platform::frontmostApp() const {
    return m_activeWindow->frontmostApp();
}

QList<AppInfo> X11Platform::runningApps() const {
    return m_windows->runningApps();
}

std::optional<InstalledApp> X11Platform::installedApp(const QString& appId) const {
    return m_identity->entries().app(appId);
}

QList<InstalledApp> X11Platform::installedApps() const {
    return m_identity->entries().visibleApps();
}

std::optional<QRectF> X11Platform::frontWindowRect(std::optional<qint32> pid) const {
    // Windows of 40 × 40 points or less are palettes and helpers, not the one being read.
    const auto smallest = static_cast<int>(std::floor(40 * pixelRatio()));
    const std::optional<QRect> frame = m_windows->frontWindowFrame(pid, QSize(smallest, smallest));
    if (!frame) {
        return std::nullopt;
    }
    QList<NativeScreen> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append({nativeGeometry(*screen), screen->devicePixelRatio()});
    }
    return toYUpRect(fromNative(*frame, screens), primaryBottomEdge());
}

std::optional<QPointF> X11Platform::cursorPosition() const {
    return toYUpPoint(QCursor::pos(), primaryBottomEdge());
}

bool X11Platform::screenCaptureAllowed() const {
    return true;
}

void X11Platform::captureScreen(const QString& screenId, QSize size,
                                std::function<void(QImage)> done) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screenIdentifier(*screen) == screenId) {
            m_capture->capture(nativeGeometry(*screen), size, m_compositor->isRunning(),
                               std::move(done));
            return;
        }
    }
    QMetaObject::invokeMethod(
        this, [done = std::move(done)] { done({}); }, Qt::QueuedConnection);
}

bool X11Platform::compositorRunning() const {
    return m_compositor->isRunning();
}

double X11Platform::idleSeconds() const {
    return tessel::idleSeconds(*m_x);
}

void X11Platform::bringToFront(const AppInfo& app) {
    if (app.pid) {
        activateFrontWindow(*m_x, *m_windows, *app.pid);
    }
}

} // namespace tessel
