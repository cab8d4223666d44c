#include "FakeService.h"

#include <QDBusMessage>

namespace tessel::test {

namespace {

using namespace Qt::StringLiterals;

int connectionCount = 0;

} // namespace

FakeService::FakeService(const QString& serviceName)
    : m_connectionName(u"fake-service-%1"_s.arg(++connectionCount))
    , m_serviceName(serviceName) {
    m_connection = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName));
    m_connection->registerService(serviceName);
    m_thread.start();
}

FakeService::~FakeService() {
    m_connection->unregisterService(m_serviceName);
    m_connection.reset();
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_thread.quit();
    m_thread.wait();
}

bool FakeService::add(const QString& path, QObject& object) {
    object.moveToThread(&m_thread);
    return m_connection->registerObject(
        path, &object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
}

bool FakeService::addVirtual(const QString& path, QDBusVirtualObject& object) {
    object.moveToThread(&m_thread);
    return m_connection->registerVirtualObject(path, &object);
}

void FakeService::emitSignal(const QString& path, const QString& interface, const QString& name,
                             const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createSignal(path, interface, name);
    message.setArguments(arguments);
    m_connection->send(message);
}

} // namespace tessel::test
