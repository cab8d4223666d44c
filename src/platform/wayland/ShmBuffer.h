#pragma once

#include <QImage>
#include <QRegion>

#include <functional>
#include <memory>

struct wl_buffer;
struct wl_shm;

namespace tessel {

// A premultiplied ARGB buffer in memory shared with the compositor, painted through a QImage
// (or an opaque XRGB one for the compositor to copy the screen into).
// It is busy from attaching until the compositor releases it.
class ShmBuffer {
public:
    // Null when the memory cannot be had. `released` runs whenever the compositor lets go.
    static std::unique_ptr<ShmBuffer> create(wl_shm* shm, QSize pixels,
                                             std::function<void()> released, bool opaque = false);
    ~ShmBuffer();

    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    wl_buffer* buffer() const { return m_buffer; }
    QImage& image() { return m_image; }
    QSize size() const { return m_image.size(); }

    bool busy = false;
    // What changed on screen since this buffer was last drawn, in surface points.
    QRegion stale;

private:
    ShmBuffer(wl_buffer* buffer, uchar* memory, std::size_t bytes, QImage image,
              std::function<void()> released);

    static void onRelease(void* data, wl_buffer* buffer);

    wl_buffer* m_buffer;
    uchar* m_memory;
    std::size_t m_bytes;
    QImage m_image;
    std::function<void()> m_released;
};

} // namespace tessel
