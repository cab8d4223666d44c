#pragma once

#include "platform/Platform.h"
#include "platform/x11/AppIdentity.h"
#include "platform/x11/XConnection.h"

#include <QObject>
#include <QRect>

#include <vector>

namespace tessel {

// The window manager's client lists: what runs, and where a process's front window is.
class WindowList {
public:
    WindowList(XConnection& x, AppIdentity& identity);

    // One entry per app id in client-list order; windows without any id are left out.
    QList<AppInfo> runningApps();

    // The topmost viewable normal window of the process.
    std::optional<xcb_window_t> frontWindow(qint32 pid);
    // The frame, in root pixels, of the topmost such window larger than `larger` both ways;
    // tool palettes and tiny helpers behind it do not count as the front window.
    std::optional<QRect> frontWindowFrame(qint32 pid, QSize larger);

private:
    struct FrontFrame {
        qint32 pid = 0;
        QSize larger;
        std::optional<QRect> frame;
    };

    std::optional<QRect> findFrontWindowFrame(qint32 pid, QSize larger);
    // Viewable normal windows of the process, topmost first.
    std::vector<xcb_window_t> windowsOf(qint32 pid);
    bool isNormal(xcb_window_t window);
    bool isViewable(xcb_window_t window);
    QRect withFrame(xcb_window_t window, QRect client);

    XConnection& m_x;
    AppIdentity& m_identity;
    QObject m_eventContext;
    std::optional<FrontFrame> m_frontFrame;
};

} // namespace tessel
