#include "platform/wayland/LayerSurface.h"

#include "platform/wayland/MomentCover.h"
#include "platform/wayland/SeatInput.h"
#include "platform/wayland/ShmBuffer.h"
#include "platform/wayland/ShownPaper.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandOutputs.h"

#include <cmath>
#include <wayland-client.h>
#include <wlr-layer-shell-unstable-v1-client.h>

namespace tessel {

namespace {

constexpr char paperNamespace[] = "tessel-paper";
constexpr char momentNamespace[] = "tessel-moment";
constexpr uint32_t allEdges =
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
// Not moved by panels, and not moving them.
constexpr int32_t ignoreExclusiveZones = -1;
constexpr uint32_t bufferScaleSince = 3;
constexpr uint32_t damageBufferSince = 4;

int integerScale(qreal devicePixelRatio) {
    return std::max(1, static_cast<int>(std::ceil(devicePixelRatio)));
}

} // namespace

LayerSurface::LayerSurface(const Shared& shared, const ScreenInfo& host, OverlayPaint paint,
                           SeatInput* input, std::function<void()> pressed)
    : m_connection(shared.connection)
    , m_outputs(shared.outputs)
    , m_cover(shared.cover)
    , m_paper(shared.paper)
    , m_host(host)
    , m_paint(std::move(paint))
    , m_input(pressed ? input : nullptr)
    , m_pressed(std::move(pressed))
    , m_scale(integerScale(host.devicePixelRatio)) {
    if (!isMoment()) {
        m_paper.add(this);
        connect(&m_cover, &MomentCover::changed, this, [this](const QString& screenId) {
            if (screenId != m_host.id || !m_shown) {
                return;
            }
            if (m_cover.covers(screenId)) {
                unmap();
            } else {
                map();
            }
        });
    }
}

LayerSurface::~LayerSurface() {
    m_paper.remove(this);
    unmap();
}

const QImage* LayerSurface::shownPixels() const {
    const auto& buffer = m_buffers[m_attached];
    return m_layer && m_configured && buffer ? &buffer->image() : nullptr;
}

void LayerSurface::setHost(const ScreenInfo& host) {
    m_host = host;
    const int scale = integerScale(host.devicePixelRatio);
    if (scale == m_scale) {
        return;
    }
    m_scale = scale;
    m_buffers = {};
    if (m_surface && wl_surface_get_version(m_surface) >= bufferScaleSince) {
        wl_surface_set_buffer_scale(m_surface, m_scale);
    }
    update(QRect());
}

void LayerSurface::show() {
    m_shown = true;
    if (isMoment() || !m_cover.covers(m_host.id)) {
        map();
    }
}

void LayerSurface::hide() {
    m_shown = false;
    unmap();
    // A hidden overlay keeps no pixels.
    m_buffers = {};
}

void LayerSurface::map() {
    const WaylandGlobals& globals = m_connection.globals();
    wl_output* output = m_outputs.output(m_host.id);
    if (m_layer || !output || !globals.compositor || !globals.layerShell) {
        return;
    }
    m_surface = wl_compositor_create_surface(globals.compositor);
    if (isMoment()) {
        m_input->listen(m_surface, m_pressed);
        m_cover.add(m_host.id);
    } else {
        wl_region* nothing = wl_compositor_create_region(globals.compositor);
        wl_surface_set_input_region(m_surface, nothing);
        wl_region_destroy(nothing);
    }
    if (wl_surface_get_version(m_surface) >= bufferScaleSince) {
        wl_surface_set_buffer_scale(m_surface, m_scale);
    }
    m_layer = zwlr_layer_shell_v1_get_layer_surface(globals.layerShell, m_surface, output,
                                                    ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
                                                    isMoment() ? momentNamespace : paperNamespace);
    static const zwlr_layer_surface_v1_listener listener = {
        .configure = &LayerSurface::onConfigure,
        .closed = &LayerSurface::onClosed,
    };
    zwlr_layer_surface_v1_add_listener(m_layer, &listener, this);
    zwlr_layer_surface_v1_set_anchor(m_layer, allEdges);
    zwlr_layer_surface_v1_set_exclusive_zone(m_layer, ignoreExclusiveZones);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        m_layer, isMoment() ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                            : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    // The first commit carries no buffer: it asks for the size.
    wl_surface_commit(m_surface);
}

void LayerSurface::unmap() {
    if (m_frame) {
        wl_callback_destroy(m_frame);
        m_frame = nullptr;
    }
    if (m_layer) {
        zwlr_layer_surface_v1_destroy(m_layer);
        m_layer = nullptr;
    }
    if (m_surface) {
        if (isMoment()) {
            m_input->forget(m_surface);
            m_cover.remove(m_host.id);
        }
        wl_surface_destroy(m_surface);
        m_surface = nullptr;
    }
    m_configured = false;
    m_damage = QRegion();
}

void LayerSurface::onConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                               uint32_t height) {
    static_cast<LayerSurface*>(data)->configure(
        serial, QSize(static_cast<int>(width), static_cast<int>(height)));
}

void LayerSurface::configure(uint32_t serial, QSize size) {
    zwlr_layer_surface_v1_ack_configure(m_layer, serial);
    if (size != m_size || !m_configured) {
        m_size = size;
        m_buffers = {};
        m_damage = bounds();
    }
    m_configured = true;
    render();
}

void LayerSurface::onClosed(void* data, zwlr_layer_surface_v1*) {
    static_cast<LayerSurface*>(data)->hide();
}

void LayerSurface::onFrameDone(void* data, wl_callback* callback, uint32_t) {
    auto* self = static_cast<LayerSurface*>(data);
    wl_callback_destroy(callback);
    self->m_frame = nullptr;
    self->render();
}

void LayerSurface::update(const QRect& area) {
    if (!m_layer) {
        return;
    }
    m_damage |= area.isNull() ? bounds() : area & bounds();
    scheduleRender();
}

// Everything asked for in one turn of the event loop goes into one frame.
void LayerSurface::scheduleRender() {
    if (m_renderQueued) {
        return;
    }
    m_renderQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_renderQueued = false;
            render();
        },
        Qt::QueuedConnection);
}

ShmBuffer* LayerSurface::freeBuffer() {
    for (auto& buffer : m_buffers) {
        if (!buffer) {
            buffer = ShmBuffer::create(m_connection.globals().shm, m_size * m_scale,
                                       [this] { scheduleRender(); });
            if (!buffer) {
                return nullptr;
            }
            buffer->image().setDevicePixelRatio(m_scale);
            buffer->stale = bounds();
        }
        if (!buffer->busy) {
            return buffer.get();
        }
    }
    return nullptr;
}

void LayerSurface::render() {
    if (!m_configured || m_frame || m_damage.isEmpty() || m_size.isEmpty()) {
        return;
    }
    ShmBuffer* buffer = freeBuffer();
    if (!buffer) {
        return; // painted when a buffer comes back
    }
    const QRegion region = (m_damage | buffer->stale) & bounds();
    {
        QPainter painter(&buffer->image());
        painter.setClipRegion(region);
        m_paint(painter, region);
    }
    for (auto& other : m_buffers) {
        if (other && other.get() != buffer) {
            other->stale |= m_damage;
        }
    }
    buffer->stale = QRegion();
    m_attached = static_cast<std::size_t>(buffer == m_buffers[1].get());
    wl_surface_attach(m_surface, buffer->buffer(), 0, 0);
    for (const QRect& rect : m_damage) {
        if (wl_surface_get_version(m_surface) >= damageBufferSince) {
            wl_surface_damage_buffer(m_surface, rect.x() * m_scale, rect.y() * m_scale,
                                     rect.width() * m_scale, rect.height() * m_scale);
        } else {
            wl_surface_damage(m_surface, rect.x(), rect.y(), rect.width(), rect.height());
        }
    }
    m_damage = QRegion();
    static const wl_callback_listener frameListener = {.done = &LayerSurface::onFrameDone};
    m_frame = wl_surface_frame(m_surface);
    wl_callback_add_listener(m_frame, &frameListener, this);
    wl_surface_commit(m_surface);
    buffer->busy = true;
}

} // namespace tessel
