#pragma once

#include <nlohmann/json_fwd.hpp>

namespace tessel {

// Documents keep their keys in the order they were written.
using Json = nlohmann::ordered_json;

} // namespace tessel
