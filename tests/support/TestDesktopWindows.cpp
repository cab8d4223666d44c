#include "TestDesktop.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace tessel::test {

namespace {

xcb_visualid_t argbVisual(const xcb_screen_t* screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem;
         xcb_depth_next(&depths)) {
        if (depths.data->depth != 32) {
            continue;
        }
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR) {
                return visuals.data->visual_id;
            }
        }
    }
    throw std::runtime_error("the X server has no 32-bit visual");
}

// Server pixels are premultiplied, alpha in the top byte of 32-bit visuals.
uint32_t pixelOf(const QColor& colour) {
    const QRgb premultiplied = qPremultiply(colour.rgba());
    return (static_cast<uint32_t>(qAlpha(premultiplied)) << 24) |
           (static_cast<uint32_t>(qRed(premultiplied)) << 16) |
           (static_cast<uint32_t>(qGreen(premultiplied)) << 8) | qBlue(premultiplied);
}

} // namespace

uint32_t TestDesktop::openWindow(const WindowSpec& wanted) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const xcb_window_t window = xcb_generate_id(m_connection);
    uint8_t depth = XCB_COPY_FROM_PARENT;
    xcb_visualid_t visual = screen->root_visual;
    // Value order follows the bit order of the mask.
    uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT;
    std::vector<uint32_t> values{pixelOf(wanted.colour), 0, wanted.overrideRedirect ? 1u : 0u};
    if (wanted.argb) {
        depth = 32;
        visual = argbVisual(screen);
        const xcb_colormap_t colormap = xcb_generate_id(m_connection);
        xcb_create_colormap(m_connection, XCB_COLORMAP_ALLOC_NONE, colormap, m_root, visual);
        mask |= XCB_CW_COLORMAP;
        values.push_back(colormap);
    }
    xcb_create_window(
        m_connection, depth, window, m_root, static_cast<int16_t>(wanted.geometry.x()),
        static_cast<int16_t>(wanted.geometry.y()), static_cast<uint16_t>(wanted.geometry.width()),
        static_cast<uint16_t>(wanted.geometry.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, visual,
        mask, values.data());

    const auto setText = [&](const char* property, uint32_t type, const QByteArray& text) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(property), type, 8,
                            static_cast<uint32_t>(text.size()), text.constData());
    };
    if (!wanted.wmClass.isEmpty() || !wanted.wmInstance.isEmpty()) {
        setText("WM_CLASS", XCB_ATOM_STRING, wanted.wmInstance + '\0' + wanted.wmClass + '\0');
    }
    if (wanted.gtkApplicationId) {
        setText("_GTK_APPLICATION_ID", atom("UTF8_STRING"), *wanted.gtkApplicationId);
    }
    if (wanted.pid) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_PID"),
                            XCB_ATOM_CARDINAL, 32, 1, &*wanted.pid);
    }
    if (!wanted.windowTypes.empty()) {
        std::vector<uint32_t> types;
        for (const QByteArray& type : wanted.windowTypes) {
            types.push_back(atom(type.constData()));
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window,
                            atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(types.size()), types.data());
    }
    // Keep the window where the test put it rather than where openbox would place it.
    const uint32_t hints[18] = {(1u << 0) | (1u << 2), 0, 0, 0, 0};
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_map_window(m_connection, window);
    xcb_flush(m_connection);
    m_windows.push_back(window);

    const auto managed = [&] {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL,
                             0, 4),
            nullptr);
        const bool framed = reply && reply->value_len == 4;
        std::free(reply);
        return framed;
    };
    if (!waitUntil([&] { return isViewable(window) && (wanted.overrideRedirect || managed()); })) {
        throw std::runtime_error("a test window did not appear");
    }
    return window;
}

bool TestDesktop::isViewable(uint32_t window) const {
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

QRect TestDesktop::frameGeometry(uint32_t window) const {
    xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
    xcb_get_property_reply_t* extents =
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, window, atom("_NET_FRAME_EXTENTS"),
                                                XCB_ATOM_CARDINAL, 0, 4),
                               nullptr);
    QRect frame;
    if (origin && geometry && extents && extents->value_len == 4) {
        const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(extents));
        frame = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height)
                    .marginsAdded(QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3])));
    }
    std::free(origin);
    std::free(geometry);
    std::free(extents);
    return frame;
}

void TestDesktop::closeWindow(uint32_t window) {
    xcb_destroy_window(m_connection, window);
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    std::erase(m_windows, window);
}

void TestDesktop::closeAllWindows() {
    while (!m_windows.empty()) {
        closeWindow(m_windows.back());
    }
}

void TestDesktop::sendToRoot(uint32_t window, const char* message, std::vector<uint32_t> data) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(message);
    data.resize(5);
    std::copy(data.begin(), data.end(), event.data.data32);
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

void TestDesktop::activate(uint32_t window) {
    // Source 2 is a pager, which openbox obeys without focus-stealing prevention.
    sendToRoot(window, "_NET_ACTIVE_WINDOW", {2, XCB_CURRENT_TIME, 0});
    if (!waitUntil([&] { return rootCardinal("_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW) == window; })) {
        throw std::runtime_error("the window manager did not activate the window");
    }
}

void TestDesktop::switchDesktop(uint32_t desktop) {
    sendToRoot(m_root, "_NET_CURRENT_DESKTOP", {desktop, XCB_CURRENT_TIME});
    if (!waitUntil([&] { return currentDesktop() == desktop; })) {
        throw std::runtime_error("the window manager did not switch desktops");
    }
}

void TestDesktop::forceScreenSaver(bool on) {
    xcb_force_screen_saver(m_connection, on ? XCB_SCREEN_SAVER_ACTIVE : XCB_SCREEN_SAVER_RESET);
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

QImage TestDesktop::screenshot(QRect rect) const {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    if (rect.isNull()) {
        rect = QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    }
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
                      static_cast<int16_t>(rect.x()), static_cast<int16_t>(rect.y()),
                      static_cast<uint16_t>(rect.width()), static_cast<uint16_t>(rect.height()),
                      ~0u),
        nullptr);
    if (!reply) {
        return {};
    }
    const QImage view(xcb_get_image_data(reply), rect.width(), rect.height(), rect.width() * 4,
                      QImage::Format_RGB32);
    QImage copy = view.copy();
    std::free(reply);
    return copy;
}

} // namespace tessel::test
