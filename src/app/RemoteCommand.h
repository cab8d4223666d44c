#pragma once

#include <QDBusMessage>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace tessel {

// The `tessel` subcommands that ask the running instance over the session bus: on, off,
// paper, snooze, focus-filter and status. Returns none for any other command. Needs a
// QCoreApplication.
std::optional<int> runRemoteCommand(const QStringList& arguments, QTextStream& out,
                                    QTextStream& err);

// Whether the command talks to the running instance (these, `shortcut` and `import`).
bool needsSessionBus(const QStringList& arguments);

// Workaround: Qt 6.4 registers the D-Bus types lazily, and a message arriving on the bus thread
// first can meet them half made ("Trying to construct an instance of an invalid type").
// Call before the first use of the session bus.
void registerBusTypes();

// Whether the reply says no Tessel holds the name on the session bus, or there is no bus.
bool saysNotRunning(const QDBusMessage& reply);

// Asks a running instance to re-open its windows; false when none answers.
bool activateRunningInstance();

} // namespace tessel
