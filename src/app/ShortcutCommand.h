#pragma once

#include "app/CommandIO.h"

namespace tessel {

// `tessel shortcut set NAME COMBO | clear NAME | run NAME | list`. A running Tessel binds the
// combination at once and reports a clash; otherwise the defaults file is changed and
// Tessel binds it when it starts. `run` has the running Tessel do the action, for a desktop's
// own key bindings. Needs a QCoreApplication.
int runShortcutCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
