#include "app/BusClient.h"

#include "app/AutomationService.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMetaType>
#include <QFileInfo>
#include <QUrl>

namespace tessel {

namespace {

const QString applicationInterface = QStringLiteral("org.freedesktop.Application");
const char* const notRunning = "Tessel is not running. Start it with 'tessel' first.";

} // namespace

BusClient::BusClient() {
    registerBusTypes();
}

QDBusMessage BusClient::call(const QString& interface, const QString& method,
                             const QVariantList& arguments) const {
    QDBusMessage message = QDBusMessage::createMethodCall(
        AutomationService::serviceName(), AutomationService::objectPath(), interface, method);
    message.setArguments(arguments);
    message.setAutoStartService(false);
    return QDBusConnection::sessionBus().call(message);
}

QDBusMessage BusClient::activateAction(const QString& action,
                                       const std::optional<QVariant>& value) const {
    const QVariantList parameter = value ? QVariantList{*value} : QVariantList{};
    return call(applicationInterface, QStringLiteral("ActivateAction"),
                {action, QVariant::fromValue(parameter), QVariantMap()});
}

QDBusMessage BusClient::control(const QString& method, const QVariantList& arguments) const {
    return call(AutomationService::controlInterface(), method, arguments);
}

QDBusMessage BusClient::open(const QStringList& paths) const {
    QStringList uris;
    for (const QString& path : paths) {
        uris << QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString();
    }
    return call(applicationInterface, QStringLiteral("Open"), {uris, QVariantMap()});
}

bool BusClient::activate() const {
    return call(applicationInterface, QStringLiteral("Activate"), {QVariantMap()}).type() ==
           QDBusMessage::ReplyMessage;
}

bool BusClient::saysNotRunning(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return false;
    }
    const QString name = reply.errorName();
    return name == QDBusError::errorString(QDBusError::ServiceUnknown) ||
           name == u"org.freedesktop.DBus.Error.NameHasNoOwner" ||
           name == QDBusError::errorString(QDBusError::Disconnected) ||
           !QDBusConnection::sessionBus().isConnected();
}

int BusClient::report(const QDBusMessage& reply, const CommandIO& io) {
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return commandSucceeded;
    }
    return io.fail(saysNotRunning(reply) ? QString::fromLatin1(notRunning) : reply.errorMessage());
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

} // namespace tessel
