#include "platform/x11/CompositorWatcher.h"

#include "platform/PlatformLog.h"

#include <xcb/xfixes.h>

namespace tessel {

CompositorWatcher::CompositorWatcher(XConnection& x)
    : m_x(x) {
    if (!m_x.isValid()) {
        return;
    }
    m_selection = m_x.atom("_NET_WM_CM_S" + QByteArray::number(m_x.screenNumber()));
    m_running = queryOwner();

    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(m_x.get(), &xcb_xfixes_id);
    if (!xfixes || !xfixes->present) {
        qCWarning(lcPlatform, "the X server lacks XFIXES: a compositor starting or stopping "
                              "goes unnoticed");
        return;
    }
    XReply<xcb_xfixes_query_version_reply_t>(xcb_xfixes_query_version_reply(
        m_x.get(), xcb_xfixes_query_version(m_x.get(), XCB_XFIXES_MAJOR_VERSION, 0), nullptr));
    xcb_xfixes_select_selection_input(m_x.get(), m_x.root(), m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    m_x.flush();
    const uint8_t notifyType = xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
    m_x.addHandler(this, [this, notifyType](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != notifyType) {
            return;
        }
        const auto& notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(event);
        if (notify.selection != m_selection) {
            return;
        }
        const bool running = notify.owner != XCB_WINDOW_NONE;
        if (running != m_running) {
            m_running = running;
            Q_EMIT changed();
        }
    });
}

bool CompositorWatcher::queryOwner() const {
    const XReply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
        m_x.get(), xcb_get_selection_owner(m_x.get(), m_selection), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

} // namespace tessel
