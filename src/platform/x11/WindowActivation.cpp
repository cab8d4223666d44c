#include "platform/x11/WindowActivation.h"

#include <array>

namespace tessel {

namespace {

// A pager's request: window managers grant it without focus-stealing prevention.
constexpr uint32_t sourcePager = 2;

} // namespace

void activateFrontWindow(XConnection& x, WindowList& windows, qint32 pid) {
    const std::optional<xcb_window_t> window = windows.frontWindow(pid);
    if (!window) {
        return;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = *window;
    event.type = x.atom("_NET_ACTIVE_WINDOW");
    const std::array<uint32_t, 5> data{sourcePager, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0};
    std::copy(data.begin(), data.end(), event.data.data32);
    xcb_send_event(x.get(), 0, x.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    x.flush();
}

} // namespace tessel
