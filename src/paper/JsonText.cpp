#include "paper/JsonText.h"

#include <nlohmann/json.hpp>

namespace tessel {

std::optional<Json> parseJsonText(std::string_view text) {
    bool tooDeep = false;
    // Discarding what lies too deep keeps the parser from building it; the flag refuses the
    // whole document rather than handing back a part of it.
    const auto limitDepth = [&tooDeep](int depth, Json::parse_event_t, Json&) {
        tooDeep = tooDeep || depth > maxJsonDepth;
        return !tooDeep;
    };
    Json parsed = Json::parse(text.cbegin(), text.cend(), limitDepth, false);
    if (tooDeep || parsed.is_discarded()) {
        return std::nullopt;
    }
    return parsed;
}

} // namespace tessel
