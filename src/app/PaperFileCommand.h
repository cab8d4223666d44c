#pragma once

#include "app/CommandIO.h"

namespace tessel {

// `tessel import FILE...` hands each file to a running Tessel, so that its settings are not
// overwritten behind its back, and edits the stored settings only when none runs. Needs a
// QCoreApplication.
int runImportCommand(const QStringList& arguments, const CommandIO& io);

// `tessel export-paper ID FILE`: a paper as a .tessel document.
int runExportPaperCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
