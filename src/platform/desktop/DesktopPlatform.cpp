#include "platform/desktop/DesktopPlatform.h"

#include "platform/CacheFolder.h"
#include "platform/PlatformLog.h"
#include "platform/QtTimer.h"
#include "platform/desktop/Autostart.h"
#include "platform/desktop/ClockWatcher.h"
#include "platform/desktop/DesktopSettings.h"
#include "platform/desktop/DisplayInhibitors.h"
#include "platform/desktop/PowerSource.h"
#include "platform/desktop/SleepWatcher.h"

namespace tessel {

DesktopPlatform::DesktopPlatform(QString defaultsDirectory,
                                 std::unique_ptr<ManagedSettings> managed)
    : m_defaults(std::move(defaultsDirectory))
    , m_clock(std::make_unique<ClockWatcher>())
    , m_power(std::make_unique<PowerSource>(QDBusConnection::systemBus()))
    , m_sleep(std::make_unique<SleepWatcher>(QDBusConnection::systemBus()))
    , m_desktopSettings(
          std::make_unique<DesktopSettings>(QDBusConnection::sessionBus(), std::move(managed))) {
    connect(m_clock.get(), &ClockWatcher::clockChanged, this, &Platform::clockChanged);
    connect(m_power.get(), &PowerSource::changed, this, &Platform::powerChanged);
    connect(m_sleep.get(), &SleepWatcher::woke, this, &Platform::woke);
    connect(m_desktopSettings.get(), &DesktopSettings::appearanceChanged, this,
            &Platform::appearanceChanged);
    connect(&m_calls, &CallWatcher::inCallChanged, this, [this](bool inCall) {
        if (inCall) {
            Q_EMIT displayHeldAwake();
        }
    });
}

DesktopPlatform::~DesktopPlatform() = default;

bool DesktopPlatform::systemIsDark() const {
    return m_desktopSettings->isDark();
}

bool DesktopPlatform::onBatteryPower() const {
    return m_power->onBattery();
}

bool DesktopPlatform::reduceMotion() const {
    return m_desktopSettings->reduceMotion();
}

QDateTime DesktopPlatform::now() const {
    return QDateTime::currentDateTimeUtc();
}

QTimeZone DesktopPlatform::timeZone() const {
    return QTimeZone::systemTimeZone();
}

std::unique_ptr<Timer> DesktopPlatform::makeTimer(std::function<void()> action) {
    return std::make_unique<QtTimer>(std::move(action));
}

std::optional<QString> DesktopPlatform::cacheDirectory() const {
    return userCacheFolder();
}

void DesktopPlatform::setLoginItem(bool on) {
    if (!setAutostart(on)) {
        qCWarning(lcPlatform, "cannot %s the autostart entry %s", on ? "write" : "remove",
                  qUtf8Printable(autostartEntryPath()));
    }
}

bool DesktopPlatform::isLoginItem() const {
    return isAutostart();
}

bool DesktopPlatform::displayKeptAwake() const {
    return m_calls.inCall() ||
           tessel::displayKeptAwake(QDBusConnection::systemBus(), QDBusConnection::sessionBus());
}

} // namespace tessel
