// Moves KWin's pointer thirty times a second, or clicks, through KWin's fake input, which the
// headless KWin of the checks grants to any client:
//   fake_pointer move SECONDS WIDTH HEIGHT | fake_pointer click
// Built by the scripts that use it, from the protocol file of plasma-wayland-protocols.
#include "fake-input-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

enum { movesPerSecond = 30, step = 37, margin = 60, leftButton = 0x110, pressed = 1 };

static struct org_kde_kwin_fake_input* fakeInput;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3) {
        fakeInput = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3);
    }
}

static void globalRemove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {global, globalRemove};

// Paced by the clock, not by KWin's answers, so a busy KWin does not slow the moves down.
static void move(struct wl_display* display, int seconds, int width, int height) {
    const long pause = 1000000000L / movesPerSecond;
    struct timespec next;
    clock_gettime(CLOCK_MONOTONIC, &next);
    // Across the screen and down its middle half, as a reader's eyes go.
    for (int i = 0; i < seconds * movesPerSecond; ++i) {
        const int x = margin + (i * step) % (width - 2 * margin);
        const int y = height / 4 + x * height / (2 * width);
        org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput, wl_fixed_from_int(x),
                                                        wl_fixed_from_int(y));
        wl_display_flush(display);
        next.tv_nsec += pause;
        if (next.tv_nsec >= 1000000000L) {
            next.tv_nsec -= 1000000000L;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, NULL);
    }
}

int main(int argc, char** argv) {
    const int moving = argc == 5 && strcmp(argv[1], "move") == 0;
    const int width = moving ? atoi(argv[3]) : 0;
    if (!(moving && width > 2 * margin) && !(argc == 2 && strcmp(argv[1], "click") == 0)) {
        fprintf(stderr, "usage: fake_pointer move SECONDS WIDTH HEIGHT | fake_pointer click\n");
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "fake_pointer: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, NULL);
    wl_display_roundtrip(display);
    if (!fakeInput) {
        fprintf(stderr, "fake_pointer: the compositor offers no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "fake_pointer", "checking Tessel");
    if (moving) {
        move(display, atoi(argv[2]), width, atoi(argv[4]));
    } else {
        org_kde_kwin_fake_input_button(fakeInput, leftButton, pressed);
        org_kde_kwin_fake_input_button(fakeInput, leftButton, !pressed);
    }
    const int failed = wl_display_roundtrip(display) < 0;
    wl_display_disconnect(display);
    return failed;
}
