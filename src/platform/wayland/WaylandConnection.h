#pragma once

#include <QMap>
#include <QObject>

#include <cstdint>
#include <memory>

struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct wl_compositor;
struct wl_display;
struct wl_output;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wp_fractional_scale_manager_v1;
struct wp_viewporter;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_layer_shell_v1;
struct zwlr_screencopy_manager_v1;
struct zxdg_output_manager_v1;

class QSocketNotifier;

namespace tessel {

// The globals Tessel binds; null where the compositor offers none.
struct WaylandGlobals {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    zxdg_output_manager_v1* outputManager = nullptr;
    ext_idle_notifier_v1* idleNotifier = nullptr;
    org_kde_kwin_idle* kdeIdle = nullptr;
    zwlr_foreign_toplevel_manager_v1* toplevels = nullptr;
    zwlr_screencopy_manager_v1* screencopy = nullptr;
    wp_viewporter* viewporter = nullptr;
    wp_fractional_scale_manager_v1* fractionalScale = nullptr;
};

// Tessel's own connection to the compositor, independent of whichever platform Qt uses.
// Events are read from the display's socket in Qt's event loop, and requests are flushed
// before the loop sleeps.
class WaylandConnection final : public QObject {
    Q_OBJECT

public:
    // The compositor named by WAYLAND_DISPLAY with its globals bound, or null without one.
    static std::unique_ptr<WaylandConnection> open();
    ~WaylandConnection() override;

    wl_display* display() const { return m_display; }
    const WaylandGlobals& globals() const { return m_globals; }
    // Whether the connection still stands; the compositor may close it at any time.
    bool isConnected() const { return m_connected; }

    // The outputs the compositor announced, by global name; bound by whoever shows them.
    QList<uint32_t> outputNames() const { return m_outputs.keys(); }
    wl_output* bindOutput(uint32_t name);

    // Sends what is queued and waits until the compositor has answered all of it.
    void roundTrip();

Q_SIGNALS:
    void outputAdded(uint32_t name);
    void outputRemoved(uint32_t name);
    void lost();

private:
    explicit WaylandConnection(wl_display* display);

    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, uint32_t name);

    void readEvents();
    void dispatchAndFlush();
    void checkError();

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    WaylandGlobals m_globals;
    QMap<uint32_t, uint32_t> m_outputs; // global name → version offered
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_connected = true;
};

} // namespace tessel
