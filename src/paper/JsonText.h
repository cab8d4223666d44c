#pragma once

#include "paper/Json.h"

#include <optional>
#include <string_view>

namespace tessel {

// Deeper documents are refused: writing JSON back recurses once per level.
inline constexpr int maxJsonDepth = 64;

// Parses untrusted text: none when it is not JSON or nests deeper than maxJsonDepth.
// Callers bound the text's size before they read it.
std::optional<Json> parseJsonText(std::string_view text);

} // namespace tessel
