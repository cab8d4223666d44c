#pragma once

#include "platform/Platform.h"
#include "platform/wayland/ToplevelList.h"

#include <QObject>

struct zwlr_foreign_toplevel_handle_v1;

namespace tessel {

class DesktopEntries;
class WaylandConnection;

// The front app and the running apps from wlroots' foreign-toplevel management, their app
// ids matched to installed desktop entries. Empty where the compositor does not offer it.
class Toplevels final : public QObject {
    Q_OBJECT

public:
    Toplevels(WaylandConnection& connection, DesktopEntries& entries);
    ~Toplevels() override;

    std::optional<AppInfo> frontmostApp() const;
    QList<AppInfo> runningApps() const;
    // Hands the focus to the app's last active window, when it has one.
    void activate(const QString& appId);

    // Entry points for the protocol listeners.
    void added(zwlr_foreign_toplevel_handle_v1* handle);
    ToplevelList& list() { return m_list; }
    void done(zwlr_foreign_toplevel_handle_v1* handle);
    void closed(zwlr_foreign_toplevel_handle_v1* handle);

Q_SIGNALS:
    void frontAppChanged(std::optional<tessel::AppInfo> app);

private:
    AppInfo appInfo(const QString& appId) const;
    void noticeFront();

    WaylandConnection& m_connection;
    DesktopEntries& m_entries;
    ToplevelList m_list;
    std::optional<QString> m_front;
};

} // namespace tessel
