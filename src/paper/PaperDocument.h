#pragma once

#include "paper/Json.h"
#include "paper/Paper.h"

#include <optional>

namespace tessel {

// A custom paper in its keyed form {"id", "name", "recipe"}: an entry of the settings'
// custom papers and the whole content of a .tessel paper document.
Json toJson(const CustomPaper& paper);

// Strict: all three keys of their kinds and a recipe that decodes. The name comes out
// cleaned, as cleanPaperName makes it, whoever wrote the document.
std::optional<CustomPaper> customPaperFromJson(const Json& json);

} // namespace tessel
