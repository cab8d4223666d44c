#include "TestDesktop.h"

#include "ChildProcess.h"

#include <QFile>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
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
        startServer();
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
    // Tessel would take a Wayland session's compositor over this desktop.
    qunsetenv("WAYLAND_DISPLAY");
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

std::string TestDesktop::logTail(const char* name) const {
    QFile log(QString::fromStdString(logPath(name)));
    if (!log.open(QIODevice::ReadOnly)) {
        return {};
    }
    return log.readAll().right(2000).toStdString();
}

void TestDesktop::startServer() {
    Pipe displayPipe;
    m_server = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1920x1080x24",
                                 "-nolisten", "tcp", "-noreset"},
        logPath("xvfb"), std::vector<std::string>{}, displayPipe.ends[1]);
    displayPipe.closeWriteEnd();
    m_display =
        QStringLiteral(":") + QString::fromStdString(readLine(displayPipe.ends[0], startTimeout));
    m_connection = xcb_connect(m_display.toUtf8().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        throw std::runtime_error("cannot connect to " + m_display.toStdString());
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
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
        throw std::runtime_error("openbox did not start: " + logTail("openbox"));
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
        throw std::runtime_error("picom did not start: " + logTail("picom"));
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
