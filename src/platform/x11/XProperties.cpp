#include "platform/x11/XProperties.h"

namespace tessel::xprop {

namespace {

// Large enough for any client list or title we care about.
constexpr uint32_t maxLength = 1 << 16;

XReply<xcb_get_property_reply_t> property(XConnection& x, xcb_window_t window,
                                          const QByteArray& name, xcb_atom_t type) {
    if (!x.isValid() || window == XCB_WINDOW_NONE) {
        return nullptr;
    }
    const xcb_atom_t atom = x.atom(name);
    if (atom == XCB_ATOM_NONE) {
        return nullptr;
    }
    const auto cookie = xcb_get_property(x.get(), 0, window, atom, type, 0, maxLength);
    return XReply<xcb_get_property_reply_t>(xcb_get_property_reply(x.get(), cookie, nullptr));
}

std::vector<uint32_t> items(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* data = static_cast<const uint32_t*>(
        xcb_get_property_value(const_cast<xcb_get_property_reply_t*>(reply)));
    const int count = xcb_get_property_value_length(reply) / 4;
    return {data, data + count};
}

} // namespace

std::vector<uint32_t> values(XConnection& x, xcb_window_t window, const QByteArray& name,
                             xcb_atom_t type) {
    return items(property(x, window, name, type).get());
}

std::optional<uint32_t> value(XConnection& x, xcb_window_t window, const QByteArray& name,
                              xcb_atom_t type) {
    const std::vector<uint32_t> all = values(x, window, name, type);
    if (all.empty()) {
        return std::nullopt;
    }
    return all.front();
}

std::optional<QByteArray> text(XConnection& x, xcb_window_t window, const QByteArray& name) {
    const auto reply = property(x, window, name, XCB_GET_PROPERTY_TYPE_ANY);
    if (!reply || reply->format != 8 || reply->type == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QByteArray(data, xcb_get_property_value_length(reply.get()));
}

std::vector<uint32_t> pids(XConnection& x, const std::vector<xcb_window_t>& windows) {
    std::vector<uint32_t> result(windows.size(), 0);
    const xcb_atom_t atom = x.atom("_NET_WM_PID");
    if (!x.isValid() || atom == XCB_ATOM_NONE) {
        return result;
    }
    std::vector<xcb_get_property_cookie_t> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t window : windows) {
        cookies.push_back(xcb_get_property(x.get(), 0, window, atom, XCB_ATOM_CARDINAL, 0, 1));
    }
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        const XReply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(x.get(), cookies[i], nullptr));
        if (const std::vector<uint32_t> pid = items(reply.get()); !pid.empty()) {
            result[i] = pid.front();
        }
    }
    return result;
}

std::optional<QRect> rootGeometry(XConnection& x, xcb_window_t window) {
    if (!x.isValid()) {
        return std::nullopt;
    }
    const auto geometryCookie = xcb_get_geometry(x.get(), window);
    const auto translateCookie = xcb_translate_coordinates(x.get(), window, x.root(), 0, 0);
    const XReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x.get(), geometryCookie, nullptr));
    const XReply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(x.get(), translateCookie, nullptr));
    if (!geometry || !origin) {
        return std::nullopt;
    }
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

xcb_window_t topLevelOf(XConnection& x, xcb_window_t window) {
    while (x.isValid() && window != XCB_WINDOW_NONE) {
        const XReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(x.get(), xcb_query_tree(x.get(), window), nullptr));
        if (!tree) {
            return XCB_WINDOW_NONE;
        }
        if (tree->parent == tree->root) {
            return window;
        }
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

} // namespace tessel::xprop
