#include "platform/x11/WindowList.h"

#include "platform/x11/XProperties.h"

#include <QSet>

#include <algorithm>

namespace tessel {

WindowList::WindowList(XConnection& x, AppIdentity& identity)
    : m_x(x)
    , m_identity(identity) {
    m_x.watchRootProperties();
    m_x.addHandler(&m_eventContext, [this](const xcb_generic_event_t& event) {
        switch (event.response_type & 0x7f) {
        case XCB_CONFIGURE_NOTIFY:
        case XCB_MAP_NOTIFY:
        case XCB_UNMAP_NOTIFY:
        case XCB_DESTROY_NOTIFY:
        case XCB_PROPERTY_NOTIFY:
            m_frontFrame.reset();
            break;
        default:
            break;
        }
    });
}

QList<AppInfo> WindowList::runningApps() {
    QList<AppInfo> apps;
    QSet<QString> seen;
    for (const xcb_window_t window :
         xprop::values(m_x, m_x.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        AppInfo app = m_identity.appOf(window);
        if (app.appId && !seen.contains(*app.appId)) {
            seen.insert(*app.appId);
            apps.append(std::move(app));
        }
    }
    return apps;
}

std::vector<xcb_window_t> WindowList::windowsOf(qint32 pid) {
    std::vector<uint32_t> stacking =
        xprop::values(m_x, m_x.root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    std::reverse(stacking.begin(), stacking.end());
    const std::vector<uint32_t> pids = xprop::pids(m_x, stacking);
    std::vector<xcb_window_t> windows;
    for (std::size_t i = 0; i < stacking.size(); ++i) {
        if (pids[i] == static_cast<uint32_t>(pid) && isViewable(stacking[i]) &&
            isNormal(stacking[i])) {
            windows.push_back(stacking[i]);
        }
    }
    return windows;
}

std::optional<xcb_window_t> WindowList::frontWindow(qint32 pid) {
    const std::vector<xcb_window_t> windows = windowsOf(pid);
    return windows.empty() ? std::nullopt : std::optional(windows.front());
}

// Asked thirty times a second while the focus sheet is on, so the answer is kept until a
// top-level window maps, unmaps, moves, restacks or the root's lists change.
std::optional<QRect> WindowList::frontWindowFrame(std::optional<qint32> pid, QSize larger) {
    if (m_frontFrame && m_frontFrame->pid == pid && m_frontFrame->larger == larger) {
        return m_frontFrame->frame;
    }
    m_frontFrame = FrontFrame{pid, larger, findFrontWindowFrame(pid, larger)};
    return m_frontFrame->frame;
}

std::optional<QRect> WindowList::findFrontWindowFrame(std::optional<qint32> pid, QSize larger) {
    for (const xcb_window_t window : pid ? windowsOf(*pid) : std::vector<xcb_window_t>()) {
        if (const auto frame = largeFrame(window, larger)) {
            return frame;
        }
    }
    const auto active = xprop::value(m_x, m_x.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    if (!active || *active == XCB_WINDOW_NONE || !isViewable(*active) || !isNormal(*active)) {
        return std::nullopt;
    }
    return largeFrame(*active, larger);
}

std::optional<QRect> WindowList::largeFrame(xcb_window_t window, QSize larger) {
    const auto client = xprop::rootGeometry(m_x, window);
    if (!client) {
        return std::nullopt;
    }
    const QRect frame = withFrame(window, *client);
    if (frame.width() > larger.width() && frame.height() > larger.height()) {
        return frame;
    }
    return std::nullopt;
}

bool WindowList::isNormal(xcb_window_t window) {
    static constexpr const char* standardTypes[] = {
        "_NET_WM_WINDOW_TYPE_DESKTOP",      "_NET_WM_WINDOW_TYPE_DOCK",
        "_NET_WM_WINDOW_TYPE_TOOLBAR",      "_NET_WM_WINDOW_TYPE_MENU",
        "_NET_WM_WINDOW_TYPE_UTILITY",      "_NET_WM_WINDOW_TYPE_SPLASH",
        "_NET_WM_WINDOW_TYPE_DIALOG",       "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
        "_NET_WM_WINDOW_TYPE_POPUP_MENU",   "_NET_WM_WINDOW_TYPE_TOOLTIP",
        "_NET_WM_WINDOW_TYPE_NOTIFICATION", "_NET_WM_WINDOW_TYPE_COMBO",
        "_NET_WM_WINDOW_TYPE_DND",          "_NET_WM_WINDOW_TYPE_NORMAL",
    };
    const xcb_atom_t normal = m_x.atom("_NET_WM_WINDOW_TYPE_NORMAL");
    for (const uint32_t type : xprop::values(m_x, window, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM)) {
        for (const char* standard : standardTypes) {
            if (type == m_x.atom(standard)) {
                return type == normal;
            }
        }
    }
    return true;
}

bool WindowList::isViewable(xcb_window_t window) {
    const XReply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        m_x.get(), xcb_get_window_attributes(m_x.get(), window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The manager's decoration around the client, less the shadow a client-side decorated
// window draws inside its own area.
QRect WindowList::withFrame(xcb_window_t window, QRect client) {
    const auto margins = [&](const QByteArray& property) {
        const std::vector<uint32_t> v = xprop::values(m_x, window, property, XCB_ATOM_CARDINAL);
        return v.size() == 4 ? QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]),
                                        static_cast<int>(v[1]), static_cast<int>(v[3]))
                             : QMargins();
    };
    return client.marginsAdded(margins("_NET_FRAME_EXTENTS"))
        .marginsRemoved(margins("_GTK_FRAME_EXTENTS"));
}

} // namespace tessel
