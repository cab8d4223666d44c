#pragma once

#include "core/Settings.h"

#include <optional>
#include <variant>

namespace tessel {

// Why a paper was not added, as one sentence for the user.
struct PaperRefusal {
    QString message;

    friend bool operator==(const PaperRefusal&, const PaperRefusal&) = default;
};

// "custom-" and eight upper-case hex digits, fresh each call.
QString newCustomPaperId();

// Refuses one paper more once the settings hold limits::customPapers of them.
std::optional<PaperRefusal> refuseNewPaper(const Settings& settings);

// Replaces the first paper with the same id, or adds it at the end unless refuseNewPaper
// refuses it; a refused paper changes nothing.
std::optional<PaperRefusal> storeCustomPaper(Settings& settings, const CustomPaper& paper);

// The name itself while no paper has it (in any case), else the name with the lowest number
// from 2 that no paper has: a second "Kitchen" is "Kitchen 2", and one more "Kitchen 2" is
// "Kitchen 3".
QString unusedPaperName(const Settings& settings, const QString& name);

// Stores the document's paper under a fresh id, so importing a file twice gives two papers.
// The name is cleaned, an empty one becomes "My Paper", and one already taken gets a number.
// Returns the new id, or why the paper was not added.
std::variant<QString, PaperRefusal> importPaper(Settings& settings, CustomPaper document);

// Removes every paper with the id; a slot that showed it falls back to Kozo at its weight.
void deleteCustomPaper(Settings& settings, const QString& id);

} // namespace tessel
