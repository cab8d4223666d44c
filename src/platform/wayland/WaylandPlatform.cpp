#include "platform/wayland/WaylandPlatform.h"

#include "platform/CacheFolder.h"
#include "platform/PlatformLog.h"
#include "platform/QtTimer.h"
#include "platform/wayland/IdleWatcher.h"
#include "platform/wayland/LayerSurface.h"
#include "platform/wayland/MomentCover.h"
#include "platform/wayland/SeatInput.h"
#include "platform/wayland/Toplevels.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandOutputs.h"
#include "platform/x11/Autostart.h"
#include "platform/x11/ClockWatcher.h"
#include "platform/x11/DesktopEntries.h"
#include "platform/x11/DesktopSettings.h"
#include "platform/x11/IdleProbes.h"
#include "platform/x11/PowerSource.h"
#include "platform/x11/SleepWatcher.h"

#include <QCoreApplication>
#include <QDBusConnection>

namespace tessel {

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
    : m_defaults(std::move(defaultsDirectory))
    , m_connection(std::move(connection))
    , m_outputs(std::make_unique<WaylandOutputs>(*m_connection))
    , m_entries(std::make_unique<DesktopEntries>())
    , m_toplevels(std::make_unique<Toplevels>(*m_connection, *m_entries))
    , m_idle(std::make_unique<IdleWatcher>(*m_connection))
    , m_input(std::make_unique<SeatInput>(*m_connection))
    , m_cover(std::make_unique<MomentCover>())
    , m_clock(std::make_unique<ClockWatcher>())
    , m_power(std::make_unique<PowerSource>(QDBusConnection::systemBus()))
    , m_sleep(std::make_unique<SleepWatcher>(QDBusConnection::systemBus()))
    // No XSETTINGS: that would be XWayland's word on a Wayland session.
    , m_desktopSettings(std::make_unique<DesktopSettings>(QDBusConnection::sessionBus())) {
    // Outputs describe themselves, and toplevels list themselves, in answer to binding.
    m_connection->roundTrip();
    m_connection->roundTrip();
    forwardSignals();
}

WaylandPlatform::~WaylandPlatform() = default;

void WaylandPlatform::forwardSignals() {
    connect(m_outputs.get(), &WaylandOutputs::changed, this, &Platform::screensChanged);
    connect(m_toplevels.get(), &Toplevels::frontAppChanged, this, &Platform::frontAppChanged);
    connect(m_clock.get(), &ClockWatcher::clockChanged, this, &Platform::clockChanged);
    connect(m_power.get(), &PowerSource::changed, this, &Platform::powerChanged);
    connect(m_sleep.get(), &SleepWatcher::woke, this, &Platform::woke);
    connect(m_desktopSettings.get(), &DesktopSettings::appearanceChanged, this,
            &Platform::appearanceChanged);
    connect(m_connection.get(), &WaylandConnection::lost, qApp, [] {
        qCCritical(lcPlatform, "without the compositor Tessel cannot show paper: quitting");
        QCoreApplication::exit(1);
    });
}

OverlaySurfaceFactory WaylandPlatform::overlaySurfaces() {
    return [this](const ScreenInfo& host, OverlayPaint paint) -> std::unique_ptr<OverlaySurface> {
        return std::make_unique<LayerSurface>(*m_connection, *m_outputs, *m_cover, host,
                                              std::move(paint));
    };
}

MomentSurfaceFactory WaylandPlatform::momentSurfaces() {
    return [this](const ScreenInfo& host, OverlayPaint paint,
                  std::function<void()> pressed) -> std::unique_ptr<OverlaySurface> {
        return std::make_unique<LayerSurface>(*m_connection, *m_outputs, *m_cover, host,
                                              std::move(paint), m_input.get(), std::move(pressed));
    };
}

QList<ScreenInfo> WaylandPlatform::screens() const {
    return m_outputs->screens();
}

bool WaylandPlatform::systemIsDark() const {
    return m_desktopSettings->isDark();
}

bool WaylandPlatform::onBatteryPower() const {
    return m_power->onBattery();
}

bool WaylandPlatform::reduceMotion() const {
    return m_desktopSettings->reduceMotion();
}

std::optional<AppInfo> WaylandPlatform::frontmostApp() const {
    return m_toplevels->frontmostApp();
}

QList<AppInfo> WaylandPlatform::runningApps() const {
    return m_toplevels->runningApps();
}

std::optional<InstalledApp> WaylandPlatform::installedApp(const QString& appId) const {
    return m_entries->app(appId);
}

QList<InstalledApp> WaylandPlatform::installedApps() const {
    return m_entries->visibleApps();
}

std::optional<QRectF> WaylandPlatform::frontWindowRect(std::optional<qint32>) const {
    return std::nullopt;
}

std::optional<QPointF> WaylandPlatform::cursorPosition() const {
    return std::nullopt;
}

bool WaylandPlatform::screenCaptureAllowed() const {
    return false;
}

void WaylandPlatform::captureScreen(const QString&, QSize, std::function<void(QImage)> done) {
    QMetaObject::invokeMethod(
        this, [done = std::move(done)] { done({}); }, Qt::QueuedConnection);
}

QDateTime WaylandPlatform::now() const {
    return QDateTime::currentDateTimeUtc();
}

QTimeZone WaylandPlatform::timeZone() const {
    return QTimeZone::systemTimeZone();
}

std::unique_ptr<Timer> WaylandPlatform::makeTimer(std::function<void()> action) {
    return std::make_unique<QtTimer>(std::move(action));
}

std::optional<QString> WaylandPlatform::cacheDirectory() const {
    return userCacheFolder();
}

bool WaylandPlatform::compositorRunning() const {
    return true;
}

void WaylandPlatform::setLoginItem(bool on) {
    if (!setAutostart(on)) {
        qCWarning(lcPlatform, "cannot %s the autostart entry %s", on ? "write" : "remove",
                  qUtf8Printable(autostartEntryPath()));
    }
}

bool WaylandPlatform::isLoginItem() const {
    return isAutostart();
}

double WaylandPlatform::idleSeconds() const {
    return m_idle->idleSeconds();
}

bool WaylandPlatform::displayKeptAwake() const {
    return tessel::displayKeptAwake(QDBusConnection::systemBus(), QDBusConnection::sessionBus());
}

void WaylandPlatform::bringToFront(const AppInfo& app) {
    if (app.appId) {
        m_toplevels->activate(*app.appId);
    }
}

} // namespace tessel
