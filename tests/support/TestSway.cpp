#include "TestSway.h"

#include "Files.h"
#include "WaitFor.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel::test {

namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

constexpr auto startTimeout = 20s;
constexpr mode_t privateFolder = 0700;
constexpr mode_t passableFolder = 0711;
constexpr char unprivilegedUser[] = "nobody";

// No wallpaper, bar or XWayland: nothing runs but sway itself.
constexpr char swayConfig[] = "xwayland disable\n"
                              "default_border none\n"
                              "focus_follows_mouse no\n";

bool runningAsRoot() {
    return geteuid() == 0;
}

QString makeFolder(const QString& path) {
    if (mkdir(QFile::encodeName(path).constData(), privateFolder) != 0) {
        throw std::runtime_error("cannot make " + path.toStdString());
    }
    return path;
}

void giveToUnprivilegedUser(const QString& path) {
    const passwd* user = getpwnam(unprivilegedUser);
    if (!user || chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) != 0) {
        throw std::runtime_error("cannot hand a folder to the unprivileged user");
    }
}

QString firstMatch(const QString& folder, const QString& pattern) {
    for (const QString& name :
         QDir(folder).entryList({pattern}, QDir::System | QDir::Files | QDir::Hidden)) {
        if (!name.endsWith(u".lock")) {
            return QDir(folder).filePath(name);
        }
    }
    return {};
}

} // namespace

TestSway::TestSway() {
    requirePrograms("The Wayland tests", {"sway", "swaymsg", "grim", "wtype", "dbus-daemon"});
    if (runningAsRoot()) {
        requirePrograms("The Wayland tests under root", {"setpriv"});
    }
    // The folders must be reachable by the unprivileged user.
    chmod(QFile::encodeName(m_dir.path()).constData(), passableFolder);
    const QString runtime = makeFolder(m_dir.filePath(u"sway-runtime"_s));
    const QString config = runtime + u"/config"_s;
    if (!writeFile(config, swayConfig)) {
        throw std::runtime_error("cannot write the sway configuration");
    }

    std::vector<std::string> argv = {"sway", "--config", config.toStdString()};
    if (runningAsRoot()) {
        giveToUnprivilegedUser(runtime);
        giveToUnprivilegedUser(config);
        // A change of user clears the death signal; setpriv sets it again.
        argv.insert(argv.begin(), {"setpriv", "--reuid", unprivilegedUser, "--regid", "nogroup",
                                   "--clear-groups", "--pdeathsig", "KILL"});
    }
    m_sway = std::make_unique<ChildProcess>(
        argv, logPath("sway"),
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtime.toStdString(),
                                 "HOME=" + runtime.toStdString(), "WLR_BACKENDS=headless",
                                 "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"});
    QString socket;
    const bool up = waitFor(
        [&] {
            socket = firstMatch(runtime, u"wayland-*"_s);
            qputenv("SWAYSOCK", firstMatch(runtime, u"sway-ipc.*"_s).toUtf8());
            return (!socket.isEmpty() && command(u"-t get_outputs"_s)) || !m_sway->isRunning();
        },
        startTimeout);
    if (!up || !m_sway->isRunning()) {
        throw std::runtime_error("sway did not start; see " + logPath("sway").toStdString());
    }
    qunsetenv("DISPLAY");
    qputenv("WAYLAND_DISPLAY", socket.toUtf8());
    qputenv("XDG_RUNTIME_DIR", makeFolder(m_dir.filePath(u"client-runtime"_s)).toUtf8());
    qputenv("QT_QPA_PLATFORM", "wayland");
    m_bus = std::make_unique<PrivateBus>(m_dir.path());
}

bool TestSway::command(const QString& command) const {
    return runTool(u"swaymsg"_s, command.split(u' ')).has_value();
}

QImage TestSway::screenshot(QRect area) const {
    QStringList arguments{u"-"_s};
    if (!area.isNull()) {
        arguments.prepend(
            u"%1,%2 %3x%4"_s.arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height()));
        arguments.prepend(u"-g"_s);
    }
    const auto png = runTool(u"grim"_s, arguments);
    return png ? QImage::fromData(*png, "PNG") : QImage();
}

} // namespace tessel::test
