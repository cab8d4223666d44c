#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace tessel {

// One shortcut as the GlobalShortcuts portal passes it: an id and its properties
// ("description", "preferred_trigger", "trigger_description"), D-Bus type (sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

using PortalShortcutList = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// Registers the types with Qt D-Bus, once.
void registerPortalShortcutTypes();

} // namespace tessel

Q_DECLARE_METATYPE(tessel::PortalShortcut)
Q_DECLARE_METATYPE(tessel::PortalShortcutList)
