#include "paper/RecipeJson.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <span>

namespace tessel {

namespace {

using FloatField = float Recipe::*;

struct NamedFloat {
    const char* key;
    FloatField field;
};

constexpr std::array<NamedFloat, 9> leadingFloats = {{
    {"cloud", &Recipe::cloud},
    {"grain", &Recipe::grain},
    {"tooth", &Recipe::tooth},
    {"toothSize", &Recipe::toothSize},
    {"fibres", &Recipe::fibres},
    {"fibreDensity", &Recipe::fibreDensity},
    {"fibreLength", &Recipe::fibreLength},
    {"fibreWidth", &Recipe::fibreWidth},
    {"flecks", &Recipe::flecks},
}};

constexpr std::array<NamedFloat, 2> trailingFloats = {{
    {"patternAmount", &Recipe::patternAmount},
    {"warmth", &Recipe::warmth},
}};

std::optional<float> finiteFloat(const Json& json, const char* key) {
    const auto it = json.find(key);
    if (it == json.end() || !it->is_number()) {
        return std::nullopt;
    }
    const auto value = static_cast<float>(it->get<double>());
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

Json shortestJsonNumber(float value) {
    // The double nearest the float's shortest decimal prints as that same decimal.
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size() - 1, value);
    *result.ptr = '\0';
    return std::strtod(text.data(), nullptr);
}

Json toJson(const Recipe& recipe) {
    Json json = Json::object();
    for (const auto& [key, field] : leadingFloats) {
        json[key] = shortestJsonNumber(recipe.*field);
    }
    json["pattern"] = rawValue(recipe.pattern).toStdString();
    for (const auto& [key, field] : trailingFloats) {
        json[key] = shortestJsonNumber(recipe.*field);
    }
    json["seed"] = recipe.seed;
    return json;
}

std::optional<Recipe> recipeFromJson(const Json& json) {
    if (!json.is_object()) {
        return std::nullopt;
    }
    Recipe recipe;
    for (const auto& group : {std::span<const NamedFloat>(leadingFloats),
                              std::span<const NamedFloat>(trailingFloats)}) {
        for (const auto& [key, field] : group) {
            const auto value = finiteFloat(json, key);
            if (!value) {
                return std::nullopt;
            }
            recipe.*field = *value;
        }
    }
    const auto pattern = json.find("pattern");
    if (pattern == json.end() || !pattern->is_string()) {
        return std::nullopt;
    }
    const auto parsed = patternFromRaw(QString::fromStdString(pattern->get<std::string>()));
    if (!parsed) {
        return std::nullopt;
    }
    recipe.pattern = *parsed;
    const auto seed = json.find("seed");
    if (seed == json.end() || !seed->is_number_unsigned()) {
        return std::nullopt;
    }
    recipe.seed = seed->get<std::uint64_t>();
    return recipe;
}

} // namespace tessel
