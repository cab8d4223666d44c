#pragma once

#include "platform/x11/XConnection.h"

#include <QHash>
#include <QImage>
#include <QRect>

#include <vector>
#include <xcb/render.h>

namespace tessel {

class CompositorWatcher;

// A small picture of part of the screen without Tessel's own windows.
//
// Under a compositor every top-level window is redirected into its own pixmap, so the
// screen is rebuilt from those: the root background, then each viewable top-level window
// that is not ours, bottom to top, scaled down and blended on the server with XRender.
// Without a compositor Tessel shows no overlay, and the root window with its children is
// scaled down directly. The server scales to 8× the requested size with bilinear sampling;
// box averaging here takes that to the requested size, so fine detail such as text still
// counts towards the brightness.
class ScreenCapture {
public:
    ScreenCapture(XConnection& x, const CompositorWatcher& compositor, qint64 ownPid);
    ~ScreenCapture();

    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    // The rectangle is in root pixels; a null image when the server cannot do it.
    QImage capture(QRect area, QSize size);

private:
    struct Source {
        xcb_drawable_t drawable;
        QRect geometry;
        xcb_render_pictformat_t format;
        bool includeInferiors;
    };

    bool initialise();
    std::vector<Source> sources(QRect area);
    std::vector<Source> compositedWindows(QRect area);
    std::vector<xcb_window_t> ownTopLevels(const std::vector<xcb_window_t>& children);
    std::vector<Source> rootBackground();
    void draw(xcb_render_picture_t target, QSize targetSize, QRect area, const Source& source);
    QImage read(xcb_pixmap_t pixmap, QSize pixmapSize, QSize size);

    XConnection& m_x;
    const CompositorWatcher& m_compositor;
    qint64 m_ownPid;
    bool m_ready = false;
    xcb_render_pictformat_t m_argbFormat = 0;
    QHash<xcb_visualid_t, xcb_render_pictformat_t> m_visualFormats;
};

} // namespace tessel
