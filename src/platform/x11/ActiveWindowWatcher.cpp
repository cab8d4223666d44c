#include "platform/x11/ActiveWindowWatcher.h"

#include "platform/x11/XProperties.h"

namespace tessel {

ActiveWindowWatcher::ActiveWindowWatcher(XConnection& x, AppIdentity& identity)
    : m_x(x)
    , m_identity(identity) {
    if (!m_x.isValid()) {
        return;
    }
    const xcb_atom_t active = m_x.atom("_NET_ACTIVE_WINDOW");
    m_x.watchRootProperties();
    m_x.addHandler(this, [this, active](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            return;
        }
        const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (notify.window == m_x.root() && notify.atom == active) {
            activeWindowChanged();
        }
    });
    m_last = frontmostApp();
}

std::optional<AppInfo> ActiveWindowWatcher::frontmostApp() {
    const auto window = xprop::value(m_x, m_x.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    if (!window || *window == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    return m_identity.appOf(*window);
}

void ActiveWindowWatcher::activeWindowChanged() {
    std::optional<AppInfo> app = frontmostApp();
    // Focus falling to the bare desktop activates no application; the last one stays in front.
    if (!app || app == m_last) {
        return;
    }
    m_last = app;
    Q_EMIT frontAppChanged(std::move(app));
}

} // namespace tessel
