#pragma once

#include "platform/OverlaySurface.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <memory>

struct wl_callback;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct wl_surface;
struct zwlr_layer_surface_v1;

namespace tessel {

class MomentCover;
class SeatInput;
class ShmBuffer;
class ShownPaper;
class WaylandConnection;
class WaylandOutputs;

// An overlay as a layer surface on the overlay layer of one output, anchored to every edge,
// with no exclusive zone. Paper takes no keyboard and has an empty input region, so every click
// passes through; a moment takes the keyboard for itself and hears every key and click, and
// paper leaves the screen while a moment covers it.
// Buffers have the output's integer scale, or its fractional one where the compositor offers
// fractional scales and viewports. Two shared-memory buffers take turns; only what changed is
// redrawn and reported, and frame callbacks pace the redraws of animations. Paper mostly rests,
// so the buffer not on screen is let go once nothing has changed for a while.
class LayerSurface final : public QObject, public OverlaySurface {
    Q_OBJECT

public:
    // The layer surfaces share the outputs, which screens moments cover, and what paper shows.
    struct Shared {
        WaylandConnection& connection;
        WaylandOutputs& outputs;
        MomentCover& cover;
        ShownPaper& paper;
    };

    // Paper, unless `input` and `pressed` make it a moment.
    LayerSurface(const Shared& shared, const ScreenInfo& host, OverlayPaint paint,
                 SeatInput* input = nullptr, std::function<void()> pressed = {});
    ~LayerSurface() override;

    void setHost(const ScreenInfo& host) override;
    void show() override;
    void hide() override;
    bool isVisible() const override { return m_shown; }
    void update(const QRect& area) override;

    const QString& screenId() const { return m_host.id; }
    // What the compositor was last given to show, or null while nothing shows.
    const QImage* shownPixels() const;

private:
    static void onConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                            uint32_t height);
    static void onClosed(void* data, zwlr_layer_surface_v1* layer);
    static void onFrameDone(void* data, wl_callback* callback, uint32_t time);
    static void onPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale);

    bool isMoment() const { return m_input != nullptr; }
    void map();
    void scaleByFractions();
    // Buffer pixels a surface point.
    double ratio() const;
    void unmap();
    void configure(uint32_t serial, QSize size);
    void scheduleRender();
    void render();
    ShmBuffer* freeBuffer();
    void dropSpareBuffer();
    QRect bounds() const { return QRect(QPoint(0, 0), m_size); }

    WaylandConnection& m_connection;
    WaylandOutputs& m_outputs;
    MomentCover& m_cover;
    ShownPaper& m_paper;
    ScreenInfo m_host;
    OverlayPaint m_paint;
    SeatInput* m_input;
    std::function<void()> m_pressed;
    bool m_shown = false;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layer = nullptr;
    wl_callback* m_frame = nullptr;
    QSize m_size;
    int m_scale = 1;
    wp_viewport* m_viewport = nullptr;
    wp_fractional_scale_v1* m_fractional = nullptr;
    // The compositor's fractional scale; none (0) until it names one.
    double m_preferredRatio = 0;
    bool m_configured = false;
    bool m_renderQueued = false;
    QRegion m_damage;
    std::array<std::unique_ptr<ShmBuffer>, 2> m_buffers;
    // Which of the buffers was attached last.
    std::size_t m_attached = 0;
    QTimer m_spareKept;
};

} // namespace tessel
