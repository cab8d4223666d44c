#include "TestGnome.h"

#include "Files.h"
#include "WaitFor.h"

#include <QColor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel::test {

namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

constexpr auto startTimeout = 30s;
constexpr QRect monitor(0, 0, 1280, 720);
constexpr mode_t privateFolder = 0700;
constexpr uint32_t leftButton = 0x110; // BTN_LEFT
constexpr uint32_t escapeKey = 0xff1b;
constexpr auto keyArrives = 5s;

// Hides systemd from the shell only; everything else is the machine's. The shell in between
// would let this process's own HOME win over the one given.
constexpr char shellCommand[] =
    "[ ! -d /run/systemd ] || mount -t tmpfs tmpfs /run/systemd || exit 1; "
    "export HOME=\"$TESSEL_GNOME_HOME\"; unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME "
    "XDG_DATA_HOME; "
    "exec gnome-shell --headless --wayland --virtual-monitor 1280x720";

// The extension enabled, and no welcome tour over the windows.
constexpr char shellSettings[] = "[org/gnome/shell]\n"
                                 "enabled-extensions=['tessel@corvane.com']\n"
                                 "welcome-dialog-last-shown-version='999'\n";

const QString shellName = u"org.gnome.Shell"_s;
const QString remoteDesktopName = u"org.gnome.Mutter.RemoteDesktop"_s;
const QString extensionName = u"com.corvane.Tessel.Shell"_s;
const QString extensionPath = u"/com/corvane/Tessel/Shell"_s;

void write(const QString& path, const QByteArray& contents) {
    if (!writeFile(path, contents)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

const QString connectionName = u"tessel-test-gnome"_s;

// Qt's application may have met the session bus before the private one was there.
QDBusConnection bus() {
    return QDBusConnection(connectionName);
}

QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus().call(message);
}

bool overviewActive() {
    const QDBusMessage reply =
        call(shellName, u"/org/gnome/Shell"_s, u"org.freedesktop.DBus.Properties"_s, u"Get"_s,
             {shellName, u"OverviewActive"_s});
    return !reply.arguments().isEmpty() &&
           reply.arguments()[0].value<QDBusVariant>().variant().toBool();
}

QDBusMessage remoteDesktop(const QString& session, const QString& method,
                           const QVariantList& arguments = {}) {
    const QDBusMessage reply =
        call(remoteDesktopName, session, remoteDesktopName + u".Session"_s, method, arguments);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qWarning("remote desktop %s: %s", qUtf8Printable(method),
                 qUtf8Printable(reply.errorMessage()));
    }
    return reply;
}

QPoint pointer() {
    const QDBusMessage reply = call(extensionName, extensionPath, extensionName, u"TrackPointer"_s);
    return reply.arguments().size() == 2
               ? QPoint(reply.arguments()[0].toInt(), reply.arguments()[1].toInt())
               : QPoint(-1, -1);
}

} // namespace

TestGnome::TestGnome() {
    if (geteuid() != 0) {
        throw std::runtime_error("The GNOME tests need root, to hide systemd from the shell");
    }
    requirePrograms("The GNOME tests",
                    {"gnome-shell", "Xwayland", "unshare", "dbus-daemon", "xdpyinfo"});
    const QString runtime = m_dir.filePath(u"runtime"_s);
    const QString home = m_dir.filePath(u"home"_s);
    if (mkdir(QFile::encodeName(runtime).constData(), privateFolder) != 0) {
        throw std::runtime_error("cannot make the runtime folder");
    }
    write(home + u"/.config/glib-2.0/settings/keyfile"_s, shellSettings);
    const QString extension = home + u"/.local/share/gnome-shell/extensions/tessel@corvane.com"_s;
    for (const char* file : {"metadata.json", "extension.js"}) {
        const QByteArray source =
            readFile(QStringLiteral(TESSEL_SHELL_EXTENSION_DIR "/") + QString::fromLatin1(file));
        if (source.isEmpty()) {
            throw std::runtime_error("the GNOME Shell extension is not built");
        }
        write(extension + u'/' + QString::fromLatin1(file), source);
    }

    m_systemBus = std::make_unique<PrivateBus>(m_dir.path(), "DBUS_SYSTEM_BUS_ADDRESS");
    m_bus = std::make_unique<PrivateBus>(m_dir.path());
    QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);

    m_shell = std::make_unique<ChildProcess>(
        std::vector<std::string>{"unshare", "--mount", "--propagation", "private", "sh", "-c",
                                 shellCommand},
        logPath("gnome-shell"),
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtime.toStdString(),
                                 "TESSEL_GNOME_HOME=" + home.toStdString(),
                                 "GSETTINGS_BACKEND=keyfile", "XDG_CURRENT_DESKTOP=GNOME"});
    const auto extensionUp = [] { return bus().interface()->isServiceRegistered(extensionName); };
    if (!waitFor([&] { return extensionUp() || !m_shell->isRunning(); }, startTimeout) ||
        !extensionUp()) {
        constexpr qint64 logTail = 3000;
        throw std::runtime_error("GNOME Shell or Tessel's extension did not start:\n" +
                                 readFile(logPath("gnome-shell")).right(logTail).toStdString());
    }
    // The shell opens the Overview once it has started, and the Overview hides windows that
    // bypass the window manager.
    if (!waitFor([] { return overviewActive(); }, startTimeout)) {
        throw std::runtime_error("GNOME Shell did not finish starting");
    }
    exportClientEnvironment(runtime);
    // Now and then Mutter and its XWayland wait on each other at start, and every X client hangs.
    if (!runTool(u"xdpyinfo"_s, {})) {
        throw std::runtime_error("GNOME Shell's XWayland does not answer");
    }

    const QDBusMessage session = call(remoteDesktopName, u"/org/gnome/Mutter/RemoteDesktop"_s,
                                      remoteDesktopName, u"CreateSession"_s);
    if (session.arguments().isEmpty()) {
        throw std::runtime_error("no remote desktop session");
    }
    m_remoteDesktop = session.arguments()[0].value<QDBusObjectPath>().path();
    remoteDesktop(m_remoteDesktop, u"Start"_s);
    // Escape closes the Overview, once the shell has taken up the new keyboard's keymap: the
    // keys sent before that are lost.
    const auto escapeClosesOverview = [&] {
        pressKeys({escapeKey});
        return waitFor([] { return !overviewActive(); }, keyArrives);
    };
    if (!waitFor(escapeClosesOverview, startTimeout)) {
        throw std::runtime_error("GNOME Shell took no keys from the remote desktop");
    }
}

TestGnome::~TestGnome() {
    QDBusConnection::disconnectFromBus(connectionName);
    m_shell.reset();
}

// XWayland is the shell's child, whose first argument is the display.
QString TestGnome::xDisplay() const {
    const QString shell = QString::number(m_shell->pid());
    for (const QByteArray& child : readFile(u"/proc/%1/task/%1/children"_s.arg(shell)).split(' ')) {
        const QList<QByteArray> arguments =
            readFile(u"/proc/%1/cmdline"_s.arg(QString::fromLatin1(child.trimmed()))).split('\0');
        if (arguments.size() > 1 && arguments[0].endsWith("Xwayland")) {
            return QString::fromLatin1(arguments[1]);
        }
    }
    return {};
}

// Tessel and the test's windows are clients of both the shell and its XWayland.
void TestGnome::exportClientEnvironment(const QString& runtime) const {
    QString display;
    if (!waitFor([&] { return !(display = xDisplay()).isEmpty(); }, startTimeout)) {
        throw std::runtime_error("GNOME Shell started no XWayland");
    }
    const QStringList auth =
        QDir(runtime).entryList({u".mutter-Xwaylandauth.*"_s}, QDir::Files | QDir::Hidden);
    qputenv("DISPLAY", display.toUtf8());
    qputenv("XAUTHORITY", auth.isEmpty() ? QByteArray() : QDir(runtime).filePath(auth[0]).toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    // Tessel picks its Qt platform itself on GNOME.
    qunsetenv("QT_QPA_PLATFORM");
}

QImage TestGnome::screenshot(QRect area) const {
    if (area.isNull()) {
        area = monitor;
    }
    static const bool named = bus().registerService(u"org.gnome.Screenshot"_s);
    const QString file = m_dir.filePath(u"shot-%1.png"_s.arg(++m_shots));
    const QDBusMessage reply =
        call(u"org.gnome.Shell.Screenshot"_s, u"/org/gnome/Shell/Screenshot"_s,
             u"org.gnome.Shell.Screenshot"_s, u"ScreenshotArea"_s,
             {area.x(), area.y(), area.width(), area.height(), false, file});
    if (!named || reply.type() != QDBusMessage::ReplyMessage) {
        return {};
    }
    const QImage image(file);
    QFile::remove(file);
    return image;
}

// Remote desktop input moves the pointer only relative to where it is, which Tessel's
// extension tells; each move waits for the last to arrive. The last step is left for the
// extension to notice by itself, as it notices a user's moves, and makes the shell pick the
// window under the pointer afresh.
void TestGnome::movePointer(QPoint at) {
    const QPoint before = at - QPoint(1, 0);
    constexpr int moves = 5;
    for (int move = 0; move < moves && pointer() != before; ++move) {
        const QPoint from = pointer();
        const QPoint by = before - from;
        remoteDesktop(m_remoteDesktop, u"NotifyPointerMotionRelative"_s,
                      {static_cast<double>(by.x()), static_cast<double>(by.y())});
        waitFor([&] { return pointer() != from; }, 1s);
    }
    remoteDesktop(m_remoteDesktop, u"NotifyPointerMotionRelative"_s, {1.0, 0.0});
}

void TestGnome::click(QPoint at) {
    movePointer(at);
    waitFor([&] { return pointer() == at; }, 1s);
    call(extensionName, extensionPath, extensionName, u"StopPointer"_s);
    for (const bool pressed : {true, false}) {
        remoteDesktop(m_remoteDesktop, u"NotifyPointerButton"_s,
                      {static_cast<int>(leftButton), pressed});
    }
}

void TestGnome::pressKeys(const std::vector<uint32_t>& keysyms) {
    for (const uint32_t keysym : keysyms) {
        remoteDesktop(m_remoteDesktop, u"NotifyKeyboardKeysym"_s, {keysym, true});
    }
    for (auto it = keysyms.rbegin(); it != keysyms.rend(); ++it) {
        remoteDesktop(m_remoteDesktop, u"NotifyKeyboardKeysym"_s, {*it, false});
    }
}

} // namespace tessel::test
