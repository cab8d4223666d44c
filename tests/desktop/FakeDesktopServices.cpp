#include "FakeDesktopServices.h"

#include <QDBusMessage>
#include <QDBusMetaType>

namespace tessel::test {

using namespace Qt::StringLiterals;

namespace {

int connectionCount = 0;

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const Inhibitor& inhibitor) {
    argument.beginStructure();
    argument << inhibitor.what << inhibitor.who << inhibitor.why << inhibitor.mode << inhibitor.uid
             << inhibitor.pid;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Inhibitor& inhibitor) {
    argument.beginStructure();
    argument >> inhibitor.what >> inhibitor.who >> inhibitor.why >> inhibitor.mode >>
        inhibitor.uid >> inhibitor.pid;
    argument.endStructure();
    return argument;
}

FakeLogind::FakeLogind() {
    qDBusRegisterMetaType<Inhibitor>();
    qDBusRegisterMetaType<QList<Inhibitor>>();
}

QDBusVariant FakePortal::ReadOne(const QString& group, const QString& key) {
    if (group == u"org.freedesktop.appearance" && key == u"color-scheme") {
        return QDBusVariant(QVariant::fromValue(colorScheme.load()));
    }
    if (group == u"org.gnome.desktop.interface" && key == u"enable-animations") {
        return QDBusVariant(QVariant::fromValue(animations.load()));
    }
    return QDBusVariant(QVariant());
}

QDBusVariant FakePortal::Read(const QString& group, const QString& key) {
    return QDBusVariant(QVariant::fromValue(ReadOne(group, key)));
}

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
