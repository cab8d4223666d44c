#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTimeZone>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tessel {

class UserDefaults;

// One screen as the rest of Tessel sees it. Frames are global, in points, with y up from
// the bottom edge of the primary screen.
struct ScreenInfo {
    QString id; // upper-case UUID text, stable for the same monitor
    QString name;
    QRectF frame;
    qreal devicePixelRatio = 1;

    friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

// A running application: its app id (reverse-DNS where it has one), process and name.
struct AppInfo {
    std::optional<QString> appId;
    std::optional<qint32> pid;
    QString name;

    friend bool operator==(const AppInfo&, const AppInfo&) = default;
};

// An installed application's desktop entry: its id (the file name without ".desktop"),
// its name and its icon, a freedesktop icon name or an absolute path.
struct InstalledApp {
    QString id;
    QString name;
    QString icon;

    friend bool operator==(const InstalledApp&, const InstalledApp&) = default;
};

// What a desktop may keep from Tessel, for the controls that depend on it.
enum class DesktopAbility {
    pointer,         // the reading ruler follows it
    frontWindow,     // the focus sheet frames it
    frontApp,        // excluded apps and papers per app
    globalShortcuts, // the Shortcuts pane
    screenCapture,   // sampling the screen
    clickThrough,    // paper the pointer passes through; without it none is shown
    hideFromCapture, // paper left out of screenshots and recordings
};

// A timer on the main thread. Tests drive a fake clock instead of waiting.
class Timer {
public:
    virtual ~Timer() = default;
    // Restarts the timer; a repeating one fires every interval until stopped.
    virtual void start(std::chrono::milliseconds interval, bool repeating) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Everything Tessel reads from the machine. The x11 implementation serves real desktops,
// the fake one serves tests. All calls and signals happen on the main thread.
class Platform : public QObject {
    Q_OBJECT

public:
    // The app id Tessel's own windows report.
    static QString ownAppId() { return QStringLiteral("com.corvane.Tessel"); }

    // Which desktop interface this is: "x11" or "wayland" on real desktops.
    virtual QString backendName() const = 0;
    // Why this desktop cannot give Tessel the ability, one plain sentence for the controls
    // that need it; none where it can.
    virtual std::optional<QString> unavailable(DesktopAbility ability) const = 0;

    // Screens in the platform's order, primary first; screens without an identifier are left out.
    virtual QList<ScreenInfo> screens() const = 0;

    virtual bool systemIsDark() const = 0;
    virtual bool onBatteryPower() const = 0;
    virtual bool reduceMotion() const = 0;

    // The application of the active window, or none when nothing is active.
    virtual std::optional<AppInfo> frontmostApp() const = 0;
    virtual QList<AppInfo> runningApps() const = 0;

    // The desktop entry of an app id: the exact id, else the id ignoring case, else the entry
    // whose StartupWMClass matches; none when nothing is installed under it.
    virtual std::optional<InstalledApp> installedApp(const QString& appId) const = 0;
    // Every application a launcher would show, by name.
    virtual QList<InstalledApp> installedApps() const = 0;

    // The front window of the process, global points with y up; when the process has none
    // (or is not known), the active window; none where the desktop does not tell.
    virtual std::optional<QRectF> frontWindowRect(std::optional<qint32> pid) const = 0;
    // The pointer, global points with y up; none where the desktop does not tell.
    virtual std::optional<QPointF> cursorPosition() const = 0;

    // A small capture of one screen without Tessel's own windows, made off the main thread where
    // it can be; `done` runs later on the main thread with it, or with a null image.
    virtual bool screenCaptureAllowed() const = 0;
    virtual void captureScreen(const QString& screenId, QSize size,
                               std::function<void(QImage)> done) = 0;

    virtual QDateTime now() const = 0;
    virtual QTimeZone timeZone() const = 0;
    virtual std::unique_ptr<Timer> makeTimer(std::function<void()> action) = 0;

    virtual UserDefaults& defaults() = 0;
    // Where Tessel keeps what it can always make again (shaded paper); none keeps nothing.
    virtual std::optional<QString> cacheDirectory() const = 0;

    // Keeps the paper out of screenshots and recordings, or lets it in again, where the desktop
    // can hide it; elsewhere nothing happens.
    virtual void hidePaperFromCapture(bool hidden) { Q_UNUSED(hidden); }

    // Translucent windows need a running compositing manager; without one they show opaque.
    virtual bool compositorRunning() const = 0;

    // Seconds since the user last touched keyboard or pointer; 0 when it cannot be read.
    virtual double idleSeconds() const = 0;
    // Whether an application (a video, a call, a presentation) keeps the display from idling,
    // or a call, a recording or a screen share is going on; a service that does not answer
    // holds nothing awake.
    virtual bool displayKeptAwake() const = 0;
    // Gives the app's front window the focus back; nothing happens when it has none.
    virtual void bringToFront(const AppInfo& app) = 0;

    // Whether Tessel starts at login. Failures to change it are ignored.
    virtual void setLoginItem(bool on) = 0;
    virtual bool isLoginItem() const = 0;

Q_SIGNALS:
    void frontAppChanged(std::optional<tessel::AppInfo> app);
    void woke();
    void screensWoke();
    void desktopChanged();
    void screensChanged();
    void clockChanged();
    void appearanceChanged();
    void powerChanged();
    void compositorChanged();
    // Something began holding the display awake that the desktop reports as it happens (a call
    // or a screen share starting): a moment on screen gives way at once.
    void displayHeldAwake();
};

} // namespace tessel
