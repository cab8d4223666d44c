#pragma once

#include <cstdint>
#include <functional>
#include <map>

struct wl_keyboard;
struct wl_pointer;
struct wl_surface;

namespace tessel {

class WaylandConnection;

// The seat's keyboard and pointer over Tessel's own surfaces: a key or button pressed while
// one of them has the focus runs what that surface registered. Keys are not interpreted.
class SeatInput {
public:
    explicit SeatInput(WaylandConnection& connection);
    ~SeatInput();

    SeatInput(const SeatInput&) = delete;
    SeatInput& operator=(const SeatInput&) = delete;

    void listen(wl_surface* surface, std::function<void()> pressed);
    void forget(wl_surface* surface);

    // Entry points for the protocol listeners.
    void capabilities(uint32_t capabilities);
    enum class Device { keyboard, pointer };
    void focus(Device device, wl_surface* surface);
    void press(Device device);

private:
    WaylandConnection& m_connection;
    wl_keyboard* m_keyboard = nullptr;
    wl_pointer* m_pointer = nullptr;
    std::map<Device, wl_surface*> m_focus;
    std::map<wl_surface*, std::function<void()>> m_listeners;
};

} // namespace tessel
