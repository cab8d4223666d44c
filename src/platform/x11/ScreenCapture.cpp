#include "platform/x11/ScreenCapture.h"

#include "platform/x11/XProperties.h"

#include <algorithm>
#include <cmath>
#include <xcb/composite.h>

namespace tessel {

namespace {

constexpr int oversampling = 8;

// picom paints this grey where no wallpaper pixmap is set.
constexpr uint16_t defaultBackground = 0x8080;

xcb_render_fixed_t fixed(double value) {
    return static_cast<xcb_render_fixed_t>(std::lround(value * 65536));
}

} // namespace

ScreenCapture::ScreenCapture(XConnection& x, qint64 ownPid)
    : m_x(x)
    , m_ownPid(ownPid) {}

ScreenCapture::~ScreenCapture() = default;

bool ScreenCapture::initialise() {
    if (m_ready || !m_x.isValid()) {
        return m_ready;
    }
    const xcb_query_extension_reply_t* render = xcb_get_extension_data(m_x.get(), &xcb_render_id);
    if (!render || !render->present) {
        return false;
    }
    XReply<xcb_render_query_pict_formats_reply_t> formats(xcb_render_query_pict_formats_reply(
        m_x.get(), xcb_render_query_pict_formats(m_x.get()), nullptr));
    if (!formats) {
        return false;
    }
    for (auto it = xcb_render_query_pict_formats_formats_iterator(formats.get()); it.rem;
         xcb_render_pictforminfo_next(&it)) {
        const xcb_render_directformat_t& d = it.data->direct;
        if (it.data->depth == 32 && it.data->type == XCB_RENDER_PICT_TYPE_DIRECT &&
            d.alpha_mask == 0xff && d.alpha_shift == 24 && d.red_shift == 16 &&
            d.green_shift == 8 && d.blue_shift == 0) {
            m_argbFormat = it.data->id;
        }
    }
    for (auto screens = xcb_render_query_pict_formats_screens_iterator(formats.get()); screens.rem;
         xcb_render_pictscreen_next(&screens)) {
        for (auto depths = xcb_render_pictscreen_depths_iterator(screens.data); depths.rem;
             xcb_render_pictdepth_next(&depths)) {
            for (auto visuals = xcb_render_pictdepth_visuals_iterator(depths.data); visuals.rem;
                 xcb_render_pictvisual_next(&visuals)) {
                m_visualFormats.insert(visuals.data->visual, visuals.data->format);
            }
        }
    }
    const xcb_query_extension_reply_t* composite =
        xcb_get_extension_data(m_x.get(), &xcb_composite_id);
    if (composite && composite->present) {
        // Naming window pixmaps needs version 0.2 announced by the client.
        const XReply<xcb_composite_query_version_reply_t> version(xcb_composite_query_version_reply(
            m_x.get(), xcb_composite_query_version(m_x.get(), 0, 4), nullptr));
        m_composite = version && (version->major_version > 0 || version->minor_version >= 2);
    }
    m_ready = m_argbFormat != 0;
    return m_ready;
}

QImage ScreenCapture::capture(QRect area, QSize size, bool composited) {
    if (size.isEmpty() || area.isEmpty() || !initialise()) {
        return {};
    }
    const std::optional<std::vector<Source>> drawn = sources(area, composited);
    if (!drawn) {
        return {};
    }
    const QSize scaled(std::min(area.width(), size.width() * oversampling),
                       std::min(area.height(), size.height() * oversampling));
    xcb_connection_t* c = m_x.get();
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, 32, pixmap, m_x.root(), static_cast<uint16_t>(scaled.width()),
                      static_cast<uint16_t>(scaled.height()));
    const xcb_render_picture_t target = xcb_generate_id(c);
    xcb_render_create_picture(c, target, pixmap, m_argbFormat, 0, nullptr);

    const xcb_rectangle_t whole{0, 0, static_cast<uint16_t>(scaled.width()),
                                static_cast<uint16_t>(scaled.height())};
    const xcb_render_color_t grey{defaultBackground, defaultBackground, defaultBackground, 0xffff};
    xcb_render_fill_rectangles(c, XCB_RENDER_PICT_OP_SRC, target, grey, 1, &whole);
    for (const Source& source : *drawn) {
        draw(target, scaled, area, source);
        if (source.namedPixmap) {
            xcb_free_pixmap(c, source.drawable);
        }
    }
    xcb_render_free_picture(c, target);
    QImage image = read(pixmap, scaled, size);
    xcb_free_pixmap(c, pixmap);
    return image;
}

std::optional<std::vector<ScreenCapture::Source>> ScreenCapture::sources(QRect area,
                                                                         bool composited) {
    const std::vector<TopLevel> windows = viewableTopLevels(area);
    if (composited) {
        if (auto redirected = redirectedPixmaps(windows)) {
            std::vector<Source> result = rootBackground();
            result.insert(result.end(), redirected->begin(), redirected->end());
            return result;
        }
    }
    // The screen itself would show our windows.
    if (std::any_of(windows.begin(), windows.end(), [](const TopLevel& w) { return w.own; })) {
        return std::nullopt;
    }
    return std::vector<Source>{rootWithChildren()};
}

ScreenCapture::Source ScreenCapture::rootWithChildren() const {
    const QRect screen(0, 0, m_x.screen()->width_in_pixels, m_x.screen()->height_in_pixels);
    return {m_x.root(), screen, m_visualFormats.value(m_x.screen()->root_visual), true, false};
}

// The wallpaper pixmap that desktop setters publish and compositors paint beneath windows.
std::vector<ScreenCapture::Source> ScreenCapture::rootBackground() {
    for (const QByteArray& property :
         {QByteArrayLiteral("_XROOTPMAP_ID"), QByteArrayLiteral("_XSETROOT_ID")}) {
        const auto pixmap = xprop::value(m_x, m_x.root(), property, XCB_ATOM_PIXMAP);
        if (!pixmap || *pixmap == XCB_PIXMAP_NONE) {
            continue;
        }
        const XReply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(m_x.get(), xcb_get_geometry(m_x.get(), *pixmap), nullptr));
        if (geometry && geometry->depth == m_x.screen()->root_depth) {
            return {{*pixmap, QRect(0, 0, geometry->width, geometry->height),
                     m_visualFormats.value(m_x.screen()->root_visual), false, false}};
        }
    }
    return {};
}

// Viewable input-output children of the root over the area, bottom to top.
std::vector<ScreenCapture::TopLevel> ScreenCapture::viewableTopLevels(QRect area) {
    xcb_connection_t* c = m_x.get();
    const XReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, m_x.root()), nullptr));
    if (!tree) {
        return {};
    }
    const xcb_window_t* first = xcb_query_tree_children(tree.get());
    const std::vector<xcb_window_t> children(first,
                                             first + xcb_query_tree_children_length(tree.get()));
    const std::vector<xcb_window_t> own = ownTopLevels(children);

    std::vector<xcb_get_window_attributes_cookie_t> attributeCookies;
    std::vector<xcb_get_geometry_cookie_t> geometryCookies;
    for (const xcb_window_t window : children) {
        attributeCookies.push_back(xcb_get_window_attributes(c, window));
        geometryCookies.push_back(xcb_get_geometry(c, window));
    }
    std::vector<TopLevel> result;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const XReply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, attributeCookies[i], nullptr));
        const XReply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(c, geometryCookies[i], nullptr));
        if (!attributes || !geometry || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
            attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT) {
            continue;
        }
        const QRect rect(geometry->x, geometry->y, geometry->width + 2 * geometry->border_width,
                         geometry->height + 2 * geometry->border_width);
        if (rect.intersects(area)) {
            const bool isOwn = std::find(own.begin(), own.end(), children[i]) != own.end();
            result.push_back({children[i], rect, attributes->visual, isOwn});
        }
    }
    return result;
}

// Override-redirect windows carry our PID themselves; managed ones sit inside a frame.
std::vector<xcb_window_t> ScreenCapture::ownTopLevels(const std::vector<xcb_window_t>& children) {
    std::vector<xcb_window_t> own;
    const std::vector<uint32_t> childPids = xprop::pids(m_x, children);
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (childPids[i] == m_ownPid) {
            own.push_back(children[i]);
        }
    }
    const std::vector<uint32_t> clients =
        xprop::values(m_x, m_x.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    const std::vector<uint32_t> clientPids = xprop::pids(m_x, clients);
    for (std::size_t i = 0; i < clients.size(); ++i) {
        if (clientPids[i] == m_ownPid) {
            own.push_back(xprop::topLevelOf(m_x, clients[i]));
        }
    }
    return own;
}

// The pixmaps the compositor renders the other windows into; none when some window is not
// redirected, as then its contents live only on the screen.
std::optional<std::vector<ScreenCapture::Source>>
ScreenCapture::redirectedPixmaps(const std::vector<TopLevel>& windows) {
    xcb_connection_t* c = m_x.get();
    if (!m_composite) {
        return std::nullopt;
    }
    std::vector<xcb_void_cookie_t> named;
    std::vector<Source> result;
    for (const TopLevel& window : windows) {
        const auto format = m_visualFormats.constFind(window.visual);
        if (window.own || format == m_visualFormats.constEnd()) {
            continue;
        }
        const xcb_pixmap_t pixmap = xcb_generate_id(c);
        named.push_back(xcb_composite_name_window_pixmap_checked(c, window.window, pixmap));
        result.push_back({pixmap, window.geometry, *format, false, true});
    }
    bool allRedirected = true;
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (XReply<xcb_generic_error_t> error{xcb_request_check(c, named[i])}) {
            allRedirected = false;
            result[i].namedPixmap = false;
        }
    }
    if (allRedirected) {
        return result;
    }
    for (const Source& source : result) {
        if (source.namedPixmap) {
            xcb_free_pixmap(c, source.drawable);
        }
    }
    return std::nullopt;
}

void ScreenCapture::draw(xcb_render_picture_t target, QSize targetSize, QRect area,
                         const Source& source) {
    xcb_connection_t* c = m_x.get();
    const double sx = double(area.width()) / targetSize.width();
    const double sy = double(area.height()) / targetSize.height();
    const xcb_render_picture_t picture = xcb_generate_id(c);
    const uint32_t mode = source.includeInferiors ? XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS
                                                  : XCB_SUBWINDOW_MODE_CLIP_BY_CHILDREN;
    xcb_render_create_picture(c, picture, source.drawable, source.format,
                              XCB_RENDER_CP_SUBWINDOW_MODE, &mode);
    // Target pixel centres map to the source's own coordinates.
    const xcb_render_transform_t transform{
        fixed(sx), 0,         fixed(area.x() - source.geometry.x()),
        0,         fixed(sy), fixed(area.y() - source.geometry.y()),
        0,         0,         fixed(1)};
    xcb_render_set_picture_transform(c, picture, transform);
    xcb_render_set_picture_filter(c, picture, 8, "bilinear", 0, nullptr);

    const int left = std::max(0, int(std::floor((source.geometry.left() - area.x()) / sx)));
    const int top = std::max(0, int(std::floor((source.geometry.top() - area.y()) / sy)));
    const int right =
        std::min(targetSize.width(), int(std::ceil((source.geometry.right() + 1 - area.x()) / sx)));
    const int bottom = std::min(targetSize.height(),
                                int(std::ceil((source.geometry.bottom() + 1 - area.y()) / sy)));
    if (right > left && bottom > top) {
        xcb_render_composite(c, XCB_RENDER_PICT_OP_OVER, picture, XCB_RENDER_PICTURE_NONE, target,
                             int16_t(left), int16_t(top), 0, 0, int16_t(left), int16_t(top),
                             uint16_t(right - left), uint16_t(bottom - top));
    }
    xcb_render_free_picture(c, picture);
}

QImage ScreenCapture::read(xcb_pixmap_t pixmap, QSize pixmapSize, QSize size) {
    xcb_connection_t* c = m_x.get();
    const XReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0, 0, uint16_t(pixmapSize.width()),
                      uint16_t(pixmapSize.height()), ~0u),
        nullptr));
    if (!reply ||
        xcb_get_image_data_length(reply.get()) < pixmapSize.width() * pixmapSize.height() * 4) {
        return {};
    }
    const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply.get()));
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const int y0 = y * pixmapSize.height() / size.height();
        const int y1 = std::max(y0 + 1, (y + 1) * pixmapSize.height() / size.height());
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int x0 = x * pixmapSize.width() / size.width();
            const int x1 = std::max(x0 + 1, (x + 1) * pixmapSize.width() / size.width());
            uint64_t r = 0, g = 0, b = 0;
            for (int sy = y0; sy < y1; ++sy) {
                const uint32_t* row = pixels + sy * pixmapSize.width();
                for (int sx = x0; sx < x1; ++sx) {
                    r += qRed(row[sx]);
                    g += qGreen(row[sx]);
                    b += qBlue(row[sx]);
                }
            }
            const uint64_t n = uint64_t(y1 - y0) * uint64_t(x1 - x0);
            line[x] = qRgb(int(r / n), int(g / n), int(b / n));
        }
    }
    return image;
}

} // namespace tessel
