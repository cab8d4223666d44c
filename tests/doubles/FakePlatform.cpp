#include "doubles/FakePlatform.h"

#include <algorithm>

namespace tessel {

class FakeTimer final : public Timer {
public:
    FakeTimer(FakePlatform& platform, std::function<void()> action)
        : m_platform(platform)
        , m_action(std::move(action)) {
        m_platform.m_timers.push_back(this);
    }

    ~FakeTimer() override { std::erase(m_platform.m_timers, this); }

    void start(std::chrono::milliseconds interval, bool repeating) override {
        m_interval = std::max(interval, std::chrono::milliseconds(1));
        m_repeating = repeating;
        m_deadline = m_platform.m_now.addMSecs(m_interval.count());
        m_active = true;
    }

    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    const QDateTime& deadline() const { return m_deadline; }

    // Real timers count monotonic time, so a jump of the wall clock keeps what remains.
    void shift(qint64 msecs) { m_deadline = m_deadline.addMSecs(msecs); }

    void fire() {
        if (m_repeating) {
            m_deadline = m_deadline.addMSecs(m_interval.count());
        } else {
            m_active = false;
        }
        m_action(); // may stop, restart or destroy this timer
    }

private:
    FakePlatform& m_platform;
    std::function<void()> m_action;
    std::chrono::milliseconds m_interval{0};
    bool m_repeating = false;
    bool m_active = false;
    QDateTime m_deadline;
};

FakePlatform::FakePlatform(QString defaultsDirectory)
    : m_now(QDateTime(QDate(2026, 3, 2), QTime(10, 0), Qt::UTC))
    , m_timeZone(QTimeZone::utc())
    , m_defaults(std::move(defaultsDirectory)) {}

FakePlatform::~FakePlatform() = default;

std::optional<InstalledApp> FakePlatform::installedApp(const QString& appId) const {
    for (const InstalledApp& app : m_installedApps) {
        if (app.id.compare(appId, Qt::CaseInsensitive) == 0) {
            return app;
        }
    }
    return std::nullopt;
}

void FakePlatform::setInstalledApps(QList<InstalledApp> apps) {
    std::sort(apps.begin(), apps.end(),
              [](const InstalledApp& a, const InstalledApp& b) { return a.name < b.name; });
    m_installedApps = std::move(apps);
}

std::optional<QRectF> FakePlatform::frontWindowRect(std::optional<qint32> pid) const {
    return pid && m_windowRects.contains(*pid) ? std::optional(m_windowRects.value(*pid))
                                               : std::nullopt;
}

void FakePlatform::captureScreen(const QString& screenId, QSize size,
                                 std::function<void(QImage)> done) {
    if (!m_captureAllowed || !m_screenGreys.contains(screenId)) {
        done({});
        return;
    }
    QImage image(size, QImage::Format_RGBA8888_Premultiplied);
    const int grey = m_screenGreys.value(screenId);
    image.fill(QColor(grey, grey, grey));
    done(image);
}

std::unique_ptr<Timer> FakePlatform::makeTimer(std::function<void()> action) {
    return std::make_unique<FakeTimer>(*this, std::move(action));
}

void FakePlatform::setScreens(QList<ScreenInfo> screens) {
    m_screens = std::move(screens);
    Q_EMIT screensChanged();
}

void FakePlatform::setDark(bool dark) {
    m_dark = dark;
    Q_EMIT appearanceChanged();
}

void FakePlatform::setOnBattery(bool onBattery) {
    m_onBattery = onBattery;
    Q_EMIT powerChanged();
}

void FakePlatform::setCompositorRunning(bool running) {
    m_compositorRunning = running;
    Q_EMIT compositorChanged();
}

void FakePlatform::activateApp(std::optional<AppInfo> app) {
    m_frontApp = app;
    Q_EMIT frontAppChanged(app);
}

void FakePlatform::bringToFront(const AppInfo& app) {
    m_broughtToFront.append(app);
    activateApp(app);
}

void FakePlatform::advance(std::chrono::milliseconds step) {
    const QDateTime end = m_now.addMSecs(step.count());
    for (;;) {
        FakeTimer* next = nullptr;
        for (FakeTimer* timer : m_timers) {
            if (timer->isActive() && timer->deadline() <= end &&
                (!next || timer->deadline() < next->deadline())) {
                next = timer;
            }
        }
        if (!next) {
            break;
        }
        m_now = std::max(m_now, next->deadline());
        next->fire();
    }
    m_now = end;
}

void FakePlatform::setClock(QDateTime now, bool announce) {
    const qint64 jump = m_now.msecsTo(now);
    m_now = std::move(now);
    m_lastInput = m_lastInput.addMSecs(jump);
    for (FakeTimer* timer : m_timers) {
        timer->shift(jump);
    }
    if (announce) {
        Q_EMIT clockChanged();
    }
}

} // namespace tessel
