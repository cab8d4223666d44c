#pragma once

#include "app/CommandIO.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace tessel {

// The command line's one way to a running Tessel over the session bus. Never starts Tessel
// by bus activation: these calls talk to one already running. Needs a QCoreApplication.
class BusClient {
public:
    BusClient();

    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments) const;
    // An org.freedesktop.Application action, with its one value or none.
    QDBusMessage activateAction(const QString& action, const std::optional<QVariant>& value) const;
    // A method of Tessel's own control interface.
    QDBusMessage control(const QString& method, const QVariantList& arguments) const;
    // Hands paper documents to the running Tessel, as a file manager would.
    QDBusMessage open(const QStringList& paths) const;
    // Asks the running Tessel to re-open its windows; false when none answers.
    bool activate() const;

    // Whether the reply says no Tessel holds the name on the session bus, or there is no bus.
    static bool saysNotRunning(const QDBusMessage& reply);
    // The reply as an exit status: 0, or 1 after saying why on stderr.
    static int report(const QDBusMessage& reply, const CommandIO& io);
};

// Workaround: Qt 6.4 registers the D-Bus types lazily, and a message arriving on the bus thread
// first can meet them half made ("Trying to construct an instance of an invalid type").
// Call before the first use of the session bus.
void registerBusTypes();

} // namespace tessel
