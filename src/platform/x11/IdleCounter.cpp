#include "platform/x11/IdleCounter.h"

#include <xcb/screensaver.h>

namespace tessel {

double idleSeconds(XConnection& x) {
    if (!x.isValid()) {
        return 0;
    }
    const XReply<xcb_screensaver_query_info_reply_t> info(xcb_screensaver_query_info_reply(
        x.get(), xcb_screensaver_query_info(x.get(), x.root()), nullptr));
    return info ? info->ms_since_user_input / 1000.0 : 0;
}

} // namespace tessel
