#include "platform/x11/WorkspaceWatcher.h"

#include "platform/PlatformLog.h"

#include <xcb/screensaver.h>

namespace tessel {

WorkspaceWatcher::WorkspaceWatcher(XConnection& x)
    : m_x(x) {
    if (m_x.isValid()) {
        watchDesktop();
        watchScreenSaver();
    }
}

void WorkspaceWatcher::watchDesktop() {
    const xcb_atom_t current = m_x.atom("_NET_CURRENT_DESKTOP");
    m_x.watchRootProperties();
    m_x.addHandler(this, [this, current](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            return;
        }
        const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (notify.window == m_x.root() && notify.atom == current) {
            Q_EMIT desktopChanged();
        }
    });
}

void WorkspaceWatcher::watchScreenSaver() {
    const xcb_query_extension_reply_t* saver =
        xcb_get_extension_data(m_x.get(), &xcb_screensaver_id);
    if (!saver || !saver->present) {
        qCWarning(lcPlatform, "the X server lacks MIT-SCREEN-SAVER: screens waking go unnoticed");
        return;
    }
    xcb_screensaver_select_input(m_x.get(), m_x.root(), XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    m_x.flush();
    const uint8_t notifyType = saver->first_event + XCB_SCREENSAVER_NOTIFY;
    m_x.addHandler(this, [this, notifyType](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != notifyType) {
            return;
        }
        const auto& notify = reinterpret_cast<const xcb_screensaver_notify_event_t&>(event);
        if (notify.state == XCB_SCREENSAVER_STATE_OFF) {
            Q_EMIT screensWoke();
        }
    });
}

} // namespace tessel
