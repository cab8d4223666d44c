#pragma once

#include "FakeService.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
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

} // namespace tessel::test

Q_DECLARE_METATYPE(tessel::test::Inhibitor)
