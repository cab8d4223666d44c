#include "TestSway.h"

#include "ChildProcess.h"
#include "TestDesktop.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel::test {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 20s;
constexpr int toolTimeoutMs = 10000;
constexpr mode_t privateFolder = 0700;
constexpr char unprivilegedUser[] = "nobody";

// No wallpaper, bar or XWayland: nothing runs but sway itself.
constexpr char swayConfig[] = "xwayland disable\n"
                              "default_border none\n"
                              "focus_follows_mouse no\n";

bool runningAsRoot() {
    return geteuid() == 0;
}

void giveToUnprivilegedUser(const QString& path) {
    const passwd* user = getpwnam(unprivilegedUser);
    if (!user || chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) != 0) {
        throw std::runtime_error("cannot hand a folder to the unprivileged user");
    }
}

QString makeFolder(const QString& path) {
    if (mkdir(QFile::encodeName(path).constData(), privateFolder) != 0) {
        throw std::runtime_error("cannot make " + path.toStdString());
    }
    return path;
}

QString firstMatch(const QString& folder, const QString& pattern) {
    const QStringList found =
        QDir(folder).entryList({pattern}, QDir::System | QDir::Files | QDir::Hidden);
    for (const QString& name : found) {
        if (!name.endsWith(u".lock")) {
            return QDir(folder).filePath(name);
        }
    }
    return {};
}

} // namespace

bool TestSway::available() {
    return hasProgram("sway") && hasProgram("swaymsg") && hasProgram("grim") &&
           hasProgram("wtype") && hasProgram("dbus-daemon") &&
           (!runningAsRoot() || hasProgram("setpriv"));
}

TestSway::TestSway() {
    if (!m_dir.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    // The folders must be reachable by the unprivileged user.
    chmod(QFile::encodeName(m_dir.path()).constData(), 0711);
    m_runtimeDir = makeFolder(m_dir.filePath(QStringLiteral("sway-runtime")));
    m_clientRuntimeDir = makeFolder(m_dir.filePath(QStringLiteral("client-runtime")));
    const QString config = m_runtimeDir + QStringLiteral("/config");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(swayConfig) < 0) {
        throw std::runtime_error("cannot write the sway configuration");
    }
    file.close();

    std::vector<std::string> argv = {"sway", "--config", config.toStdString()};
    if (runningAsRoot()) {
        giveToUnprivilegedUser(m_runtimeDir);
        giveToUnprivilegedUser(config);
        // A change of user clears the death signal; setpriv sets it again.
        argv.insert(argv.begin(), {"setpriv", "--reuid", unprivilegedUser, "--regid", "nogroup",
                                   "--clear-groups", "--pdeathsig", "KILL"});
    }
    m_sway = std::make_unique<ChildProcess>(
        argv, logPath("sway").toStdString(),
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + m_runtimeDir.toStdString(),
                                 "HOME=" + m_runtimeDir.toStdString(), "WLR_BACKENDS=headless",
                                 "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"});
    const bool up = waitFor(
        [this] {
            m_socket = firstMatch(m_runtimeDir, QStringLiteral("wayland-*"));
            m_ipcSocket = firstMatch(m_runtimeDir, QStringLiteral("sway-ipc.*"));
            return (!m_socket.isEmpty() && !m_ipcSocket.isEmpty() &&
                    command({QStringLiteral("-t"), QStringLiteral("get_outputs")})) ||
                   !m_sway->isRunning();
        },
        startTimeout);
    if (!up || !m_sway->isRunning()) {
        throw std::runtime_error("sway did not start; see " + logPath("sway").toStdString());
    }

    m_bus = std::make_unique<PrivateBus>(m_dir.path());
    m_busAddress = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
}

TestSway::~TestSway() {
    m_bus.reset();
    m_sway.reset();
}

QString TestSway::logPath(const char* name) const {
    return m_dir.filePath(QString::fromLatin1(name) + QStringLiteral(".log"));
}

std::vector<std::string> TestSway::clientEnvironment() const {
    return {"WAYLAND_DISPLAY=" + m_socket.toStdString(),
            "XDG_RUNTIME_DIR=" + m_clientRuntimeDir.toStdString(),
            "SWAYSOCK=" + m_ipcSocket.toStdString(),
            "DBUS_SESSION_BUS_ADDRESS=" + m_busAddress.toStdString(), "QT_QPA_PLATFORM=wayland"};
}

void TestSway::exportEnvironment() const {
    qunsetenv("DISPLAY");
    for (const std::string& entry : clientEnvironment()) {
        const auto split = entry.find('=');
        qputenv(entry.substr(0, split).c_str(), QByteArray::fromStdString(entry.substr(split + 1)));
    }
}

bool TestSway::command(const QStringList& arguments) const {
    QProcess swaymsg;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SWAYSOCK"), m_ipcSocket);
    swaymsg.setProcessEnvironment(environment);
    swaymsg.start(QStringLiteral("swaymsg"), arguments);
    return swaymsg.waitForFinished(toolTimeoutMs) && swaymsg.exitStatus() == QProcess::NormalExit &&
           swaymsg.exitCode() == 0;
}

QImage TestSway::grab(const QStringList& arguments) const {
    QProcess grim;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_socket);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_clientRuntimeDir);
    grim.setProcessEnvironment(environment);
    grim.start(QStringLiteral("grim"), arguments + QStringList{QStringLiteral("-")});
    if (!grim.waitForFinished(toolTimeoutMs) || grim.exitCode() != 0) {
        return {};
    }
    return QImage::fromData(grim.readAllStandardOutput(), "PNG");
}

QImage TestSway::screenshot() const {
    return grab({});
}

QColor TestSway::pixel(QPoint at) const {
    const QImage image =
        grab({QStringLiteral("-g"), QStringLiteral("%1,%2 1x1").arg(at.x()).arg(at.y())});
    return image.isNull() ? QColor() : image.pixelColor(0, 0);
}

} // namespace tessel::test
