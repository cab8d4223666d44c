#include "platform/wayland/ShmBuffer.h"

#include "platform/PlatformLog.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace tessel {

namespace {

constexpr int bytesPerPixel = 4;

} // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::create(wl_shm* shm, QSize pixels,
                                             std::function<void()> released, bool opaque) {
    if (!shm || pixels.isEmpty()) {
        return nullptr;
    }
    const int stride = pixels.width() * bytesPerPixel;
    const auto bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(pixels.height());
    const int fd = memfd_create("tessel-overlay", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) < 0) {
        qCWarning(lcPlatform, "no shared memory for a %dx%d overlay buffer", pixels.width(),
                  pixels.height());
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(bytes));
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, pixels.width(), pixels.height(), stride,
                                  opaque ? WL_SHM_FORMAT_XRGB8888 : WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    // ARGB8888 is premultiplied, in native byte order: Qt's ARGB32_Premultiplied; XRGB8888
    // is Qt's RGB32.
    QImage image(static_cast<uchar*>(memory), pixels.width(), pixels.height(), stride,
                 opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    return std::unique_ptr<ShmBuffer>(new ShmBuffer(buffer, static_cast<uchar*>(memory), bytes,
                                                    std::move(image), std::move(released)));
}

ShmBuffer::ShmBuffer(wl_buffer* buffer, uchar* memory, std::size_t bytes, QImage image,
                     std::function<void()> released)
    : m_buffer(buffer)
    , m_memory(memory)
    , m_bytes(bytes)
    , m_image(std::move(image))
    , m_released(std::move(released)) {
    static const wl_buffer_listener listener = {.release = &ShmBuffer::onRelease};
    wl_buffer_add_listener(m_buffer, &listener, this);
}

ShmBuffer::~ShmBuffer() {
    m_image = QImage();
    wl_buffer_destroy(m_buffer);
    munmap(m_memory, m_bytes);
}

void ShmBuffer::onRelease(void* data, wl_buffer*) {
    auto* self = static_cast<ShmBuffer*>(data);
    self->busy = false;
    if (self->m_released) {
        self->m_released();
    }
}

} // namespace tessel
