#pragma once

#include "platform/x11/XConnection.h"

#include <QHash>
#include <QImage>
#include <QRect>

#include <optional>
#include <vector>
#include <xcb/render.h>

namespace tessel {

// A small picture of part of the screen without Tessel's own windows.
//
// A compositor redirects every top-level window into its own pixmap, so the screen is
// rebuilt from those: the root background, then each viewable top-level window that is not
// ours, bottom to top, scaled down and blended on the server with XRender. Where nothing is
// redirected (no compositor, or one that has unredirected a full-screen window) the root
// with its children is scaled down directly, which is only right while none of our windows
// shows there; otherwise the capture fails. The server scales to 8× the requested size with
// bilinear sampling and box averaging here takes that to the requested size, so fine detail
// such as text still counts towards the brightness.
class ScreenCapture {
public:
    ScreenCapture(XConnection& x, qint64 ownPid);
    ~ScreenCapture();

    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    // The rectangle is in root pixels; `composited` is whether a compositor runs. A null image
    // when the server cannot do it.
    QImage capture(QRect area, QSize size, bool composited);

private:
    struct TopLevel {
        xcb_window_t window;
        QRect geometry;
        xcb_visualid_t visual;
        bool own;
    };

    struct Source {
        xcb_drawable_t drawable;
        QRect geometry;
        xcb_render_pictformat_t format;
        bool includeInferiors;
        bool namedPixmap;
    };

    bool initialise();
    std::optional<std::vector<Source>> sources(QRect area, bool composited);
    std::vector<TopLevel> viewableTopLevels(QRect area);
    std::vector<xcb_window_t> ownTopLevels(const std::vector<xcb_window_t>& children);
    std::optional<std::vector<Source>> redirectedPixmaps(const std::vector<TopLevel>& windows);
    Source rootWithChildren() const;
    std::vector<Source> rootBackground();
    void draw(xcb_render_picture_t target, QSize targetSize, QRect area, const Source& source);
    QImage read(xcb_pixmap_t pixmap, QSize pixmapSize, QSize size);

    XConnection& m_x;
    qint64 m_ownPid;
    bool m_ready = false;
    bool m_composite = false;
    xcb_render_pictformat_t m_argbFormat = 0;
    QHash<xcb_visualid_t, xcb_render_pictformat_t> m_visualFormats;
};

} // namespace tessel
