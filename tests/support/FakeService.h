#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QObject>
#include <QThread>
#include <QVariantList>

#include <memory>

namespace tessel::test {

// Owns a service name on the private session bus from its own connection, with the objects
// in a worker thread so that blocking calls from the main thread get their answers.
class FakeService {
public:
    explicit FakeService(const QString& serviceName);
    ~FakeService();

    // The object is moved to the worker thread; it must outlive this service.
    bool add(const QString& path, QObject& object);
    // An object that answers every message itself, as services written in other languages do.
    bool addVirtual(const QString& path, QDBusVirtualObject& object);
    // Emits a signal from the service's connection.
    void emitSignal(const QString& path, const QString& interface, const QString& name,
                    const QVariantList& arguments);

private:
    QString m_connectionName;
    QString m_serviceName;
    QThread m_thread;
    std::unique_ptr<QDBusConnection> m_connection;
};

} // namespace tessel::test
