#pragma once

#include <QImage>

#include <functional>
#include <list>
#include <memory>

struct wl_output;

namespace tessel {

class WaylandConnection;

// Copies of whole outputs through wlroots' screen copy, into shared memory. Each answer comes
// later from the event loop: the output's pixels, or a null image when the compositor fails.
class ScreenCopy {
public:
    explicit ScreenCopy(WaylandConnection& connection);
    ~ScreenCopy();

    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    bool isAvailable() const;
    void capture(wl_output* output, std::function<void(QImage)> done);

    struct Frame;

private:
    void finish(Frame* frame, QImage image);

    WaylandConnection& m_connection;
    std::list<std::unique_ptr<Frame>> m_frames;
};

} // namespace tessel
