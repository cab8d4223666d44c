#pragma once

#include "platform/Platform.h"
#include "platform/desktop/DesktopEntries.h"
#include "platform/x11/XConnection.h"

namespace tessel {

// Which application a client window belongs to: _GTK_APPLICATION_ID, else
// _KDE_NET_WM_DESKTOP_FILE, else the desktop entry matching WM_CLASS, else the WM_CLASS
// class lower-cased. Windows of this process are Tessel's whatever they claim.
class AppIdentity {
public:
    AppIdentity(XConnection& x, qint64 ownPid);

    AppInfo appOf(xcb_window_t client);

    // Desktop entries are read on first use only; tests point them elsewhere first.
    DesktopEntries& entries() { return m_entries; }

private:
    std::optional<QString> explicitId(xcb_window_t client);

    XConnection& m_x;
    qint64 m_ownPid;
    DesktopEntries m_entries;
};

} // namespace tessel
