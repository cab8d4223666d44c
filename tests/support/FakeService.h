#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QThread>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tessel::test {

class Responder;

// The reply's arguments to a method call, or nothing for an unknown method. It runs on the
// service's thread, so what it reads while the test changes it must be atomic or locked.
using Answer = std::function<std::optional<QVariantList>(const QDBusMessage& call)>;

// Owns a service name on the private session bus from its own connection, with its objects in
// a worker thread so that blocking calls from the main thread get their answers.
class FakeService {
public:
    explicit FakeService(const QString& serviceName);
    ~FakeService();

    // An object at path answering every call, to any interface, through answer.
    void answer(const QString& path, Answer answer);
    void emitSignal(const QString& path, const QString& interface, const QString& name,
                    const QVariantList& arguments);

private:
    QString m_connectionName;
    QString m_serviceName;
    QThread m_thread;
    std::unique_ptr<QDBusConnection> m_connection;
    std::vector<std::unique_ptr<Responder>> m_objects;
};

// A stand-in's answer to a read of one property through org.freedesktop.DBus.Properties.
inline std::optional<QVariantList> property(const QDBusMessage& call, const QString& name,
                                            const QVariant& value) {
    if (call.member() != u"Get" || call.arguments().value(1).toString() != name) {
        return std::nullopt;
    }
    return QVariantList{QVariant::fromValue(QDBusVariant(value))};
}

} // namespace tessel::test
