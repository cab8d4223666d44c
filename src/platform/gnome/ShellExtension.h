#pragma once

#include "platform/Platform.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <optional>

namespace tessel {

// The focused window as the shell sees it: native Wayland windows as well as X ones.
struct ShellFocus {
    AppInfo app;
    QRect frame; // stage pixels, y down

    friend bool operator==(const ShellFocus&, const ShellFocus&) = default;
};

// Tessel's GNOME Shell extension on the session bus: the front window, the running apps, the
// pointer and hot keys, which GNOME gives no other app on Wayland. Everything reads as unknown
// while the extension is not enabled, and comes back when it is.
class ShellExtension final : public QObject {
    Q_OBJECT

public:
    static QString serviceName() { return QStringLiteral("com.corvane.Tessel.Shell"); }
    static QString uuid() { return QStringLiteral("tessel@corvane.com"); }

    explicit ShellExtension(const QDBusConnection& bus);
    ~ShellExtension() override;

    bool isRunning() const { return m_running; }
    std::optional<ShellFocus> focus() const { return m_focus; }
    QList<AppInfo> runningApps() const { return m_apps; }
    // Follows the pointer from the first call until nobody asks for a while.
    std::optional<QPoint> pointer();
    bool activate(qint32 pid);
    // Lets the pointer through one of Tessel's X windows, as its empty input shape asks.
    void passInput(quint32 window);
    bool grabAccelerator(const QString& name, const QString& accelerator);
    void ungrabAccelerator(const QString& name);

Q_SIGNALS:
    // The extension was enabled or went away.
    void runningChanged();
    void focusChanged();
    void acceleratorActivated(const QString& name);

private Q_SLOTS:
    void takeFocus(const QString& appId, uint pid, int x, int y, int width, int height);
    void readRunningApps();
    void takePointer(int x, int y);
    void takeAccelerator(const QString& name);

private:
    void appeared();
    void vanished();
    void subscribe(const QString& signal, const char* slot);
    QDBusMessage call(const QString& method, const QVariantList& arguments = {}) const;
    void stopPointer();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    bool m_running = false;
    std::optional<ShellFocus> m_focus;
    QList<AppInfo> m_apps;
    std::optional<QPoint> m_pointer;
    QTimer m_pointerWanted;
};

} // namespace tessel
