#include "app/ShortcutCommand.h"

#include "app/AutomationService.h"
#include "app/RemoteCommand.h"
#include "app/ShortcutActions.h"
#include "app/ShortcutKeys.h"
#include "app/ShortcutRegistry.h"
#include "platform/UserDefaults.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace tessel {

namespace {

int fail(QTextStream& err, const QString& message) {
    err << "tessel: " << message << Qt::endl;
    return 1;
}

QDBusMessage ask(const QString& method, const QVariantList& args) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        AutomationService::serviceName(), AutomationService::objectPath(),
        AutomationService::controlInterface(), method);
    message.setArguments(args);
    message.setAutoStartService(false);
    registerBusTypes();
    return QDBusConnection::sessionBus().call(message);
}

int list(QTextStream& out) {
    const UserDefaults defaults(UserDefaults::defaultDirectory());
    for (const QString& name : ShortcutActions::names()) {
        const auto keys = ShortcutRegistry::stored(defaults, name);
        out << name << '\t' << (keys ? ShortcutKeys::format(*keys) : QStringLiteral("none"))
            << '\n';
    }
    out.flush();
    return 0;
}

// Changes the defaults file directly, for a Tessel that is not running.
int storeOffline(const QString& name, std::optional<QKeyCombination> keys, QTextStream& out,
                 QTextStream& err) {
    UserDefaults defaults(UserDefaults::defaultDirectory());
    if (!ShortcutRegistry::store(defaults, name, keys)) {
        return fail(err, QStringLiteral("cannot write %1").arg(defaults.filePath()));
    }
    out << "Tessel is not running; it will use this when it starts." << Qt::endl;
    return 0;
}

int set(const QString& name, const QString& text, QTextStream& out, QTextStream& err) {
    const auto keys = ShortcutKeys::parse(text);
    if (!keys) {
        return fail(err, QStringLiteral("\"%1\" is not a key combination Tessel can use. Write "
                                        "modifiers and a key like Ctrl+Alt+P.")
                             .arg(text));
    }
    const QDBusMessage reply = ask(QStringLiteral("SetShortcut"), {name, text});
    if (saysNotRunning(reply)) {
        return storeOffline(name, keys, out, err);
    }
    if (reply.type() == QDBusMessage::ErrorMessage) {
        return fail(err, reply.errorMessage());
    }
    out << name << '\t' << ShortcutKeys::format(*keys) << Qt::endl;
    return 0;
}

int clear(const QString& name, QTextStream& out, QTextStream& err) {
    const QDBusMessage reply = ask(QStringLiteral("ClearShortcut"), {name});
    if (saysNotRunning(reply)) {
        return storeOffline(name, std::nullopt, out, err);
    }
    if (reply.type() == QDBusMessage::ErrorMessage) {
        return fail(err, reply.errorMessage());
    }
    return 0;
}

} // namespace

int runShortcutCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QString verb = arguments.value(0);
    if (verb == u"list" && arguments.size() == 1) {
        return list(out);
    }
    const QString name = arguments.value(1);
    const bool named = ShortcutActions::names().contains(name);
    if (verb == u"set" && arguments.size() == 3 && named) {
        return set(name, arguments[2], out, err);
    }
    if (verb == u"clear" && arguments.size() == 2 && named) {
        return clear(name, out, err);
    }
    if ((verb == u"set" || verb == u"clear") && arguments.size() > 1 && !named) {
        return fail(err, QStringLiteral("there is no shortcut \"%1\"; the shortcuts are %2.")
                             .arg(name, ShortcutActions::names().join(u", ")));
    }
    err << "tessel: usage: tessel shortcut set NAME COMBO | clear NAME | list" << Qt::endl;
    return 2;
}

} // namespace tessel
