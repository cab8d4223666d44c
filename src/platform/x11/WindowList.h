#pragma once

#include "platform/Platform.h"
#include "platform/x11/AppIdentity.h"
#include "platform/x11/XConnection.h"

#include <QRect>

namespace tessel {

// The window manager's client lists: what runs, and where a process's front window is.
class WindowList {
public:
    WindowList(XConnection& x, AppIdentity& identity);

    // One entry per app id in client-list order; windows without any id are left out.
    QList<AppInfo> runningApps();

    // The topmost viewable normal window of the process.
    std::optional<xcb_window_t> frontWindow(qint32 pid);
    // That window's frame, in root pixels.
    std::optional<QRect> frontWindowFrame(qint32 pid);

private:
    bool isNormal(xcb_window_t window);
    bool isViewable(xcb_window_t window);
    QRect withFrame(xcb_window_t window, QRect client);

    XConnection& m_x;
    AppIdentity& m_identity;
};

} // namespace tessel
