#include "FakeDesktopServices.h"

#include <QDBusMessage>
#include <QDBusMetaType>

namespace tessel::test {

using namespace Qt::StringLiterals;

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

} // namespace tessel::test
