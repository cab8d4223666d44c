#pragma once

#include "platform/Platform.h"
#include "platform/UserDefaults.h"

#include <QHash>
#include <QMap>

#include <nlohmann/json.hpp>
#include <vector>

namespace tessel {

class FakeTimer;

// A deterministic machine for tests: every reading is a field the test sets, time moves
// only when the test advances it, and timers fire in deadline order as it does.
class FakePlatform final : public Platform {
    Q_OBJECT

public:
    explicit FakePlatform(QString defaultsDirectory);
    ~FakePlatform() override;

    QList<ScreenInfo> screens() const override { return m_screens; }
    bool systemIsDark() const override { return m_dark; }
    bool onBatteryPower() const override { return m_onBattery; }
    bool reduceMotion() const override { return m_reduceMotion; }
    std::optional<AppInfo> frontmostApp() const override { return m_frontApp; }
    QList<AppInfo> runningApps() const override { return m_runningApps; }
    std::optional<InstalledApp> installedApp(const QString& appId) const override;
    QList<InstalledApp> installedApps() const override { return m_installedApps; }
    std::optional<QRectF> frontWindowRect(std::optional<qint32> pid) const override;
    QString backendName() const override { return QStringLiteral("fake"); }
    std::optional<QString> unavailable(DesktopAbility ability) const override {
        return m_unavailable.value(ability);
    }
    // The pointer rests at the origin.
    std::optional<QPointF> cursorPosition() const override { return QPointF(); }
    bool screenCaptureAllowed() const override { return m_captureAllowed; }
    // Answers at once.
    void captureScreen(const QString& screenId, QSize size,
                       std::function<void(QImage)> done) override;
    QDateTime now() const override { return m_now; }
    QTimeZone timeZone() const override { return m_timeZone; }
    std::unique_ptr<Timer> makeTimer(std::function<void()> action) override;
    UserDefaults& defaults() override { return m_defaults; }
    void hidePaperFromCapture(bool hidden) override { paperHidden = hidden; }
    std::optional<QString> cacheDirectory() const override { return std::nullopt; }
    bool compositorRunning() const override { return m_compositorRunning; }
    void setLoginItem(bool on) override { m_loginItem = on; }
    bool isLoginItem() const override { return m_loginItem; }
    double idleSeconds() const override { return m_lastInput.msecsTo(m_now) / 1000.0; }
    bool displayKeptAwake() const override { return m_keptAwake; }
    void bringToFront(const AppInfo& app) override;

    // Setters that a real desktop would announce emit the matching signal.
    void setScreens(QList<ScreenInfo> screens);
    void setDark(bool dark);
    void setOnBattery(bool onBattery);
    void setCompositorRunning(bool running);
    void activateApp(std::optional<AppInfo> app);
    void setRunningApps(QList<AppInfo> apps) { m_runningApps = std::move(apps); }
    // Kept sorted by name, as a desktop lists them.
    void setInstalledApps(QList<InstalledApp> apps);
    void setReduceMotion(bool on) { m_reduceMotion = on; }
    void setWindowRect(qint32 pid, QRectF rect) { m_windowRects.insert(pid, rect); }
    void setUnavailable(DesktopAbility ability, std::optional<QString> reason) {
        m_unavailable.insert(ability, reason);
    }
    void setCaptureAllowed(bool allowed) { m_captureAllowed = allowed; }
    // A uniform capture of that grey level (0-255); screens without one fail to capture.
    void setScreenGrey(const QString& screenId, int grey) { m_screenGreys.insert(screenId, grey); }
    void clearScreenGrey(const QString& screenId) { m_screenGreys.remove(screenId); }
    // The last input was this long ago; the idle time then grows as the clock advances.
    void setIdleSeconds(double seconds) { m_lastInput = m_now.addMSecs(qRound64(-seconds * 1000)); }
    void setDisplayKeptAwake(bool on) { m_keptAwake = on; }
    // A call or a screen share begins, reported the moment it does.
    void startCall() {
        m_keptAwake = true;
        Q_EMIT displayHeldAwake();
    }
    // Every app bringToFront was asked for, oldest first.
    const QList<AppInfo>& broughtToFront() const { return m_broughtToFront; }

    // Moves the clock, firing due timers in order at their own deadlines.
    void advance(std::chrono::milliseconds step);
    // Jumps the clock without firing timers, as a user changing the system time would.
    void setClock(QDateTime now, bool announce);
    void setTimeZone(QTimeZone zone) { m_timeZone = std::move(zone); }

    // What the overlay last asked of captures.
    std::optional<bool> paperHidden;

private:
    friend class FakeTimer;

    QList<ScreenInfo> m_screens;
    bool m_dark = false;
    bool m_onBattery = false;
    bool m_compositorRunning = true;
    bool m_loginItem = false;
    bool m_reduceMotion = false;
    std::optional<AppInfo> m_frontApp;
    QList<AppInfo> m_runningApps;
    QList<InstalledApp> m_installedApps;
    QHash<qint32, QRectF> m_windowRects;
    bool m_captureAllowed = true;
    QHash<QString, int> m_screenGreys;
    QDateTime m_now;
    QDateTime m_lastInput = m_now;
    bool m_keptAwake = false;
    QHash<DesktopAbility, std::optional<QString>> m_unavailable;
    QList<AppInfo> m_broughtToFront;
    QTimeZone m_timeZone;
    std::vector<FakeTimer*> m_timers;
    UserDefaults m_defaults;
};

} // namespace tessel
