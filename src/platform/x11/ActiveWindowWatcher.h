#pragma once

#include "platform/Platform.h"
#include "platform/x11/AppIdentity.h"
#include "platform/x11/XConnection.h"

namespace tessel {

// Follows _NET_ACTIVE_WINDOW on the root and reports when the application behind it changes.
class ActiveWindowWatcher final : public QObject {
    Q_OBJECT

public:
    ActiveWindowWatcher(XConnection& x, AppIdentity& identity);

    // Read from the server now, not from the last event.
    std::optional<AppInfo> frontmostApp();

Q_SIGNALS:
    void frontAppChanged(std::optional<tessel::AppInfo> app);

private:
    void activeWindowChanged();

    XConnection& m_x;
    AppIdentity& m_identity;
    std::optional<AppInfo> m_last;
};

} // namespace tessel
