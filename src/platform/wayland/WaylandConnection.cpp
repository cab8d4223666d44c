#include "platform/wayland/WaylandConnection.h"

#include "platform/PlatformLog.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ext-idle-notify-v1-client.h>
#include <fractional-scale-v1-client.h>
#include <kde-idle-client.h>
#include <viewporter-client.h>
#include <wayland-client.h>
#include <wlr-foreign-toplevel-management-unstable-v1-client.h>
#include <wlr-layer-shell-unstable-v1-client.h>
#include <wlr-screencopy-unstable-v1-client.h>
#include <xdg-output-unstable-v1-client.h>

namespace tessel {

namespace {

// The newest version of each interface this code was written against.
constexpr uint32_t compositorVersion = 4;
constexpr uint32_t seatVersion = 5;
constexpr uint32_t outputVersion = 4;
constexpr uint32_t layerShellVersion = 4;
constexpr uint32_t outputManagerVersion = 3;
constexpr uint32_t toplevelsVersion = 3;

template <typename T>
T* bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t offered,
        uint32_t newest) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, newest)));
}

} // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::open() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    connection->roundTrip();
    return connection->isConnected() ? std::move(connection) : nullptr;
}

WaylandConnection::WaylandConnection(wl_display* display)
    : m_display(display)
    , m_registry(wl_display_get_registry(display)) {
    static const wl_registry_listener listener = {.global = &WaylandConnection::onGlobal,
                                                  .global_remove =
                                                      &WaylandConnection::onGlobalRemove};
    wl_registry_add_listener(m_registry, &listener, this);

    m_notifier =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WaylandConnection::readEvents);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &WaylandConnection::dispatchAndFlush);
    }
}

WaylandConnection::~WaylandConnection() {
    m_notifier.reset();
    const auto destroy = [](auto* proxy, auto destroyer) {
        if (proxy) {
            destroyer(proxy);
        }
    };
    destroy(m_globals.fractionalScale, &wp_fractional_scale_manager_v1_destroy);
    destroy(m_globals.viewporter, &wp_viewporter_destroy);
    destroy(m_globals.screencopy, &zwlr_screencopy_manager_v1_destroy);
    destroy(m_globals.toplevels, &zwlr_foreign_toplevel_manager_v1_destroy);
    destroy(m_globals.kdeIdle, &org_kde_kwin_idle_destroy);
    destroy(m_globals.idleNotifier, &ext_idle_notifier_v1_destroy);
    destroy(m_globals.outputManager, &zxdg_output_manager_v1_destroy);
    destroy(m_globals.layerShell, &zwlr_layer_shell_v1_destroy);
    destroy(m_globals.seat, &wl_seat_destroy);
    destroy(m_globals.shm, &wl_shm_destroy);
    destroy(m_globals.compositor, &wl_compositor_destroy);
    wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

void WaylandConnection::onGlobal(void* data, wl_registry* registry, uint32_t name,
                                 const char* interface, uint32_t version) {
    auto* self = static_cast<WaylandConnection*>(data);
    WaylandGlobals& g = self->m_globals;
    const auto is = [interface](const wl_interface& candidate) {
        return std::strcmp(interface, candidate.name) == 0;
    };
    if (is(wl_compositor_interface) && !g.compositor) {
        g.compositor = bind<wl_compositor>(registry, name, wl_compositor_interface, version,
                                           compositorVersion);
    } else if (is(wl_shm_interface) && !g.shm) {
        g.shm = bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    } else if (is(wl_seat_interface) && !g.seat) {
        g.seat = bind<wl_seat>(registry, name, wl_seat_interface, version, seatVersion);
    } else if (is(zwlr_layer_shell_v1_interface)) {
        g.layerShell = bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface,
                                                 version, layerShellVersion);
    } else if (is(zxdg_output_manager_v1_interface)) {
        g.outputManager = bind<zxdg_output_manager_v1>(
            registry, name, zxdg_output_manager_v1_interface, version, outputManagerVersion);
    } else if (is(ext_idle_notifier_v1_interface)) {
        g.idleNotifier =
            bind<ext_idle_notifier_v1>(registry, name, ext_idle_notifier_v1_interface, version, 1);
    } else if (is(org_kde_kwin_idle_interface)) {
        g.kdeIdle =
            bind<org_kde_kwin_idle>(registry, name, org_kde_kwin_idle_interface, version, 1);
    } else if (is(zwlr_foreign_toplevel_manager_v1_interface)) {
        g.toplevels = bind<zwlr_foreign_toplevel_manager_v1>(
            registry, name, zwlr_foreign_toplevel_manager_v1_interface, version, toplevelsVersion);
    } else if (is(zwlr_screencopy_manager_v1_interface)) {
        g.screencopy = bind<zwlr_screencopy_manager_v1>(
            registry, name, zwlr_screencopy_manager_v1_interface, version, 1);
    } else if (is(wp_viewporter_interface)) {
        g.viewporter = bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1);
    } else if (is(wp_fractional_scale_manager_v1_interface)) {
        g.fractionalScale = bind<wp_fractional_scale_manager_v1>(
            registry, name, wp_fractional_scale_manager_v1_interface, version, 1);
    } else if (is(wl_output_interface)) {
        self->m_outputs.insert(name, version);
        Q_EMIT self->outputAdded(name);
    }
}

void WaylandConnection::onGlobalRemove(void* data, wl_registry*, uint32_t name) {
    auto* self = static_cast<WaylandConnection*>(data);
    if (self->m_outputs.remove(name) > 0) {
        Q_EMIT self->outputRemoved(name);
    }
}

wl_output* WaylandConnection::bindOutput(uint32_t name) {
    const auto version = m_outputs.constFind(name);
    if (version == m_outputs.cend()) {
        return nullptr;
    }
    return bind<wl_output>(m_registry, name, wl_output_interface, *version, outputVersion);
}

void WaylandConnection::roundTrip() {
    if (m_connected && wl_display_roundtrip(m_display) < 0) {
        checkError();
    }
}

// The socket is readable, so reading does not block.
void WaylandConnection::readEvents() {
    if (!m_connected) {
        return;
    }
    if (wl_display_prepare_read(m_display) == 0 && wl_display_read_events(m_display) < 0) {
        checkError();
        return;
    }
    dispatchAndFlush();
}

void WaylandConnection::dispatchAndFlush() {
    if (!m_connected) {
        return;
    }
    if (wl_display_dispatch_pending(m_display) < 0) {
        checkError();
        return;
    }
    // A full socket (EAGAIN) is flushed the next time round.
    if (wl_display_flush(m_display) < 0 && errno != EAGAIN) {
        checkError();
    }
}

void WaylandConnection::checkError() {
    const int error = wl_display_get_error(m_display);
    if (error == 0 || !m_connected) {
        return;
    }
    m_connected = false;
    m_notifier->setEnabled(false);
    qCWarning(lcPlatform, "the Wayland compositor closed Tessel's connection: %s",
              std::strerror(error));
    Q_EMIT lost();
}

} // namespace tessel
