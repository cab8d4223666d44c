#pragma once

#include "ChildProcess.h"
#include "WaitFor.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>
#include <optional>

struct xcb_connection_t;

namespace tessel::test {

// A plain client window: a solid colour and the properties that name an app.
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

// A private session bus, which this process and every child it starts from now on use.
class PrivateBus {
public:
    explicit PrivateBus(const QString& folder);

private:
    std::unique_ptr<ChildProcess> m_daemon;
};

// A private X desktop: Xvfb with one 1920×1080 screen, openbox, picom (xrender) and a private
// session bus, which this process and its children use from then on. Construction throws
// std::runtime_error when a program the desktop tests need is missing or does not come up.
class TestDesktop {
public:
    TestDesktop();
    ~TestDesktop();
    TestDesktop(const TestDesktop&) = delete;
    TestDesktop& operator=(const TestDesktop&) = delete;

    // The desktop this test program started.
    static TestDesktop& shared();

    bool compositorRunning() const;
    void startCompositor();
    void stopCompositor();

    // Maps the window and waits until it is viewable and, unless override-redirect, managed.
    uint32_t openWindow(const WindowSpec& wanted);
    void closeWindow(uint32_t window);
    void closeAllWindows();
    // The window's frame as the window manager reports it (_NET_FRAME_EXTENTS around it).
    QRect frameGeometry(uint32_t window) const;
    // Asks the window manager to activate the window and waits until it is active.
    void activate(uint32_t window);
    void switchDesktop(uint32_t desktop);
    // Turns the screen saver on or off, as idle time or a key press would.
    void forceScreenSaver(bool on);
    // The screen as shown (composited), or part of it.
    QImage screenshot(QRect rect = {}) const;
    QColor pixel(QPoint at) const { return screenshot(QRect(at, QSize(1, 1))).pixelColor(0, 0); }
    bool isPlainWhite(QRect rect) const;

    // A panel at the top right, 120 by 32, where Tessel's icon sits.
    std::unique_ptr<ChildProcess> startPanel();

private:
    std::string logPath(const char* name) const;
    std::optional<uint32_t> rootWindowProperty(const char* property, uint32_t type) const;
    uint32_t atom(const char* name) const;
    void sync() const;

    QTemporaryDir m_dir;
    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::unique_ptr<ChildProcess> m_compositor;
    xcb_connection_t* m_connection = nullptr;
    uint32_t m_root = 0;
    std::vector<uint32_t> m_windows;
};

// The built tessel as a user starts it, with reduced motion and its settings in a fresh folder.
class TesselProcess {
public:
    // settings: the stored settings record as JSON; empty for a first launch.
    explicit TesselProcess(const QByteArray& settings = {});
    // Starts it with these entries ("NAME=value") added to the environment.
    void start(const std::vector<std::string>& environment = {});
    bool isRunning() { return m_process && m_process->isRunning(); }
    // Sends the signal and waits for the end: the exit code of a normal exit, else none.
    std::optional<int> end(int signal);
    QByteArray log() const;
    QString config() const { return m_config.path(); }
    // A tessel command on this folder, run to its end: its exit code, or -1.
    int command(const QStringList& arguments, QString* output = nullptr) const;

private:
    QTemporaryDir m_config;
    std::unique_ptr<ChildProcess> m_process;
};

// What xdotool prints, or nothing when it fails.
std::optional<QString> xdotool(const QStringList& arguments);

// A test on the shared desktop, which it leaves without windows and with its compositor.
class DesktopTest : public ::testing::Test {
protected:
    void TearDown() override {
        desktop.closeAllWindows();
        desktop.startCompositor();
    }

    TestDesktop& desktop = TestDesktop::shared();
};

} // namespace tessel::test
