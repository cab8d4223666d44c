#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QObject>
#include <QThread>
#include <QVariantMap>

#include <atomic>
#include <memory>

namespace tessel::test {

// The settings portal as xdg-desktop-portal serves it: ReadOne and the older Read, whose
// answer is wrapped in a second variant.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    std::atomic<uint> colorScheme{0};
    std::atomic<bool> animations{true};

public Q_SLOTS:
    QDBusVariant ReadOne(const QString& group, const QString& key);
    QDBusVariant Read(const QString& group, const QString& key);
};

// A portal from before ReadOne existed.
class OldFakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    explicit OldFakePortal(FakePortal& values)
        : m_values(values) {}

public Q_SLOTS:
    QDBusVariant Read(const QString& group, const QString& key) {
        return m_values.Read(group, key);
    }

private:
    FakePortal& m_values;
};

class FakeUPower : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower")
    Q_PROPERTY(bool OnBattery READ onBattery)

public:
    std::atomic<bool> battery{false};
    bool onBattery() const { return battery; }
};

// One logind inhibitor as ListInhibitors lists it.
struct Inhibitor {
    QString what, who, why, mode;
    uint uid = 0, pid = 0;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Inhibitor& inhibitor);
const QDBusArgument& operator>>(const QDBusArgument& argument, Inhibitor& inhibitor);

class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    FakeLogind();
    QList<Inhibitor> inhibitors;

public Q_SLOTS:
    QList<tessel::test::Inhibitor> ListInhibitors() { return inhibitors; }
};

class FakeGnomeSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")

public:
    std::atomic<uint> inhibited{0};

public Q_SLOTS:
    bool IsInhibited(uint flags) { return (inhibited & flags) != 0; }
};

class FakeKdeInhibit : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.PowerManagement.Inhibit")

public:
    std::atomic<bool> held{false};

public Q_SLOTS:
    bool HasInhibit() { return held; }
};

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

Q_DECLARE_METATYPE(tessel::test::Inhibitor)
