// A native Wayland window for tests: full screen, one solid colour, under the app id given.
// Prints "ready" once painted, "click X Y" for every pointer button pressed on it and "key" for
// every key but a modifier pressed while it has the keyboard. A headless compositor has no
// pointer, so where the compositor lets clients make one, it plugs a virtual one in for the
// seat's cursor to drive.
//   solid_window APP_ID RRGGBB
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>

#include <cstdio>
#include <cstring>
#include <utility>
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client.h>

namespace {

void say(const char* line) {
    std::puts(line);
    std::fflush(stdout);
}

class SolidWindow : public QRasterWindow {
public:
    explicit SolidWindow(QColor colour)
        : m_colour(colour) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_colour);
        if (!std::exchange(m_painted, true)) {
            say("ready");
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        say(QStringLiteral("click %1 %2").arg(at.x()).arg(at.y()).toLatin1().constData());
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (!(key >= Qt::Key_Shift && key <= Qt::Key_Alt) && key != Qt::Key_Super_L &&
            key != Qt::Key_Super_R) {
            say("key");
        }
    }

private:
    QColor m_colour;
    bool m_painted = false;
};

struct Seat {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto& s = *static_cast<Seat*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        s.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        s.pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}

void onGlobalRemove(void*, wl_registry*, uint32_t) {}

// A connection of its own that holds the virtual pointer for as long as the window lives.
wl_display* plugInAPointer() {
    static const wl_registry_listener listener = {.global = onGlobal,
                                                  .global_remove = onGlobalRemove};
    wl_display* display = wl_display_connect(nullptr);
    Seat seat;
    if (display) {
        wl_registry_add_listener(wl_display_get_registry(display), &listener, &seat);
        wl_display_roundtrip(display);
    }
    if (seat.seat && seat.pointers) {
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(seat.pointers, seat.seat);
        wl_display_roundtrip(display);
    }
    return display;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: solid_window APP_ID RRGGBB\n");
        return EXIT_FAILURE;
    }
    qputenv("QT_QPA_PLATFORM", "wayland");
    QGuiApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(argv[1]));
    wl_display* pointer = plugInAPointer();
    SolidWindow window(QColor(u'#' + QString::fromLatin1(argv[2])));
    window.showFullScreen();
    const int status = QGuiApplication::exec();
    if (pointer) {
        wl_display_disconnect(pointer);
    }
    return status;
}
