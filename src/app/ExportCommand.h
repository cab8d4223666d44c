#pragma once

#include "app/CommandIO.h"

namespace tessel {

// `tessel export tile|field|preview PAPER ...`: a paper's tile, height field or grey preview
// written to a file, for use elsewhere and for checking the engine from outside.
int runExportCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
