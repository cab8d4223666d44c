#include "platform/wayland/SeatInput.h"

#include "platform/wayland/WaylandConnection.h"

#include <unistd.h>
#include <wayland-client.h>

namespace tessel {

namespace {

SeatInput& inputOf(void* data) {
    return *static_cast<SeatInput*>(data);
}

void onCapabilities(void* data, wl_seat*, uint32_t capabilities) {
    inputOf(data).capabilities(capabilities);
}

void onSeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener seatListener = {.capabilities = onCapabilities, .name = onSeatName};

// Nothing reads the keymap: any key will do.
void onKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) {
    close(fd);
}

using Device = SeatInput::Device;

void onKeyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
    inputOf(data).focus(Device::keyboard, surface);
}

void onKeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
    inputOf(data).focus(Device::keyboard, nullptr);
}

void onKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
        inputOf(data).press(Device::keyboard);
    }
}

void onModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}

void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

const wl_keyboard_listener keyboardListener = {
    .keymap = onKeymap,
    .enter = onKeyboardEnter,
    .leave = onKeyboardLeave,
    .key = onKey,
    .modifiers = onModifiers,
    .repeat_info = onRepeatInfo,
};

void onPointerEnter(void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t,
                    wl_fixed_t) {
    inputOf(data).focus(Device::pointer, surface);
}

void onPointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
    inputOf(data).focus(Device::pointer, nullptr);
}

void onMotion(void*, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t) {}

void onButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    if (state == WL_POINTER_BUTTON_STATE_PRESSED) {
        inputOf(data).press(Device::pointer);
    }
}

void onAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void onFrame(void*, wl_pointer*) {}
void onAxisSource(void*, wl_pointer*, uint32_t) {}
void onAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void onAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_pointer_listener pointerListener = {
    .enter = onPointerEnter,
    .leave = onPointerLeave,
    .motion = onMotion,
    .button = onButton,
    .axis = onAxis,
    .frame = onFrame,
    .axis_source = onAxisSource,
    .axis_stop = onAxisStop,
    .axis_discrete = onAxisDiscrete,
    .axis_value120 = nullptr,
};

} // namespace

SeatInput::SeatInput(WaylandConnection& connection)
    : m_connection(connection) {
    if (wl_seat* seat = connection.globals().seat) {
        wl_seat_add_listener(seat, &seatListener, this);
    }
}

SeatInput::~SeatInput() {
    if (m_keyboard) {
        wl_keyboard_release(m_keyboard);
    }
    if (m_pointer) {
        wl_pointer_release(m_pointer);
    }
}

void SeatInput::capabilities(uint32_t capabilities) {
    wl_seat* seat = m_connection.globals().seat;
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !m_keyboard) {
        m_keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(m_keyboard, &keyboardListener, this);
    }
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !m_pointer) {
        m_pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(m_pointer, &pointerListener, this);
    }
}

void SeatInput::listen(wl_surface* surface, std::function<void()> pressed) {
    m_listeners[surface] = std::move(pressed);
}

void SeatInput::forget(wl_surface* surface) {
    m_listeners.erase(surface);
    for (auto& [device, focused] : m_focus) {
        if (focused == surface) {
            focused = nullptr;
        }
    }
}

void SeatInput::focus(Device device, wl_surface* surface) {
    m_focus[device] = surface;
}

void SeatInput::press(Device device) {
    const auto it = m_listeners.find(m_focus[device]);
    if (it != m_listeners.end()) {
        // A copy: the handler may well close the surface it belongs to.
        const std::function<void()> pressed = it->second;
        pressed();
    }
}

} // namespace tessel
