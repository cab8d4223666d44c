#pragma once

#include "paper/Json.h"
#include "paper/Recipe.h"

#include <optional>

namespace tessel {

// Keys in field order; floats as the shortest decimal that reads back to the same
// 32-bit float; the seed as an exact unsigned 64-bit integer.
Json toJson(const Recipe& recipe);

// Strict: every key present and of its kind, every float finite, the pattern one of
// its raw values. Unknown keys are ignored.
std::optional<Recipe> recipeFromJson(const Json& json);

// The shortest decimal text that reads back to the same float, as a JSON number.
Json shortestJsonNumber(float value);

} // namespace tessel
