#pragma once

#include <QStringList>
#include <QTextStream>

#include <optional>

namespace tessel {

// `tessel import FILE` and `tessel export-paper ID FILE`. Import hands the file to a running
// Tessel, so that its settings are not overwritten behind its back, and edits the stored
// settings only when none runs. Returns none for any other command. Needs a QCoreApplication.
std::optional<int> runPaperFileCommand(const QStringList& arguments, QTextStream& out,
                                       QTextStream& err);

} // namespace tessel
