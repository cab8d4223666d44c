#pragma once

#include "platform/Platform.h"
#include "platform/UserDefaults.h"
#include "platform/desktop/ManagedSettings.h"
#include "platform/pipewire/CallWatcher.h"

#include <memory>

namespace tessel {

class ClockWatcher;
class DesktopSettings;
class PowerSource;
class SleepWatcher;

// What a Linux desktop session offers alike whatever shows the paper: appearance, power,
// sleep, the clock, autostart, idle inhibitors and calls, timers and Tessel's folders. The X11 and
// Wayland platforms add screens, windows and input.
class DesktopPlatform : public Platform {
    Q_OBJECT

public:
    ~DesktopPlatform() override;

    bool systemIsDark() const override;
    bool onBatteryPower() const override;
    bool reduceMotion() const override;
    QDateTime now() const override;
    QTimeZone timeZone() const override;
    std::unique_ptr<Timer> makeTimer(std::function<void()> action) override;
    UserDefaults& defaults() override { return m_defaults; }
    std::optional<QString> cacheDirectory() const override;
    void setLoginItem(bool on) override;
    bool isLoginItem() const override;
    bool displayKeptAwake() const override;

protected:
    // Without a settings manager the portal, GNOME and GTK's files decide the appearance.
    DesktopPlatform(QString defaultsDirectory, std::unique_ptr<ManagedSettings> managed);

private:
    UserDefaults m_defaults;
    std::unique_ptr<ClockWatcher> m_clock;
    std::unique_ptr<PowerSource> m_power;
    std::unique_ptr<SleepWatcher> m_sleep;
    std::unique_ptr<DesktopSettings> m_desktopSettings;
    CallWatcher m_calls;
};

} // namespace tessel
