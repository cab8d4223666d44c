#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <optional>

namespace tessel {

// The active window as KWin reports it: its app and its frame, in the compositor's layout.
struct KWinWindow {
    AppInfo app;
    QRect frame;

    friend bool operator==(const KWinWindow&, const KWinWindow&) = default;
};

// What Tessel's KWin script tells over the session bus, kept as the latest word. Each report
// carries one JSON text, which reads alike whichever number types KWin's script engine picks.
// Apps carry the desktop entry's id where KWin knows it, else the window's class.
class KWinReports final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.corvane.Tessel.KWin")

public:
    static QString serviceName() { return QStringLiteral("com.corvane.Tessel.KWin"); }
    static QString objectPath() { return QStringLiteral("/com/corvane/Tessel/KWin"); }

    std::optional<KWinWindow> activeWindow() const { return m_active; }
    QList<AppInfo> runningApps() const { return m_apps; }
    std::optional<QPoint> pointer() const { return m_pointer; }
    // Whether the script could keep Tessel's paper out of captures.
    bool canExcludeFromCapture() const { return m_canExclude; }
    // Forgets everything, as when the script is gone.
    void clear();
    // Forgets the pointer, as when the script stops reporting it.
    void forgetPointer() { m_pointer.reset(); }

public Q_SLOTS:
    Q_SCRIPTABLE void ActiveWindowChanged(const QString& report);
    Q_SCRIPTABLE void RunningAppsChanged(const QString& report);
    Q_SCRIPTABLE void PointerMoved(const QString& report);
    Q_SCRIPTABLE void CaptureExclusionAvailable(const QString& report);

Q_SIGNALS:
    void activeWindowChanged();

private:
    std::optional<KWinWindow> m_active;
    QList<AppInfo> m_apps;
    std::optional<QPoint> m_pointer;
    bool m_canExclude = false;
};

} // namespace tessel
