#include "TestDesktop.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <cstring>
#include <stdexcept>
#include <sys/wait.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace tessel::test {

namespace {

TestDesktop* sharedDesktop = nullptr;

constexpr auto startTimeout = std::chrono::seconds(20);
constexpr auto commandTimeout = std::chrono::seconds(30);
const std::vector<std::string> neededPrograms{"Xvfb",    "openbox", "picom",   "dbus-daemon",
                                              "xdotool", "trayer",  "xwininfo"};

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply> Owned<Reply> own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

} // namespace

PrivateBus::PrivateBus(const QString& folder)
    : m_daemon(std::make_unique<ChildProcess>(
          std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                   "--print-address=3"},
          (folder + QStringLiteral("/dbus.log")).toStdString())) {
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(m_daemon->firstLine()));
}

TestDesktop& TestDesktop::shared() {
    return *sharedDesktop;
}

TestDesktop::TestDesktop() {
    std::string missing;
    for (const std::string& program : neededPrograms) {
        missing += hasProgram(program) ? "" : " " + program;
    }
    if (!missing.empty()) {
        throw std::runtime_error("the desktop tests need" + missing);
    }
    m_server = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1920x1080x24",
                                 "-nolisten", "tcp", "-noreset"},
        logPath("xvfb"));
    qputenv("DISPLAY", ":" + QByteArray::fromStdString(m_server->firstLine()));
    // Tessel would take a Wayland session's compositor over this desktop.
    qunsetenv("WAYLAND_DISPLAY");
    // Keep the user's own openbox and picom configuration out of the tests.
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        throw std::runtime_error("cannot connect to the test display");
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_bus = std::make_unique<PrivateBus>(m_dir.path());
    m_windowManager = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable"}, logPath("openbox"));
    if (!waitFor([this] { return rootWindowProperty("_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL); },
                 startTimeout)) {
        throw std::runtime_error("openbox did not start");
    }
    startCompositor();
    sharedDesktop = this;
}

TestDesktop::~TestDesktop() {
    sharedDesktop = nullptr;
    closeAllWindows();
    m_compositor.reset();
    m_windowManager.reset();
    m_bus.reset();
    xcb_disconnect(m_connection);
}

std::string TestDesktop::logPath(const char* name) const {
    return m_dir.filePath(QString::fromLatin1(name) + QStringLiteral(".log")).toStdString();
}

bool TestDesktop::compositorRunning() const {
    const auto reply = own(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, atom("_NET_WM_CM_S0")), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void TestDesktop::startCompositor() {
    if (m_compositor && m_compositor->isRunning()) {
        return;
    }
    m_compositor = std::make_unique<ChildProcess>(
        std::vector<std::string>{"picom", "--backend", "xrender", "--config", "/dev/null"},
        logPath("picom"));
    if (!waitFor([this] { return compositorRunning(); }, startTimeout)) {
        throw std::runtime_error("picom did not start");
    }
}

void TestDesktop::stopCompositor() {
    m_compositor.reset();
    if (!waitFor([this] { return !compositorRunning(); })) {
        throw std::runtime_error("the compositor selection outlived picom");
    }
}

std::unique_ptr<ChildProcess> TestDesktop::startPanel() {
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                 "pixel", "--width", "120", "--height", "32", "--transparent",
                                 "false", "--tint", "0x303030", "--SetDockType", "true"},
        logPath("trayer"));
}

uint32_t TestDesktop::atom(const char* name) const {
    const auto reply = own(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(strlen(name)), name),
        nullptr));
    return reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
}

std::optional<uint32_t> TestDesktop::rootWindowProperty(const char* property, uint32_t type) const {
    const auto reply = own(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, m_root, atom(property), type, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) {
        return std::nullopt;
    }
    return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
}

TesselProcess::TesselProcess(const QByteArray& settings) {
    if (!settings.isEmpty()) {
        QFile file(m_config.filePath(QStringLiteral("defaults.json")));
        if (!file.open(QIODevice::WriteOnly)) {
            throw std::runtime_error("cannot write the test settings");
        }
        file.write("{\"settings\": " + settings + "}");
    }
}

void TesselProcess::start(const std::vector<std::string>& environment) {
    std::vector<std::string> entries = environment;
    entries.push_back("TESSEL_CONFIG_DIR=" + m_config.path().toStdString());
    entries.emplace_back("TESSEL_REDUCE_MOTION=1");
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{TESSEL_BINARY},
        m_config.filePath(QStringLiteral("tessel.log")).toStdString(), entries);
}

std::optional<int> TesselProcess::end(int signal) {
    const pid_t pid = m_process->pid();
    int status = 0;
    ::kill(pid, signal);
    if (!waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, commandTimeout)) {
        return std::nullopt;
    }
    m_process.reset();
    return WIFEXITED(status) ? std::optional(WEXITSTATUS(status)) : std::nullopt;
}

QByteArray TesselProcess::log() const {
    QFile file(m_config.filePath(QStringLiteral("tessel.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int TesselProcess::command(const QStringList& arguments, QString* output) const {
    QProcess tessel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESSEL_CONFIG_DIR"), m_config.path());
    tessel.setProcessEnvironment(environment);
    tessel.start(QStringLiteral(TESSEL_BINARY), arguments);
    if (!tessel.waitForFinished(static_cast<int>(commandTimeout.count() * 1000))) {
        return -1;
    }
    if (output) {
        *output = QString::fromUtf8(tessel.readAllStandardOutput()).trimmed();
    }
    return tessel.exitStatus() == QProcess::NormalExit ? tessel.exitCode() : -1;
}

std::optional<QString> xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(static_cast<int>(commandTimeout.count() * 1000)) ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace tessel::test
