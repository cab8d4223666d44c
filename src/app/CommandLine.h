#pragma once

#include <QStringList>
#include <QTextStream>

#include <optional>

namespace tessel {

// The `tessel` subcommands that work without a desktop. Returns the exit code, or none
// when the arguments ask for the application itself.
std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Whether the command talks to the running Tessel, and so needs the session bus.
bool needsSessionBus(const QStringList& arguments);

} // namespace tessel
