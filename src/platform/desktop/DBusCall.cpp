#include "platform/desktop/DBusCall.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace tessel {

namespace {

// Start-up waits for these answers, so a hung service must not hold it up for long.
constexpr int timeoutMs = 1000;

} // namespace

QVariant unwrapVariant(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

std::optional<QVariant> dbusCall(const QDBusConnection& bus, const QString& service,
                                 const QString& path, const QString& interface,
                                 const QString& method, const QVariantList& arguments) {
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus.call(message, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    return unwrapVariant(reply.arguments().constFirst());
}

} // namespace tessel
