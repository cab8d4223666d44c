// A native Wayland window for tests: full screen, one solid colour, under the app id given.
// Prints "ready" once shown, "click X Y" for every pointer button pressed on it and "key" for
// every key pressed while it has the keyboard. A headless
// compositor has no pointer, so it plugs a virtual one in for the seat's cursor to drive.
//   solid_window APP_ID RRGGBB
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client.h>
#include <xdg-shell-client.h>

namespace {

constexpr int bytesPerPixel = 4;
constexpr uint32_t opaque = 0xff000000;
constexpr uint32_t pressed = 1;
// Until the compositor says how large a full-screen window is.
constexpr int firstWidth = 640;
constexpr int firstHeight = 480;

struct Window {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    xdg_wm_base* shell = nullptr;
    zwlr_virtual_pointer_manager_v1* virtualPointers = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* shellSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_pointer* pointer = nullptr;
    wl_keyboard* keyboard = nullptr;
    uint32_t colour = 0;
    int width = firstWidth;
    int height = firstHeight;
    double pointerX = 0;
    double pointerY = 0;
    bool shown = false;
    bool closed = false;
};

wl_buffer* solidBuffer(Window& w) {
    const int stride = w.width * bytesPerPixel;
    const auto bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(w.height);
    const int fd = memfd_create("solid-window", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) < 0) {
        std::exit(EXIT_FAILURE);
    }
    auto* pixels =
        static_cast<uint32_t*>(mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    for (std::size_t i = 0; i < bytes / bytesPerPixel; ++i) {
        pixels[i] = opaque | w.colour;
    }
    munmap(pixels, bytes);
    wl_shm_pool* pool = wl_shm_create_pool(w.shm, fd, static_cast<int32_t>(bytes));
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, w.width, w.height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto& w = *static_cast<Window*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        w.compositor = static_cast<wl_compositor*>(
            wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        w.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        w.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
        w.shell =
            static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        w.virtualPointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}

void onGlobalRemove(void*, wl_registry*, uint32_t) {}

void onPing(void*, xdg_wm_base* shell, uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
}

void onToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
    auto& w = *static_cast<Window*>(data);
    if (width > 0 && height > 0) {
        w.width = width;
        w.height = height;
    }
}

void onToplevelClose(void* data, xdg_toplevel*) {
    static_cast<Window*>(data)->closed = true;
}

void onSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    auto& w = *static_cast<Window*>(data);
    xdg_surface_ack_configure(surface, serial);
    wl_surface_attach(w.surface, solidBuffer(w), 0, 0);
    wl_surface_damage_buffer(w.surface, 0, 0, w.width, w.height);
    wl_surface_commit(w.surface);
    if (!w.shown) {
        w.shown = true;
        std::printf("ready\n");
        std::fflush(stdout);
    }
}

void onMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    auto& w = *static_cast<Window*>(data);
    w.pointerX = wl_fixed_to_double(x);
    w.pointerY = wl_fixed_to_double(y);
}

void onEnter(void* data, wl_pointer* pointer, uint32_t, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
    onMotion(data, pointer, 0, x, y);
}

void onLeave(void*, wl_pointer*, uint32_t, wl_surface*) {}

void onButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    const auto& w = *static_cast<Window*>(data);
    if (state == pressed) {
        std::printf("click %d %d\n", static_cast<int>(w.pointerX), static_cast<int>(w.pointerY));
        std::fflush(stdout);
    }
}

void onAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void onFrame(void*, wl_pointer*) {}
void onAxisSource(void*, wl_pointer*, uint32_t) {}
void onAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void onAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_registry_listener registryListener = {.global = onGlobal, .global_remove = onGlobalRemove};
const xdg_wm_base_listener shellListener = {.ping = onPing};
const xdg_toplevel_listener toplevelListener = {.configure = onToplevelConfigure,
                                                .close = onToplevelClose,
                                                .configure_bounds = nullptr,
                                                .wm_capabilities = nullptr};
const xdg_surface_listener surfaceListener = {.configure = onSurfaceConfigure};
const wl_pointer_listener pointerListener = {.enter = onEnter,
                                             .leave = onLeave,
                                             .motion = onMotion,
                                             .button = onButton,
                                             .axis = onAxis,
                                             .frame = onFrame,
                                             .axis_source = onAxisSource,
                                             .axis_stop = onAxisStop,
                                             .axis_discrete = onAxisDiscrete,
                                             .axis_value120 = nullptr};

void onKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) {
    close(fd);
}

void onKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void onKeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}

void onKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
        std::printf("key\n");
        std::fflush(stdout);
    }
}

void onModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

const wl_keyboard_listener keyboardListener = {.keymap = onKeymap,
                                               .enter = onKeyboardEnter,
                                               .leave = onKeyboardLeave,
                                               .key = onKey,
                                               .modifiers = onModifiers,
                                               .repeat_info = onRepeatInfo};

void onCapabilities(void* data, wl_seat* seat, uint32_t capabilities) {
    auto& w = *static_cast<Window*>(data);
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !w.keyboard) {
        w.keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(w.keyboard, &keyboardListener, &w);
    }
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !w.pointer) {
        w.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(w.pointer, &pointerListener, &w);
    }
}

void onSeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener seatListener = {.capabilities = onCapabilities, .name = onSeatName};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: solid_window APP_ID RRGGBB\n");
        return EXIT_FAILURE;
    }
    Window w;
    w.colour = static_cast<uint32_t>(std::stoul(argv[2], nullptr, 16));
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "no Wayland display\n");
        return EXIT_FAILURE;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &w);
    wl_display_roundtrip(display);
    if (!w.compositor || !w.shm || !w.shell) {
        std::fprintf(stderr, "the compositor lacks what a window needs\n");
        return EXIT_FAILURE;
    }
    xdg_wm_base_add_listener(w.shell, &shellListener, nullptr);
    if (w.seat) {
        wl_seat_add_listener(w.seat, &seatListener, &w);
        if (w.virtualPointers) {
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(w.virtualPointers, w.seat);
        }
    }
    w.surface = wl_compositor_create_surface(w.compositor);
    w.shellSurface = xdg_wm_base_get_xdg_surface(w.shell, w.surface);
    xdg_surface_add_listener(w.shellSurface, &surfaceListener, &w);
    w.toplevel = xdg_surface_get_toplevel(w.shellSurface);
    xdg_toplevel_add_listener(w.toplevel, &toplevelListener, &w);
    xdg_toplevel_set_app_id(w.toplevel, argv[1]);
    xdg_toplevel_set_fullscreen(w.toplevel, nullptr);
    wl_surface_commit(w.surface);
    while (!w.closed && wl_display_dispatch(display) >= 0) {
    }
    wl_display_disconnect(display);
    return EXIT_SUCCESS;
}
