#include "platform/wayland/WaylandPlatform.h"

#include "platform/GlobalFrames.h"
#include "platform/PlatformLog.h"
#include "platform/Unblend.h"
#include "platform/desktop/DesktopEntries.h"
#include "platform/desktop/PortalShortcuts.h"
#include "platform/wayland/IdleWatcher.h"
#include "platform/wayland/KWinScreenShot.h"
#include "platform/wayland/KWinScript.h"
#include "platform/wayland/LayerSurface.h"
#include "platform/wayland/MomentCover.h"
#include "platform/wayland/ScreenCopy.h"
#include "platform/wayland/SeatInput.h"
#include "platform/wayland/ShownPaper.h"
#include "platform/wayland/SwayWindows.h"
#include "platform/wayland/Toplevels.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandOutputs.h"

#include <QCoreApplication>

namespace tessel {

namespace {

constexpr int unblendOversampling = 8;

} // namespace

std::unique_ptr<WaylandConnection> WaylandPlatform::connectToLayerShell() {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return nullptr;
    }
    auto connection = WaylandConnection::open();
    if (!connection || !connection->globals().layerShell) {
        return nullptr;
    }
    return connection;
}

WaylandPlatform::WaylandPlatform(std::unique_ptr<WaylandConnection> connection,
                                 QString defaultsDirectory)
    // No settings manager: XSETTINGS would be XWayland's word on a Wayland session.
    : DesktopPlatform(std::move(defaultsDirectory), nullptr)
    , m_connection(std::move(connection))
    , m_outputs(std::make_unique<WaylandOutputs>(*m_connection))
    , m_entries(std::make_unique<DesktopEntries>())
    , m_toplevels(std::make_unique<Toplevels>(*m_connection, *m_entries))
    , m_idle(std::make_unique<IdleWatcher>(*m_connection))
    , m_input(std::make_unique<SeatInput>(*m_connection))
    , m_cover(std::make_unique<MomentCover>())
    , m_paper(std::make_unique<ShownPaper>())
    , m_copy(std::make_unique<ScreenCopy>(*m_connection))
    , m_sway(SwayWindows::connectToSway())
    , m_portalShortcuts(PortalShortcuts::available(QDBusConnection::sessionBus())) {
    // Outputs describe themselves, and toplevels list themselves, in answer to binding.
    m_connection->roundTrip();
    m_connection->roundTrip();
    // KWin lists no toplevels to other clients; its scripts see them.
    if (!m_connection->globals().toplevels) {
        m_kwin = KWinScript::start(QDBusConnection::sessionBus());
    }
    if (!m_copy->isAvailable() && KWinScreenShot::offered(QDBusConnection::sessionBus())) {
        m_screenShot = std::make_unique<KWinScreenShot>(QDBusConnection::sessionBus());
    }
    forwardSignals();
}

WaylandPlatform::~WaylandPlatform() = default;

void WaylandPlatform::forwardSignals() {
    connect(m_outputs.get(), &WaylandOutputs::changed, this, &Platform::screensChanged);
    connect(m_toplevels.get(), &Toplevels::frontAppChanged, this, &Platform::frontAppChanged);
    if (m_kwin) {
        connect(&m_kwin->reports(), &KWinReports::activeWindowChanged, this,
                &WaylandPlatform::kwinWindowChanged);
    }
    connect(m_connection.get(), &WaylandConnection::lost, qApp, [] {
        qCCritical(lcPlatform, "without the compositor Tessel cannot show paper: quitting");
        QCoreApplication::exit(1);
    });
}

OverlaySurfaceFactory WaylandPlatform::overlaySurfaces() {
    return [this](const ScreenInfo& host, OverlayPaint paint) -> std::unique_ptr<OverlaySurface> {
        return std::make_unique<LayerSurface>(shared(), host, std::move(paint));
    };
}

MomentSurfaceFactory WaylandPlatform::momentSurfaces() {
    return [this](const ScreenInfo& host, OverlayPaint paint,
                  std::function<void()> pressed) -> std::unique_ptr<OverlaySurface> {
        return std::make_unique<LayerSurface>(shared(), host, std::move(paint), m_input.get(),
                                              std::move(pressed));
    };
}

LayerSurface::Shared WaylandPlatform::shared() {
    return {*m_connection, *m_outputs, *m_cover, *m_paper};
}

std::optional<QString> WaylandPlatform::unavailable(DesktopAbility ability) const {
    switch (ability) {
    case DesktopAbility::pointer:
        if (!m_kwin) {
            return QStringLiteral("This desktop does not tell apps where the pointer is.");
        }
        return std::nullopt;
    case DesktopAbility::frontWindow:
        if (!m_sway && !m_kwin) {
            return QStringLiteral("This desktop does not tell apps where the front window is.");
        }
        return std::nullopt;
    case DesktopAbility::frontApp:
        if (!m_connection->globals().toplevels && !m_kwin) {
            return QStringLiteral("This desktop does not tell apps which app is in front.");
        }
        return std::nullopt;
    case DesktopAbility::globalShortcuts:
        if (!m_portalShortcuts) {
            return QStringLiteral("This desktop does not let apps set system-wide shortcuts.");
        }
        return std::nullopt;
    case DesktopAbility::clickThrough:
        return std::nullopt;
    case DesktopAbility::hideFromCapture:
        if (!m_kwin || !m_kwin->reports().canExcludeFromCapture()) {
            return QStringLiteral("This desktop does not let apps hide from screenshots.");
        }
        return std::nullopt;
    case DesktopAbility::screenCapture:
        if (!screenCaptureAllowed()) {
            return QStringLiteral("This desktop does not let Tessel look at the screen.");
        }
        return std::nullopt;
    }
    return std::nullopt;
}

QList<ScreenInfo> WaylandPlatform::screens() const {
    return m_outputs->screens();
}

std::optional<AppInfo> WaylandPlatform::frontmostApp() const {
    if (!m_kwin) {
        return m_toplevels->frontmostApp();
    }
    const auto window = m_kwin->reports().activeWindow();
    return window ? std::optional(named(window->app)) : std::nullopt;
}

QList<AppInfo> WaylandPlatform::runningApps() const {
    if (!m_kwin) {
        return m_toplevels->runningApps();
    }
    QList<AppInfo> apps = m_kwin->reports().runningApps();
    std::transform(apps.begin(), apps.end(), apps.begin(),
                   [this](const AppInfo& app) { return named(app); });
    return apps;
}

AppInfo WaylandPlatform::named(AppInfo app) const {
    if (const auto installed = m_entries->app(*app.appId)) {
        app.appId = installed->id;
        app.name = installed->name;
    }
    return app;
}

void WaylandPlatform::kwinWindowChanged() {
    const std::optional<AppInfo> front = frontmostApp();
    if (front != m_kwinFront) {
        m_kwinFront = front;
        Q_EMIT frontAppChanged(front);
    }
}

std::optional<InstalledApp> WaylandPlatform::installedApp(const QString& appId) const {
    return m_entries->app(appId);
}

QList<InstalledApp> WaylandPlatform::installedApps() const {
    return m_entries->visibleApps();
}

std::optional<QRectF> WaylandPlatform::frontWindowRect(std::optional<qint32> pid) const {
    std::optional<QRect> frame = m_sway ? m_sway->frontWindow(pid) : std::nullopt;
    // KWin tells the active window's frame: the front window but while another app is in front,
    // when the focus sheet does not show.
    if (m_kwin && m_kwin->reports().activeWindow()) {
        frame = m_kwin->reports().activeWindow()->frame;
    }
    if (!frame) {
        return std::nullopt;
    }
    return toYUpRect(QRectF(*frame), m_outputs->bottomEdge());
}

std::optional<QPointF> WaylandPlatform::cursorPosition() const {
    const auto pointer = m_kwin ? m_kwin->pointer() : std::nullopt;
    if (!pointer) {
        return std::nullopt;
    }
    return toYUpPoint(QPointF(*pointer), m_outputs->bottomEdge());
}

bool WaylandPlatform::screenCaptureAllowed() const {
    return m_copy->isAvailable() || m_screenShot;
}

void WaylandPlatform::captureScreen(const QString& screenId, QSize size,
                                    std::function<void(QImage)> done) {
    auto sample = [this, screenId, size, done = std::move(done)](QImage image) {
        if (image.isNull()) {
            done(image);
            return;
        }
        // Paper comes out at a few times the sample's size: within so small a block its alpha
        // barely varies, and the work is a sliver of the whole output's. It is read as it shows
        // now, which is what the capture caught unless it just changed.
        const QSize working = (size * unblendOversampling).boundedTo(image.size());
        image = image.scaled(working, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage* paper = m_paper->on(screenId);
        if (paper && !paperKeptOutOfCaptures()) {
            image = unblend(image, *paper);
        }
        done(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    };
    // KWin leaves the caller's ordinary windows out of its screenshots but keeps the paper's layer
    // surfaces in (5.27), so the paper is taken back out here as from wlroots' copies.
    if (m_screenShot) {
        const QList<ScreenInfo> all = screens();
        const auto screen = std::ranges::find(all, screenId, &ScreenInfo::id);
        m_screenShot->capture(screen == all.end() ? QString() : screen->name, std::move(sample));
        return;
    }
    m_copy->capture(m_outputs->output(screenId), std::move(sample));
}

bool WaylandPlatform::paperKeptOutOfCaptures() const {
    return m_kwin && m_kwin->excludesFromCapture() && m_kwin->reports().canExcludeFromCapture();
}

void WaylandPlatform::hidePaperFromCapture(bool hidden) {
    if (m_kwin) {
        m_kwin->setExcludeFromCapture(hidden);
    }
}

bool WaylandPlatform::compositorRunning() const {
    return true;
}

double WaylandPlatform::idleSeconds() const {
    return m_idle->idleSeconds();
}

void WaylandPlatform::bringToFront(const AppInfo& app) {
    if (m_kwin) {
        m_kwin->activate(app);
    } else if (app.appId) {
        m_toplevels->activate(*app.appId);
    }
}

} // namespace tessel
