#include "platform/wayland/ScreenCopy.h"

#include "platform/PlatformLog.h"
#include "platform/wayland/ShmBuffer.h"
#include "platform/wayland/WaylandConnection.h"

#include <QMetaObject>

#include <algorithm>
#include <wayland-client.h>
#include <wlr-screencopy-unstable-v1-client.h>

namespace tessel {

namespace {

constexpr int bytesPerPixel = 4;
// Tessel draws no cursor of its own to include.
constexpr int32_t withoutCursor = 0;

} // namespace

struct ScreenCopy::Frame {
    ScreenCopy* owner;
    zwlr_screencopy_frame_v1* proxy;
    std::function<void(QImage)> done;
    std::unique_ptr<ShmBuffer> buffer;
    bool upsideDown = false;

    ~Frame() { zwlr_screencopy_frame_v1_destroy(proxy); }

    static Frame& of(void* data) { return *static_cast<Frame*>(data); }

    static void onBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width,
                         uint32_t height, uint32_t stride) {
        Frame& frame = of(data);
        const QSize size(static_cast<int>(width), static_cast<int>(height));
        const bool known = format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888;
        if (known && stride == width * bytesPerPixel) {
            frame.buffer = ShmBuffer::create(frame.owner->m_connection.globals().shm, size, {},
                                             format == WL_SHM_FORMAT_XRGB8888);
        }
        if (!frame.buffer) {
            qCWarning(lcPlatform, "cannot take a screen copy in format %#x", format);
            frame.owner->finish(&frame, {});
            return;
        }
        zwlr_screencopy_frame_v1_copy(frame.proxy, frame.buffer->buffer());
    }

    static void onFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
        of(data).upsideDown = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
    }

    static void onReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
        Frame& frame = of(data);
        // A copy of its own: the shared memory goes with the frame.
        QImage image = frame.buffer->image().convertToFormat(QImage::Format_RGB32).copy();
        if (frame.upsideDown) {
            image.mirror(false, true);
        }
        frame.owner->finish(&frame, std::move(image));
    }

    static void onFailed(void* data, zwlr_screencopy_frame_v1*) {
        of(data).owner->finish(&of(data), {});
    }
};

ScreenCopy::ScreenCopy(WaylandConnection& connection)
    : m_connection(connection) {}

ScreenCopy::~ScreenCopy() = default;

bool ScreenCopy::isAvailable() const {
    return m_connection.globals().screencopy && m_connection.globals().shm;
}

void ScreenCopy::capture(wl_output* output, std::function<void(QImage)> done) {
    if (!isAvailable() || !output) {
        // Answered later all the same, as a copy would be.
        QMetaObject::invokeMethod(
            &m_connection, [done = std::move(done)] { done({}); }, Qt::QueuedConnection);
        return;
    }
    static const zwlr_screencopy_frame_v1_listener listener = {
        .buffer = &Frame::onBuffer,
        .flags = &Frame::onFlags,
        .ready = &Frame::onReady,
        .failed = &Frame::onFailed,
    };
    auto* proxy = zwlr_screencopy_manager_v1_capture_output(m_connection.globals().screencopy,
                                                            withoutCursor, output);
    // Made in place: a moved-from frame would destroy the proxy too.
    auto& frame = m_frames.emplace_back(
        std::unique_ptr<Frame>(new Frame{this, proxy, std::move(done), nullptr, false}));
    zwlr_screencopy_frame_v1_add_listener(proxy, &listener, frame.get());
}

void ScreenCopy::finish(Frame* frame, QImage image) {
    const auto it = std::find_if(m_frames.begin(), m_frames.end(),
                                 [frame](const auto& f) { return f.get() == frame; });
    if (it == m_frames.end()) {
        return;
    }
    const auto done = std::move((*it)->done);
    m_frames.erase(it);
    done(std::move(image));
}

} // namespace tessel
