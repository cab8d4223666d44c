#include "TestGnome.h"

#include "ChildProcess.h"
#include "TestDesktop.h"
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
constexpr mode_t privateFolder = 0700;
constexpr uint32_t leftButton = 0x110; // BTN_LEFT
// The first key a new virtual keyboard sends is lost while clients take up its keymap.
constexpr uint32_t unusedKeysym = 0xffc6; // F9
constexpr unsigned long keyboardSettlesMs = 500;

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

void writeFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
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

} // namespace

bool TestGnome::available() {
    return geteuid() == 0 && hasProgram("gnome-shell") && hasProgram("Xwayland") &&
           hasProgram("unshare") && hasProgram("dbus-daemon");
}

TestGnome::TestGnome() {
    if (!m_dir.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    m_runtimeDir = m_dir.filePath(u"runtime"_s);
    m_home = m_dir.filePath(u"home"_s);
    if (mkdir(QFile::encodeName(m_runtimeDir).constData(), privateFolder) != 0) {
        throw std::runtime_error("cannot make the runtime folder");
    }
    writeFile(m_home + u"/.config/glib-2.0/settings/keyfile"_s, shellSettings);
    const QString extension = m_home + u"/.local/share/gnome-shell/extensions/tessel@corvane.com"_s;
    for (const char* file : {"metadata.json", "extension.js"}) {
        QFile source(QStringLiteral(TESSEL_SHELL_EXTENSION_DIR "/") + QString::fromLatin1(file));
        if (!source.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("the GNOME Shell extension is not built");
        }
        writeFile(extension + u'/' + QString::fromLatin1(file), source.readAll());
    }

    m_systemBus = std::make_unique<ChildProcess>(
        std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                 "--print-address=3"},
        logPath("system-bus").toStdString());
    const std::string systemBus = m_systemBus->firstLine();
    m_bus = std::make_unique<PrivateBus>(m_dir.path());
    QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);

    m_shell = std::make_unique<ChildProcess>(
        std::vector<std::string>{"unshare", "--mount", "--propagation", "private", "sh", "-c",
                                 shellCommand},
        logPath("gnome-shell").toStdString(),
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + m_runtimeDir.toStdString(),
                                 "TESSEL_GNOME_HOME=" + m_home.toStdString(),
                                 "GSETTINGS_BACKEND=keyfile", "XDG_CURRENT_DESKTOP=GNOME",
                                 "DBUS_SYSTEM_BUS_ADDRESS=" + systemBus});
    const auto extensionUp = [] { return bus().interface()->isServiceRegistered(extensionName); };
    if (!waitFor([&] { return extensionUp() || !m_shell->isRunning(); }, startTimeout) ||
        !extensionUp()) {
        QFile log(logPath("gnome-shell"));
        constexpr qint64 logTail = 3000;
        const QByteArray text = log.open(QIODevice::ReadOnly) ? log.readAll().right(logTail) : "";
        throw std::runtime_error("GNOME Shell or Tessel's extension did not start:\n" +
                                 text.toStdString());
    }
    // The shell opens the Overview once it has started, and the Overview hides windows that
    // bypass the window manager.
    if (!waitFor([] { return overviewActive(); }, startTimeout)) {
        throw std::runtime_error("GNOME Shell did not finish starting");
    }
    call(shellName, u"/org/gnome/Shell"_s, u"org.freedesktop.DBus.Properties"_s, u"Set"_s,
         {shellName, u"OverviewActive"_s, QVariant::fromValue(QDBusVariant(false))});
    if (!waitFor([] { return !overviewActive(); }, startTimeout)) {
        throw std::runtime_error("GNOME Shell kept the Overview open");
    }
    if (!waitFor([this] { return !(m_display = xDisplay()).isEmpty(); }, startTimeout)) {
        throw std::runtime_error("GNOME Shell started no XWayland");
    }
    startRemoteDesktop();
}

TestGnome::~TestGnome() {
    QDBusConnection::disconnectFromBus(connectionName);
    m_shell.reset();
    m_bus.reset();
    m_systemBus.reset();
}

QString TestGnome::logPath(const char* name) const {
    return m_dir.filePath(QString::fromLatin1(name) + u".log"_s);
}

// XWayland is the shell's child, whose first argument is the display.
QString TestGnome::xDisplay() const {
    const QString shell = QString::number(m_shell->pid());
    QFile children(u"/proc/%1/task/%1/children"_s.arg(shell));
    if (!children.open(QIODevice::ReadOnly)) {
        return {};
    }
    for (const QByteArray& child : children.readAll().split(' ')) {
        QFile commandLine(u"/proc/%1/cmdline"_s.arg(QString::fromLatin1(child.trimmed())));
        if (!child.trimmed().isEmpty() && commandLine.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> arguments = commandLine.readAll().split('\0');
            if (arguments.size() > 1 && arguments[0].endsWith("Xwayland")) {
                return QString::fromLatin1(arguments[1]);
            }
        }
    }
    return {};
}

std::vector<std::string> TestGnome::clientEnvironment() const {
    const QStringList auth =
        QDir(m_runtimeDir).entryList({u".mutter-Xwaylandauth.*"_s}, QDir::Files | QDir::Hidden);
    return {"XDG_RUNTIME_DIR=" + m_runtimeDir.toStdString(), "WAYLAND_DISPLAY=wayland-0",
            "DISPLAY=" + m_display.toStdString(),
            "XAUTHORITY=" + (auth.isEmpty() ? std::string()
                                            : QDir(m_runtimeDir).filePath(auth[0]).toStdString()),
            "XDG_CURRENT_DESKTOP=GNOME",
            "DBUS_SESSION_BUS_ADDRESS=" +
                qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").toStdString(),
            // Tessel picks its Qt platform itself on GNOME.
            "QT_QPA_PLATFORM="};
}

QImage TestGnome::screenshot(QRect area) const {
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

QColor TestGnome::pixel(QPoint at) const {
    const QImage image = screenshot(QRect(at, QSize(1, 1)));
    return image.isNull() ? QColor() : image.pixelColor(0, 0);
}

void TestGnome::startRemoteDesktop() {
    const QDBusMessage session = call(remoteDesktopName, u"/org/gnome/Mutter/RemoteDesktop"_s,
                                      remoteDesktopName, u"CreateSession"_s);
    if (session.arguments().isEmpty()) {
        throw std::runtime_error("no remote desktop session");
    }
    m_remoteDesktop = session.arguments()[0].value<QDBusObjectPath>().path();
    remoteDesktop(m_remoteDesktop, u"Start"_s);
    pressKeys({unusedKeysym});
    QThread::msleep(keyboardSettlesMs);
}

// Remote desktop input moves the pointer only relative to where it is, which Tessel's
// extension tells; each move waits for the last to arrive.
void TestGnome::click(QPoint at) {
    const auto pointer = [] {
        const QDBusMessage reply =
            call(extensionName, extensionPath, extensionName, u"TrackPointer"_s);
        return reply.arguments().size() == 2
                   ? QPoint(reply.arguments()[0].toInt(), reply.arguments()[1].toInt())
                   : QPoint(-1, -1);
    };
    // A move makes the shell pick the window under the pointer afresh.
    if (pointer() == at) {
        remoteDesktop(m_remoteDesktop, u"NotifyPointerMotionRelative"_s, {1.0, 0.0});
        waitFor([&] { return pointer() != at; }, 1s);
    }
    constexpr int moves = 5;
    for (int move = 0; move < moves && pointer() != at; ++move) {
        const QPoint from = pointer();
        const QPoint by = at - from;
        remoteDesktop(m_remoteDesktop, u"NotifyPointerMotionRelative"_s,
                      {static_cast<double>(by.x()), static_cast<double>(by.y())});
        waitFor([&] { return pointer() != from; }, 1s);
    }
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
