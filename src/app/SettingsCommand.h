#pragma once

#include "app/CommandIO.h"

namespace tessel {

// `tessel settings show [--file PATH]` prints the settings as Tessel reads them;
// `tessel settings set KEY VALUE` changes one, refusing what the setting cannot take.
int runSettingsCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
