#include "TestDesktop.h"

#include "ChildProcess.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <xcb/randr.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace tessel::test {

namespace {

TestDesktop* sharedDesktop = nullptr;

constexpr auto startTimeout = std::chrono::seconds(20);

// Reads one line the child writes to its end of the pipe, waiting at most the timeout.
std::string readLine(int fd, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    std::string line;
    while (!deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(deadline.remainingTime())) <= 0) {
            break;
        }
        char c = 0;
        if (read(fd, &c, 1) != 1) {
            break;
        }
        if (c == '\n') {
            return line;
        }
        line.push_back(c);
    }
    throw std::runtime_error("no answer from a test desktop program; partial: " + line);
}

struct Pipe {
    int ends[2] = {-1, -1};
    Pipe() {
        if (pipe2(ends, O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe2 failed");
        }
    }
    ~Pipe() {
        closeWriteEnd();
        close(ends[0]);
    }
    void closeWriteEnd() {
        if (ends[1] >= 0) {
            close(ends[1]);
            ends[1] = -1;
        }
    }
};

} // namespace

bool TestDesktop::available() {
    return hasProgram("Xvfb") && hasProgram("openbox") && hasProgram("picom") &&
           hasProgram("dbus-daemon");
}

TestDesktop* TestDesktop::shared() {
    return sharedDesktop;
}

void TestDesktop::setShared(TestDesktop* desktop) {
    sharedDesktop = desktop;
}

TestDesktop::TestDesktop(DesktopOptions options) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    try {
        startServer(options.secondMonitor);
        startBus();
        startWindowManager();
        if (options.compositor) {
            startCompositor();
        }
    } catch (...) {
        shutDown();
        throw;
    }
}

TestDesktop::~TestDesktop() {
    shutDown();
}

void TestDesktop::shutDown() {
    if (m_connection) {
        closeAllWindows();
    }
    m_compositor.reset();
    m_windowManager.reset();
    m_bus.reset();
    if (m_connection) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
    }
    m_server.reset();
}

void TestDesktop::exportEnvironment() const {
    qputenv("DISPLAY", m_display.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_busAddress);
}

std::vector<std::string> TestDesktop::childEnvironment() const {
    // Keep the user's own openbox and picom configuration out of the tests.
    return {"DISPLAY=" + m_display.toStdString(),
            "DBUS_SESSION_BUS_ADDRESS=" + m_busAddress.toStdString(),
            "XDG_CONFIG_HOME=" + m_dir.filePath(QStringLiteral("config")).toStdString()};
}

std::string TestDesktop::logPath(const char* name) const {
    return m_dir.filePath(QString::fromLatin1(name) + QStringLiteral(".log")).toStdString();
}

void TestDesktop::startServer(bool secondMonitor) {
    Pipe displayPipe;
    const std::string size = secondMonitor ? "3840x1080x24" : "1920x1080x24";
    m_server = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", size, "-nolisten",
                                 "tcp", "-noreset", "+extension", "RANDR"},
        logPath("xvfb"), std::vector<std::string>{}, displayPipe.ends[1]);
    displayPipe.closeWriteEnd();
    m_display =
        QStringLiteral(":") + QString::fromStdString(readLine(displayPipe.ends[0], startTimeout));
    m_connection = xcb_connect(m_display.toUtf8().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        throw std::runtime_error("cannot connect to " + m_display.toStdString());
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    if (secondMonitor) {
        addSecondMonitor();
    }
}

// RandR 1.5 monitors: the output's own monitor shrinks to the left half, a second one
// without outputs takes the right half.
void TestDesktop::addSecondMonitor() {
    xcb_randr_get_screen_resources_reply_t* resources = xcb_randr_get_screen_resources_reply(
        m_connection, xcb_randr_get_screen_resources(m_connection, m_root), nullptr);
    if (!resources || xcb_randr_get_screen_resources_outputs_length(resources) < 1) {
        std::free(resources);
        throw std::runtime_error("the X server has no RandR output");
    }
    xcb_randr_output_t output = xcb_randr_get_screen_resources_outputs(resources)[0];
    std::free(resources);

    const auto setMonitor = [&](const char* name, int16_t x, bool primary, int outputs) {
        struct {
            xcb_randr_monitor_info_t info;
            xcb_randr_output_t output;
        } monitor{};
        monitor.info.name = atom(name);
        monitor.info.primary = primary;
        monitor.info.automatic = 0;
        monitor.info.nOutput = static_cast<uint16_t>(outputs);
        monitor.info.x = x;
        monitor.info.width = 1920;
        monitor.info.height = 1080;
        monitor.info.width_in_millimeters = 508;
        monitor.info.height_in_millimeters = 286;
        monitor.output = output;
        xcb_randr_set_monitor(m_connection, m_root, &monitor.info);
    };
    setMonitor("TEST-1", 0, true, 1);
    setMonitor("TEST-2", 1920, false, 0);
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

void TestDesktop::startBus() {
    Pipe addressPipe;
    m_bus = std::make_unique<ChildProcess>(
        std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                 "--print-address=3"},
        logPath("dbus"), childEnvironment(), addressPipe.ends[1]);
    addressPipe.closeWriteEnd();
    m_busAddress = QByteArray::fromStdString(readLine(addressPipe.ends[0], startTimeout));
}

void TestDesktop::startWindowManager() {
    m_windowManager =
        std::make_unique<ChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"},
                                       logPath("openbox"), childEnvironment());
    const bool ready = waitUntil(
        [this] {
            return rootCardinal("_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).has_value() &&
                   currentDesktop().has_value();
        },
        startTimeout);
    if (!ready) {
        throw std::runtime_error("openbox did not start");
    }
}

bool TestDesktop::compositorRunning() const {
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, atom("_NET_WM_CM_S0")), nullptr);
    const bool running = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return running;
}

void TestDesktop::startCompositor() {
    if (m_compositor && m_compositor->isRunning()) {
        return;
    }
    m_compositor = std::make_unique<ChildProcess>(
        std::vector<std::string>{"picom", "--backend", "xrender", "--config", "/dev/null"},
        logPath("picom"), childEnvironment());
    if (!waitUntil([this] { return compositorRunning(); }, startTimeout)) {
        throw std::runtime_error("picom did not start");
    }
}

void TestDesktop::stopCompositor() {
    m_compositor.reset();
    if (!waitUntil([this] { return !compositorRunning(); })) {
        throw std::runtime_error("the compositor selection outlived picom");
    }
}

uint32_t TestDesktop::atom(const char* name) const {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(strlen(name)), name),
        nullptr);
    const uint32_t result = reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

std::optional<uint32_t> TestDesktop::rootCardinal(const char* property, uint32_t type) const {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, m_root, atom(property), type, 0, 1),
        nullptr);
    std::optional<uint32_t> value;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4) {
        value = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    }
    std::free(reply);
    return value;
}

std::optional<uint32_t> TestDesktop::currentDesktop() const {
    return rootCardinal("_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL);
}

} // namespace tessel::test
