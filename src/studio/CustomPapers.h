#pragma once

#include "core/Settings.h"

namespace tessel {

// "custom-" and eight upper-case hex digits, fresh each call.
QString newCustomPaperId();

// Replaces the first paper with the same id, or adds it at the end.
void storeCustomPaper(Settings& settings, const CustomPaper& paper);

// Stores the document's paper under a fresh id, so importing a file twice gives two papers.
// An empty name becomes "My Paper". Returns the new id.
QString importPaper(Settings& settings, CustomPaper document);

// Removes every paper with the id; a slot that showed it falls back to Kozo at its weight.
void deleteCustomPaper(Settings& settings, const QString& id);

} // namespace tessel
