#include "app/ShortcutCommand.h"

#include "app/BusClient.h"
#include "platform/UserDefaults.h"
#include "shortcuts/ShortcutActions.h"
#include "shortcuts/ShortcutKeys.h"
#include "shortcuts/ShortcutRegistry.h"

namespace tessel {

namespace {

int list(const CommandIO& io) {
    const UserDefaults defaults(UserDefaults::defaultDirectory());
    for (const QString& name : ShortcutActions::names()) {
        const auto keys = ShortcutRegistry::stored(defaults, name);
        io.out << name << '\t' << (keys ? ShortcutKeys::format(*keys) : QStringLiteral("none"))
               << '\n';
    }
    io.out.flush();
    return commandSucceeded;
}

// Changes the defaults file directly, for a Tessel that is not running.
int storeOffline(const QString& name, std::optional<QKeyCombination> keys, const CommandIO& io) {
    UserDefaults defaults(UserDefaults::defaultDirectory());
    if (!ShortcutRegistry::store(defaults, name, keys)) {
        return io.fail(defaults.lastError().value_or(
            QStringLiteral("Couldn't write %1").arg(defaults.filePath())));
    }
    io.out << "Tessel is not running; it will use this when it starts." << Qt::endl;
    return commandSucceeded;
}

// The running Tessel binds at once; without one, the stored shortcuts change.
int change(const QString& name, std::optional<QKeyCombination> keys, const QDBusMessage& reply,
           const CommandIO& io) {
    if (BusClient::saysNotRunning(reply)) {
        return storeOffline(name, keys, io);
    }
    return BusClient::report(reply, io);
}

int set(const QString& name, const QString& text, const CommandIO& io) {
    const auto keys = ShortcutKeys::parse(text);
    if (!keys) {
        return io.fail(QStringLiteral("\"%1\" is not a key combination Tessel can use. Write "
                                      "modifiers and a key like Ctrl+Alt+P.")
                           .arg(text));
    }
    const QDBusMessage reply = BusClient().control(QStringLiteral("SetShortcut"), {name, text});
    const int status = change(name, keys, reply, io);
    if (status == commandSucceeded && !BusClient::saysNotRunning(reply)) {
        io.out << name << '\t' << ShortcutKeys::format(*keys) << Qt::endl;
    }
    return status;
}

int clear(const QString& name, const CommandIO& io) {
    return change(name, std::nullopt, BusClient().control(QStringLiteral("ClearShortcut"), {name}),
                  io);
}

} // namespace

int runShortcutCommand(const QStringList& arguments, const CommandIO& io) {
    const QString verb = arguments.value(1);
    if (verb == u"list" && arguments.size() == 2) {
        return list(io);
    }
    const QString name = arguments.value(2);
    const bool named = ShortcutActions::names().contains(name);
    if (verb == u"set" && arguments.size() == 4 && named) {
        return set(name, arguments[3], io);
    }
    if (verb == u"clear" && arguments.size() == 3 && named) {
        return clear(name, io);
    }
    if (verb == u"run" && arguments.size() == 3 && named) {
        return BusClient::report(BusClient().control(QStringLiteral("RunShortcut"), {name}), io);
    }
    if ((verb == u"set" || verb == u"clear" || verb == u"run") && arguments.size() > 2 && !named) {
        return io.fail(QStringLiteral("there is no shortcut \"%1\"; the shortcuts are %2.")
                           .arg(name, ShortcutActions::names().join(u", ")));
    }
    return io.usage(
        QStringLiteral("tessel shortcut set NAME COMBO | clear NAME | run NAME | list"));
}

} // namespace tessel
