#pragma once

#include <QStringList>
#include <QTextStream>

namespace tessel {

// `tessel export tile|field|preview PAPER ...`: a paper's tile, height field or grey preview
// written to a file, for use elsewhere and for checking the engine from outside.
int runExport(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace tessel
