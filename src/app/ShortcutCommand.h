#pragma once

#include "app/CommandIO.h"

namespace tessel {

// `tessel shortcut set NAME COMBO | clear NAME | list`. A running Tessel binds the
// combination at once and reports a clash; otherwise the defaults file is changed and
// Tessel binds it when it starts. Needs a QCoreApplication.
int runShortcutCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
