#pragma once

#include "platform/Platform.h"
#include "platform/UserDefaults.h"

namespace tessel {

// The platform of a real X11 desktop (or XWayland). Needs a QGuiApplication.
class X11Platform final : public Platform {
    Q_OBJECT

public:
    explicit X11Platform(QString defaultsDirectory);

    QList<ScreenInfo> screens() const override;
    bool systemIsDark() const override;
    bool onBatteryPower() const override;
    bool reduceMotion() const override;
    std::optional<AppInfo> frontmostApp() const override;
    QList<AppInfo> runningApps() const override;
    std::optional<QRectF> frontWindowRect(std::optional<qint32> pid) const override;
    QPointF cursorPosition() const override;
    bool screenCaptureAllowed() const override;
    QImage captureScreen(const QString& screenId, QSize size) const override;
    QDateTime now() const override;
    QTimeZone timeZone() const override;
    std::unique_ptr<Timer> makeTimer(std::function<void()> action) override;
    UserDefaults& defaults() override { return m_defaults; }

private:
    void watchScreens();

    UserDefaults m_defaults;
};

} // namespace tessel
