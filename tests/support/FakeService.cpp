#include "FakeService.h"

#include <QDBusVirtualObject>

namespace tessel::test {

using namespace Qt::StringLiterals;

class Responder : public QDBusVirtualObject {
public:
    explicit Responder(Answer answer)
        : m_answer(std::move(answer)) {}

    QString introspect(const QString&) const override { return {}; }

    // Introspection is left to Qt, so that answers need not tell it apart.
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() == u"org.freedesktop.DBus.Introspectable") {
            return false;
        }
        const std::optional<QVariantList> reply = m_answer(message);
        connection.send(
            reply ? message.createReply(*reply)
                  : message.createErrorReply(QDBusError::UnknownMethod, message.member()));
        return true;
    }

private:
    Answer m_answer;
};

namespace {

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

void FakeService::answer(const QString& path, Answer answer) {
    auto& object = m_objects.emplace_back(std::make_unique<Responder>(std::move(answer)));
    object->moveToThread(&m_thread);
    if (!m_connection->registerVirtualObject(path, object.get())) {
        throw std::runtime_error("cannot serve " + path.toStdString());
    }
}

void FakeService::emitSignal(const QString& path, const QString& interface, const QString& name,
                             const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createSignal(path, interface, name);
    message.setArguments(arguments);
    m_connection->send(message);
}

} // namespace tessel::test
