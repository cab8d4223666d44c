#pragma once

#include "TestSession.h"
#include "WaitFor.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <optional>

struct xcb_connection_t;

namespace tessel::test {

// A plain client window: a solid colour and the properties that name an app.
struct WindowTraits {
    QRect geometry{100, 100, 400, 300};
    QColor colour = Qt::white;
    QByteArray wmInstance = {};
    QByteArray wmClass = {};
    std::optional<QByteArray> gtkApplicationId = {};
    std::optional<uint32_t> pid = {};
    // e.g. {"_NET_WM_WINDOW_TYPE_DIALOG"}, most preferred first; empty leaves the type unset.
    std::vector<QByteArray> windowTypes = {};
    bool overrideRedirect = false;
    // A 32-bit visual, so the colour's alpha shows through a compositor.
    bool argb = false;
};

// A private X desktop: Xvfb with one 1920×1080 screen, openbox and picom (xrender), which this
// process and its children use from then on. Construction throws std::runtime_error when a
// program the desktop tests need is missing or does not come up.
class TestDesktop : public TestSession {
public:
    static constexpr QRect screen{0, 0, 1920, 1080};

    TestDesktop();
    ~TestDesktop() override;

    // The desktop this test program started.
    static TestDesktop& shared();

    bool compositorRunning() const;
    void startCompositor();
    void stopCompositor();

    // Maps the window and waits until it is viewable and, unless override-redirect, managed.
    uint32_t openWindow(const WindowTraits& wanted);
    void closeAllWindows();
    // The window's frame as the window manager reports it (_NET_FRAME_EXTENTS around it).
    QRect frameGeometry(uint32_t window) const;
    // Asks the window manager to activate the window and waits until it is active.
    void activate(uint32_t window);
    void switchDesktop(uint32_t desktop);
    // Turns the screen saver on or off, as idle time or a key press would.
    void forceScreenSaver(bool on);
    // Composited, as shown.
    QImage screenshot(QRect area = {}) const override;
    bool isPlainWhite(QRect area) const;

    // A panel at the top right, 120 by 32, where Tessel's icon sits.
    std::unique_ptr<ChildProcess> startPanel();

private:
    // A property's 32-bit cardinals; empty when the window has none.
    std::vector<uint32_t> cardinals(uint32_t window, const char* property) const;
    uint32_t atom(const char* name) const;
    void sync() const;

    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::unique_ptr<ChildProcess> m_compositor;
    xcb_connection_t* m_connection = nullptr;
    uint32_t m_root = 0;
    std::vector<uint32_t> m_windows;
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
