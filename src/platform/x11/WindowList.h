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
    // tool palettes and tiny helpers behind it do not count as the front window. Programs
    // that do not set _NET_WM_PID have no windows by process: then the active window's frame.
    std::optional<QRect> frontWindowFrame(std::optional<qint32> pid, QSize larger);

private:
    struct FrontFrame {
        std::optional<qint32> pid;
        QSize larger;
        std::optional<QRect> frame;
    };

    std::optional<QRect> findFrontWindowFrame(std::optional<qint32> pid, QSize larger);
    std::optional<QRect> largeFrame(xcb_window_t window, QSize larger);
    // Viewable normal windows of the process, topmost first.
    std::vector<xcb_window_t> windowsOf(qint32 pid);
    // The first window type the list names that is a standard one decides; the list may lead
    // with a desktop's own types (KDE's override type on frameless Qt windows).
    bool isNormal(xcb_window_t window);
    bool isViewable(xcb_window_t window);
    QRect withFrame(xcb_window_t window, QRect client);

    XConnection& m_x;
    AppIdentity& m_identity;
    QObject m_eventContext;
    std::optional<FrontFrame> m_frontFrame;
};

} // namespace tessel
