#include "app/TesselApp.h"

#include "app/AppLog.h"
#include "app/LayerTap.h"
#include "app/StatusReport.h"
#include "core/StatusText.h"
#include "moments/ArtController.h"
#include "moments/RestController.h"
#include "moments/SurfaceMomentPresenter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QTextStream>

#include <utility>

namespace tessel {

namespace {

std::unique_ptr<Overlay> tapped(std::unique_ptr<Overlay> overlay, LayerTap*& tap) {
    auto made = std::make_unique<LayerTap>(std::move(overlay));
    tap = made.get();
    return made;
}

} // namespace

TesselApp::TesselApp(Platform& platform, HotKeys& hotKeys, std::unique_ptr<Overlay> overlay,
                     QUrl feed, std::function<void()> dropIn, MomentSurfaceFactory moments)
    : m_tap(nullptr)
    , m_store(platform, tapped(std::move(overlay), m_tap))
    , m_updates(platform, std::move(feed), QCoreApplication::applicationVersion(), m_alerts,
                [](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , m_shortcuts(m_store, hotKeys)
    , m_windows(m_store, &m_shortcuts,
                m_updates.enabled() ? std::function([this] { m_updates.check(true); })
                                    : std::function<void()>(),
                std::move(dropIn), [this] { return m_tray.place(); })
    , m_tray(m_store, [this] { m_windows.open(QStringLiteral("settings")); })
    , m_automation(m_store, m_shortcuts,
                   {[this] { reopen(); }, [this] { return statusReport(m_store, layers()); }})
    , m_momentSurfaces(std::move(moments)) {}

TesselApp::~TesselApp() = default;

const LayerMap& TesselApp::layers() const {
    return m_tap->layers();
}

TesselApp::Presence TesselApp::publish() {
    if (!QDBusConnection::sessionBus().isConnected()) {
        return Presence::noBus;
    }
    m_published = m_automation.publish();
    return m_published ? Presence::published : Presence::alreadyRunning;
}

void TesselApp::launch() {
    m_store.adoptMoments(std::make_unique<ArtController>(m_store, makePresenter(), ArtLibrary()),
                         std::make_unique<RestController>(m_store, makePresenter()));
    m_store.start();
    const QStringList problems = m_shortcuts.registerAll();
    for (const QString& problem : problems) {
        qCWarning(lcApp, "shortcut not available: %s", qUtf8Printable(problem));
    }
    m_updates.checkAtLaunch();
    if (!m_store.platform().compositorRunning()) {
        QTextStream(stderr) << m_store.platform()
                                   .unavailable(DesktopAbility::clickThrough)
                                   .value_or(noCompositorNote())
                            << Qt::endl;
    }
    // Without a panel to hold the icon, the popover's controls have a window of their own.
    if (TrayIcon::hostAvailable()) {
        m_tray.show();
    } else {
        m_tray.openPopover();
    }
    if (!m_store.settings().onboarded) {
        m_windows.open(QStringLiteral("welcome"));
    }
}

std::unique_ptr<MomentPresenter> TesselApp::makePresenter() {
    Platform& platform = m_store.platform();
    if (m_momentSurfaces) {
        return std::make_unique<SurfaceMomentPresenter>(platform, m_momentSurfaces);
    }
    return std::make_unique<MomentPresenter>(platform);
}

void TesselApp::reopen() {
    if (!m_store.settings().onboarded) {
        m_windows.open(QStringLiteral("welcome"));
    } else if (m_tray.inPanel()) {
        m_windows.open(QStringLiteral("settings"));
    } else {
        m_tray.openPopover();
    }
}

void TesselApp::shutDown() {
    // Written before the name goes, so a Tessel started next reads the settings as they are.
    m_store.flushSettings();
    if (std::exchange(m_published, false)) {
        QDBusConnection::sessionBus().unregisterService(AutomationService::serviceName());
    }
}

} // namespace tessel
