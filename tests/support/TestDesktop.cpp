#include "TestDesktop.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstring>
#include <stdexcept>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace tessel::test {

using namespace Qt::StringLiterals;

namespace {

TestDesktop* sharedDesktop = nullptr;

constexpr auto startTimeout = std::chrono::seconds(20);

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply> Owned<Reply> own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

constexpr uint8_t argbDepth = 32;
constexpr uint32_t frameExtentCount = 4;
// WM_NORMAL_HINTS: USPosition | PPosition, so openbox leaves windows where tests put them.
constexpr uint32_t placedByUser = (1u << 0) | (1u << 2);
constexpr uint32_t sizeHintsLength = 18;

xcb_visualid_t argbVisual(const xcb_screen_t* screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data);
             depths.data->depth == argbDepth && visuals.rem; xcb_visualtype_next(&visuals)) {
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
    return (static_cast<uint32_t>(qAlpha(premultiplied)) << 24) | (premultiplied & 0xffffff);
}

} // namespace

TestDesktop& TestDesktop::shared() {
    return *sharedDesktop;
}

TestDesktop::TestDesktop() {
    requirePrograms("The X desktop tests", {"Xvfb", "openbox", "picom", "dbus-daemon", "xdotool",
                                            "trayer", "xwininfo", "xsettingsd", "gsettings"});
    m_server = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1920x1080x24",
                                 "-nolisten", "tcp", "-noreset"},
        logPath("xvfb"));
    qputenv("DISPLAY", ":" + QByteArray::fromStdString(m_server->firstLine()));
    // Tessel would take a Wayland session's compositor over this desktop.
    qunsetenv("WAYLAND_DISPLAY");
    // Keep the user's own openbox and picom configuration out of the tests.
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(u"config"_s).toUtf8());
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        throw std::runtime_error("cannot connect to the test display");
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_bus = std::make_unique<PrivateBus>(m_dir.path());
    m_windowManager = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable"}, logPath("openbox"));
    if (!waitFor([this] { return !cardinals(m_root, "_NET_CURRENT_DESKTOP").empty(); },
                 startTimeout)) {
        throw std::runtime_error("openbox did not start");
    }
    startCompositor();
    sharedDesktop = this;
}

TestDesktop::~TestDesktop() {
    sharedDesktop = nullptr;
    closeAllWindows();
    xcb_disconnect(m_connection);
}

bool TestDesktop::compositorRunning() const {
    const auto reply = own(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, atom("_NET_WM_CM_S0")), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void TestDesktop::startCompositor() {
    if (m_compositor && m_compositor->isRunning()) {
        return;
    }
    m_compositor = std::make_unique<ChildProcess>(
        std::vector<std::string>{"picom", "--backend", "xrender", "--config", "/dev/null"},
        logPath("picom"));
    if (!waitFor([this] { return compositorRunning(); }, startTimeout)) {
        throw std::runtime_error("picom did not start");
    }
}

void TestDesktop::stopCompositor() {
    m_compositor.reset();
    if (!waitFor([this] { return !compositorRunning(); })) {
        throw std::runtime_error("the compositor selection outlived picom");
    }
}

std::unique_ptr<ChildProcess> TestDesktop::startPanel() {
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                 "pixel", "--width", "120", "--height", "32", "--transparent",
                                 "false", "--tint", "0x303030", "--SetDockType", "true"},
        logPath("trayer"));
}

uint32_t TestDesktop::atom(const char* name) const {
    const auto reply = own(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(strlen(name)), name),
        nullptr));
    return reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
}

std::vector<uint32_t> TestDesktop::cardinals(uint32_t window, const char* property) const {
    constexpr uint32_t most = 16;
    const auto reply = own(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, atom(property), XCB_ATOM_CARDINAL, 0, most),
        nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + reply->value_len};
}

std::optional<QString> xdotool(const QStringList& arguments) {
    const auto output = runTool(QStringLiteral("xdotool"), arguments);
    return output ? std::optional(QString::fromUtf8(*output).trimmed()) : std::nullopt;
}

uint32_t TestDesktop::openWindow(const WindowTraits& wanted) {
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const xcb_window_t window = xcb_generate_id(m_connection);
    uint8_t depth = XCB_COPY_FROM_PARENT;
    xcb_visualid_t visual = root->root_visual;
    // Values follow the bit order of the mask.
    uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT;
    std::vector<uint32_t> values{pixelOf(wanted.colour), 0, wanted.overrideRedirect ? 1u : 0u};
    if (wanted.argb) {
        depth = argbDepth;
        visual = argbVisual(root);
        const xcb_colormap_t colormap = xcb_generate_id(m_connection);
        xcb_create_colormap(m_connection, XCB_COLORMAP_ALLOC_NONE, colormap, m_root, visual);
        mask |= XCB_CW_COLORMAP;
        values.push_back(colormap);
    }
    const QRect& g = wanted.geometry;
    xcb_create_window(m_connection, depth, window, m_root, static_cast<int16_t>(g.x()),
                      static_cast<int16_t>(g.y()), static_cast<uint16_t>(g.width()),
                      static_cast<uint16_t>(g.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, visual,
                      mask, values.data());
    const auto set = [&](uint32_t property, uint32_t type, uint8_t format, uint32_t length,
                         const void* data) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, property, type, format,
                            length, data);
    };
    const auto setText = [&](uint32_t property, uint32_t type, const QByteArray& text) {
        set(property, type, 8, static_cast<uint32_t>(text.size()), text.constData());
    };
    if (!wanted.wmClass.isEmpty() || !wanted.wmInstance.isEmpty()) {
        setText(XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                wanted.wmInstance + '\0' + wanted.wmClass + '\0');
    }
    if (wanted.gtkApplicationId) {
        setText(atom("_GTK_APPLICATION_ID"), atom("UTF8_STRING"), *wanted.gtkApplicationId);
    }
    if (wanted.pid) {
        set(atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &*wanted.pid);
    }
    if (!wanted.windowTypes.empty()) {
        std::vector<uint32_t> types;
        for (const QByteArray& type : wanted.windowTypes) {
            types.push_back(atom(type.constData()));
        }
        set(atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, static_cast<uint32_t>(types.size()),
            types.data());
    }
    const uint32_t hints[sizeHintsLength] = {placedByUser};
    set(XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, sizeHintsLength, hints);
    xcb_map_window(m_connection, window);
    xcb_flush(m_connection);
    m_windows.push_back(window);

    const auto ready = [&] {
        const auto attributes = own(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
               (wanted.overrideRedirect || !frameGeometry(window).isNull());
    };
    if (!waitFor(ready, std::chrono::seconds(10))) {
        throw std::runtime_error("a test window did not appear");
    }
    return window;
}

QRect TestDesktop::frameGeometry(uint32_t window) const {
    const auto origin = own(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    const auto geometry =
        own(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    const std::vector<uint32_t> e = cardinals(window, "_NET_FRAME_EXTENTS");
    if (!origin || !geometry || e.size() != frameExtentCount) {
        return {};
    }
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height)
        .marginsAdded(QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3])));
}

void TestDesktop::sync() const {
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

void TestDesktop::closeAllWindows() {
    for (const uint32_t window : m_windows) {
        xcb_destroy_window(m_connection, window);
    }
    m_windows.clear();
    sync();
}

void TestDesktop::activate(uint32_t window) {
    if (!xdotool({u"windowactivate"_s, u"--sync"_s, QString::number(window)})) {
        throw std::runtime_error("the window manager did not activate the window");
    }
}

void TestDesktop::switchDesktop(uint32_t desktop) {
    xdotool({u"set_desktop"_s, QString::number(desktop)});
    if (!waitFor([&] { return cardinals(m_root, "_NET_CURRENT_DESKTOP") == std::vector{desktop}; },
                 std::chrono::seconds(10))) {
        throw std::runtime_error("the window manager did not switch desktops");
    }
}

void TestDesktop::forceScreenSaver(bool on) {
    xcb_force_screen_saver(m_connection, on ? XCB_SCREEN_SAVER_ACTIVE : XCB_SCREEN_SAVER_RESET);
    sync();
}

// The root window, read by this process's own Qt on the test display.
QImage TestDesktop::screenshot(QRect rect) const {
    if (rect.isNull()) {
        rect = screen;
    }
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

bool TestDesktop::isPlainWhite(QRect rect) const {
    QImage white(rect.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    return screenshot(rect) == white;
}

} // namespace tessel::test
