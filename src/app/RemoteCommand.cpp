#include "app/RemoteCommand.h"

#include "app/AutomationService.h"
#include "core/SettingLimits.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>

namespace tessel {

namespace {

const char* const notRunning = "Tessel is not running. Start it with 'tessel' first.";

QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        AutomationService::serviceName(), AutomationService::objectPath(), interface, method);
    message.setArguments(args);
    registerBusTypes();
    // Never start Tessel by bus activation: these commands talk to one already running.
    message.setAutoStartService(false);
    return QDBusConnection::sessionBus().call(message);
}

int report(const QDBusMessage& reply, QTextStream& err) {
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return 0;
    }
    if (saysNotRunning(reply)) {
        err << "tessel: " << notRunning << Qt::endl;
    } else {
        err << "tessel: " << reply.errorMessage() << Qt::endl;
    }
    return 1;
}

int action(const QString& name, const std::optional<QVariant>& value, QTextStream& err) {
    const QVariantList parameter = value ? QVariantList{*value} : QVariantList{};
    const QDBusMessage reply =
        call(QStringLiteral("org.freedesktop.Application"), QStringLiteral("ActivateAction"),
             {name, QVariant::fromValue(parameter), QVariantMap()});
    return report(reply, err);
}

template <typename First, typename Second> QVariant pair(const First& first, const Second& second) {
    QDBusArgument argument;
    argument.beginStructure();
    argument << first << second;
    argument.endStructure();
    return QVariant::fromValue(argument);
}

int usage(QTextStream& err, const char* text) {
    err << "tessel: usage: " << text << Qt::endl;
    return 2;
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

int paper(const QStringList& args, QTextStream& err) {
    const char* const form = "tessel paper ID [--gsm N]";
    if (args.size() != 1 && !(args.size() == 3 && args[1] == u"--gsm")) {
        return usage(err, form);
    }
    const auto gsm = args.size() == 3 ? wholeNumber(args[2]) : std::optional(0);
    // 0 would read as "no weight given", so it is refused here like any other bad weight.
    if (!gsm || (args.size() == 3 && *gsm == 0)) {
        err << "tessel: Weight must be from " << limits::gsm.lowest << " to " << limits::gsm.highest
            << " gsm, not " << args.value(2) << "." << Qt::endl;
        return 1;
    }
    return action(QStringLiteral("set-paper"), pair(args[0], *gsm), err);
}

int focusFilter(const QStringList& args, QTextStream& err) {
    const char* const form = "tessel focus-filter on|off [--paper ID]";
    const bool shape = args.size() == 1 || (args.size() == 3 && args[1] == u"--paper");
    if (!shape || (args[0] != u"on" && args[0] != u"off")) {
        return usage(err, form);
    }
    return action(QStringLiteral("set-focus-filter"), pair(args[0] == u"on", args.value(2)), err);
}

int status(QTextStream& out, QTextStream& err) {
    const QDBusMessage reply =
        call(AutomationService::controlInterface(), QStringLiteral("Status"), {});
    if (const int code = report(reply, err)) {
        return code;
    }
    out << reply.arguments().value(0).toString();
    out.flush();
    return 0;
}

} // namespace

std::optional<int> runRemoteCommand(const QStringList& arguments, QTextStream& out,
                                    QTextStream& err) {
    const QString command = arguments.value(0);
    const QStringList args = arguments.mid(1);
    if (command == u"on" || command == u"off") {
        if (!args.isEmpty()) {
            return usage(err, "tessel on|off");
        }
        return action(QStringLiteral("set-paper-on"), command == u"on", err);
    }
    if (command == u"paper" && args.value(0) != u"list") {
        return paper(args, err);
    }
    if (command == u"snooze") {
        const auto minutes = args.size() == 1 ? wholeNumber(args[0]) : std::nullopt;
        if (!minutes) {
            return usage(err, "tessel snooze MINUTES");
        }
        return action(QStringLiteral("snooze"), *minutes, err);
    }
    if (command == u"focus-filter") {
        return focusFilter(args, err);
    }
    if (command == u"status") {
        return args.isEmpty() ? status(out, err) : usage(err, "tessel status");
    }
    if (command == u"rest" || command == u"art") {
        return args.isEmpty() ? action(command, std::nullopt, err) : usage(err, "tessel rest|art");
    }
    return std::nullopt;
}

void registerBusTypes() {
    static const bool registered = [] {
        for (const QMetaType type :
             {QMetaType::fromType<QDBusMessage>(), QMetaType::fromType<QDBusArgument>(),
              QMetaType::fromType<QDBusVariant>(), QMetaType::fromType<QDBusObjectPath>(),
              QMetaType::fromType<QDBusSignature>(), QMetaType::fromType<QDBusError>()}) {
            type.id();
        }
        return true;
    }();
    Q_UNUSED(registered);
}

bool needsSessionBus(const QStringList& arguments) {
    static const QStringList commands{
        QStringLiteral("on"),     QStringLiteral("off"),          QStringLiteral("snooze"),
        QStringLiteral("status"), QStringLiteral("focus-filter"), QStringLiteral("shortcut"),
        QStringLiteral("rest"),   QStringLiteral("art"),          QStringLiteral("import"),
    };
    const QString command = arguments.value(0);
    return commands.contains(command) || (command == u"paper" && arguments.value(1) != u"list");
}

bool saysNotRunning(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return false;
    }
    const QString name = reply.errorName();
    return name == QDBusError::errorString(QDBusError::ServiceUnknown) ||
           name == u"org.freedesktop.DBus.Error.NameHasNoOwner" ||
           name == QDBusError::errorString(QDBusError::Disconnected) ||
           !QDBusConnection::sessionBus().isConnected();
}

bool activateRunningInstance() {
    const QDBusMessage reply = call(QStringLiteral("org.freedesktop.Application"),
                                    QStringLiteral("Activate"), {QVariantMap()});
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace tessel
