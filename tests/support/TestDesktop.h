#pragma once

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace tessel::test {

class ChildProcess;

// Polls the condition, letting queued Qt events run in between, until it holds or the
// timeout passes; returns the condition.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        if (QCoreApplication::instance()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QThread::msleep(2);
    }
    return true;
}

struct DesktopOptions {
    bool compositor = true;
};

// A plain client window for tests: a solid colour and the properties that identify an app.
struct WindowSpec {
    QRect geometry{100, 100, 400, 300};
    QColor colour = Qt::white;
    QByteArray wmInstance;
    QByteArray wmClass;
    std::optional<QByteArray> gtkApplicationId;
    std::optional<uint32_t> pid;
    // e.g. {"_NET_WM_WINDOW_TYPE_DIALOG"}, most preferred first; empty leaves the type unset.
    std::vector<QByteArray> windowTypes;
    bool overrideRedirect = false;
    // A 32-bit visual, so the colour's alpha shows through a compositor.
    bool argb = false;
};

// A private X desktop for tests: Xvfb with one 1920×1080 screen, openbox, optionally picom
// (xrender), and a private session bus. Every wait polls a condition against a deadline, and the
// destructor stops and reaps every process it started. Construction throws std::runtime_error when
// a part does not come up.
class TestDesktop {
public:
    // Whether the programs it needs are installed.
    static bool available();

    // The desktop a test program shares between its tests, or null when unavailable.
    static TestDesktop* shared();
    static void setShared(TestDesktop* desktop);

    explicit TestDesktop(DesktopOptions options = {});
    ~TestDesktop();

    TestDesktop(const TestDesktop&) = delete;
    TestDesktop& operator=(const TestDesktop&) = delete;

    QString display() const { return m_display; }
    QByteArray sessionBusAddress() const { return m_busAddress; }
    // Sets DISPLAY and DBUS_SESSION_BUS_ADDRESS of this process to the desktop's.
    void exportEnvironment() const;

    bool compositorRunning() const;
    void startCompositor();
    void stopCompositor();

    // Maps the window and waits until it is viewable and, unless override-redirect, managed.
    uint32_t openWindow(const WindowSpec& wanted);
    void closeWindow(uint32_t window);
    void closeAllWindows();

    // The window's frame as the window manager reports it: its root geometry grown by
    // _NET_FRAME_EXTENTS.
    QRect frameGeometry(uint32_t window) const;

    // Asks the window manager to activate the window and waits until it is active.
    void activate(uint32_t window);
    void switchDesktop(uint32_t desktop);
    std::optional<uint32_t> currentDesktop() const;

    // Turns the screen saver on or off, as idle time or a key press would.
    void forceScreenSaver(bool on);

    // The screen as shown (composited), or part of it.
    QImage screenshot(QRect rect = {}) const;

private:
    void shutDown();
    void startServer();
    void startBus();
    void startWindowManager();
    std::vector<std::string> childEnvironment() const;
    std::string logPath(const char* name) const;
    std::string logTail(const char* name) const;
    std::optional<uint32_t> rootCardinal(const char* property, uint32_t type) const;
    uint32_t atom(const char* name) const;
    void sendToRoot(uint32_t window, const char* message, std::vector<uint32_t> data);
    bool isViewable(uint32_t window) const;

    QTemporaryDir m_dir;
    QString m_display;
    QByteArray m_busAddress;
    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_bus;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::unique_ptr<ChildProcess> m_compositor;
    xcb_connection_t* m_connection = nullptr;
    uint32_t m_root = 0;
    std::vector<uint32_t> m_windows;
};

} // namespace tessel::test
