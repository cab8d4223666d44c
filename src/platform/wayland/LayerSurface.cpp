#include "platform/wayland/LayerSurface.h"

#include "platform/wayland/MomentCover.h"
#include "platform/wayland/SeatInput.h"
#include "platform/wayland/ShmBuffer.h"
#include "platform/wayland/ShownPaper.h"
#include "platform/wayland/SurfaceScale.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandOutputs.h"

#include <cmath>
#include <fractional-scale-v1-client.h>
#include <viewporter-client.h>
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
// Long enough to outlast a fade's frames, so that the spare is not made again at every one.
constexpr auto spareBufferKept = std::chrono::seconds(2);

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
    m_spareKept.setSingleShot(true);
    m_spareKept.setInterval(spareBufferKept);
    connect(&m_spareKept, &QTimer::timeout, this, &LayerSurface::dropSpareBuffer);
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

double LayerSurface::ratio() const {
    return m_viewport && m_preferredRatio > 0 ? m_preferredRatio : m_scale;
}

void LayerSurface::setHost(const ScreenInfo& host) {
    m_host = host;
    const int scale = integerScale(host.devicePixelRatio);
    if (m_viewport) {
        m_scale = scale; // the compositor's preferred scale decides
        return;
    }
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
    if (globals.viewporter && globals.fractionalScale) {
        scaleByFractions();
    } else if (wl_surface_get_version(m_surface) >= bufferScaleSince) {
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

// Where the compositor names a fractional scale, buffers are drawn at exactly that many pixels a
// point and a viewport shows them at the surface's size, so scaled outputs stay crisp.
void LayerSurface::scaleByFractions() {
    const WaylandGlobals& globals = m_connection.globals();
    m_viewport = wp_viewporter_get_viewport(globals.viewporter, m_surface);
    m_fractional =
        wp_fractional_scale_manager_v1_get_fractional_scale(globals.fractionalScale, m_surface);
    static const wp_fractional_scale_v1_listener listener = {
        .preferred_scale = &LayerSurface::onPreferredScale,
    };
    wp_fractional_scale_v1_add_listener(m_fractional, &listener, this);
}

void LayerSurface::onPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
    auto* self = static_cast<LayerSurface*>(data);
    const double ratio = scale / fractionalDenominator;
    if (ratio == self->m_preferredRatio) {
        return;
    }
    self->m_preferredRatio = ratio;
    self->m_buffers = {};
    self->update(QRect());
}

void LayerSurface::unmap() {
    if (m_fractional) {
        wp_fractional_scale_v1_destroy(m_fractional);
        m_fractional = nullptr;
    }
    if (m_viewport) {
        wp_viewport_destroy(m_viewport);
        m_viewport = nullptr;
    }
    m_preferredRatio = 0;
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
        if (m_viewport) {
            wp_viewport_set_destination(m_viewport, size.width(), size.height());
        }
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
            buffer = ShmBuffer::create(m_connection.globals().shm, bufferPixels(m_size, ratio()),
                                       [this] { scheduleRender(); });
            if (!buffer) {
                return nullptr;
            }
            buffer->image().setDevicePixelRatio(ratio());
            buffer->stale = bounds();
        }
        if (!buffer->busy) {
            return buffer.get();
        }
    }
    return nullptr;
}

// The spare comes back on the next change, drawn whole.
void LayerSurface::dropSpareBuffer() {
    auto& spare = m_buffers[1 - m_attached];
    if (spare && spare->busy) {
        m_spareKept.start();
    } else {
        spare.reset();
    }
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
            const QRect pixels = bufferDamage(rect, ratio(), buffer->size());
            wl_surface_damage_buffer(m_surface, pixels.x(), pixels.y(), pixels.width(),
                                     pixels.height());
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
    m_spareKept.start();
}

} // namespace tessel
