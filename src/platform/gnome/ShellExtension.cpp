#include "platform/gnome/ShellExtension.h"

#include "platform/PlatformLog.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <chrono>

namespace tessel {

namespace {

using namespace std::chrono_literals;

const QString objectPath = QStringLiteral("/com/corvane/Tessel/Shell");
const QString interfaceName = QStringLiteral("com.corvane.Tessel.Shell");
// The shell answers from its main loop; a busy frame must not hold Tessel up for long.
constexpr int callTimeoutMs = 500;
// The ruler asks thirty times a second while it shows; a pause this long means it is gone.
constexpr auto pointerForgottenAfter = 2s;

QList<AppInfo> appsFrom(const QVariant& value) {
    QList<AppInfo> apps;
    const auto argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        QString appId;
        uint pid = 0;
        QString name;
        argument.beginStructure();
        argument >> appId >> pid >> name;
        argument.endStructure();
        apps.append({appId, static_cast<qint32>(pid), name});
    }
    argument.endArray();
    return apps;
}

} // namespace

ShellExtension::ShellExtension(const QDBusConnection& bus)
    : m_bus(bus)
    , m_watcher(serviceName(), bus, QDBusServiceWatcher::WatchForOwnerChange) {
    m_pointerWanted.setSingleShot(true);
    m_pointerWanted.setInterval(pointerForgottenAfter);
    connect(&m_pointerWanted, &QTimer::timeout, this, &ShellExtension::stopPointer);
    connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &ShellExtension::appeared);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &ShellExtension::vanished);
    subscribe(QStringLiteral("FocusChanged"), SLOT(takeFocus(QString, uint, int, int, int, int)));
    subscribe(QStringLiteral("RunningAppsChanged"), SLOT(readRunningApps()));
    subscribe(QStringLiteral("PointerMoved"), SLOT(takePointer(int, int)));
    subscribe(QStringLiteral("AcceleratorActivated"), SLOT(takeAccelerator(QString)));
    if (m_bus.isConnected() && m_bus.interface()->isServiceRegistered(serviceName())) {
        appeared();
    }
}

ShellExtension::~ShellExtension() {
    if (m_pointerWanted.isActive()) {
        stopPointer();
    }
}

void ShellExtension::subscribe(const QString& signal, const char* slot) {
    m_bus.connect(serviceName(), objectPath, interfaceName, signal, this, slot);
}

QDBusMessage ShellExtension::call(const QString& method, const QVariantList& arguments) const {
    QDBusMessage message =
        QDBusMessage::createMethodCall(serviceName(), objectPath, interfaceName, method);
    message.setArguments(arguments);
    // Never start anything: the shell loads the extension, not the bus.
    message.setAutoStartService(false);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qCDebug(lcPlatform, "the GNOME Shell extension's %s failed: %s", qUtf8Printable(method),
                qUtf8Printable(reply.errorMessage()));
    }
    return reply;
}

void ShellExtension::appeared() {
    const QDBusMessage focus = call(QStringLiteral("GetFocus"));
    m_running = focus.type() == QDBusMessage::ReplyMessage;
    const QVariantList values = focus.arguments();
    constexpr int focusValues = 6;
    if (values.size() == focusValues) {
        takeFocus(values[0].toString(), values[1].toUInt(), values[2].toInt(), values[3].toInt(),
                  values[4].toInt(), values[5].toInt());
    }
    readRunningApps();
    Q_EMIT runningChanged();
}

void ShellExtension::vanished() {
    m_running = false;
    m_focus.reset();
    m_apps.clear();
    m_pointer.reset();
    m_pointerWanted.stop();
    Q_EMIT runningChanged();
    Q_EMIT focusChanged();
}

void ShellExtension::takeFocus(const QString& appId, uint pid, int x, int y, int width,
                               int height) {
    std::optional<ShellFocus> focus;
    if (!appId.isEmpty()) {
        focus = ShellFocus{{appId, static_cast<qint32>(pid), {}}, QRect(x, y, width, height)};
    }
    if (focus != m_focus) {
        m_focus = focus;
        Q_EMIT focusChanged();
    }
}

void ShellExtension::readRunningApps() {
    const QDBusMessage reply = call(QStringLiteral("GetRunningApps"));
    if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
        m_apps = appsFrom(reply.arguments().constFirst());
    }
}

std::optional<QPoint> ShellExtension::pointer() {
    if (!m_running) {
        return std::nullopt;
    }
    if (!m_pointerWanted.isActive()) {
        const QDBusMessage reply = call(QStringLiteral("TrackPointer"));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) {
            return std::nullopt;
        }
        m_pointer = QPoint(reply.arguments()[0].toInt(), reply.arguments()[1].toInt());
    }
    m_pointerWanted.start();
    return m_pointer;
}

void ShellExtension::takePointer(int x, int y) {
    if (m_pointerWanted.isActive()) {
        m_pointer = QPoint(x, y);
    }
}

void ShellExtension::stopPointer() {
    m_pointerWanted.stop();
    m_pointer.reset();
    if (m_running) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            serviceName(), objectPath, interfaceName, QStringLiteral("StopPointer"));
        message.setAutoStartService(false);
        m_bus.send(message);
    }
}

bool ShellExtension::activate(qint32 pid) {
    const QDBusMessage reply = call(QStringLiteral("Activate"), {static_cast<uint>(pid)});
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toBool();
}

void ShellExtension::passInput(quint32 window) {
    if (m_running) {
        call(QStringLiteral("PassInput"), {window});
    }
}

bool ShellExtension::grabAccelerator(const QString& name, const QString& accelerator) {
    const QDBusMessage reply = call(QStringLiteral("GrabAccelerator"), {name, accelerator});
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toBool();
}

void ShellExtension::ungrabAccelerator(const QString& name) {
    call(QStringLiteral("UngrabAccelerator"), {name});
}

void ShellExtension::takeAccelerator(const QString& name) {
    Q_EMIT acceleratorActivated(name);
}

} // namespace tessel
