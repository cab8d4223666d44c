#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tessel {

// Everything that makes one paper: the synthesis weights, the tint and the seed.
// A recipe is the key of the height-field and tile caches, so equality and hashing
// treat every field, the seed included.
struct Recipe {
    // Persisted by raw value; new cases go at the end.
    enum class Pattern { none, laid, linen, graph };

    float cloud = 0;
    float grain = 0;
    float tooth = 0;
    float toothSize = 24;
    float fibres = 0;
    float fibreDensity = 0;
    float fibreLength = 60;
    float fibreWidth = 0.8f;
    float flecks = 0;
    Pattern pattern = Pattern::none;
    float patternAmount = 0;
    float warmth = 0;
    std::uint64_t seed = 0;

    // IEEE comparison of the floats: +0 equals -0, a NaN field equals nothing.
    friend bool operator==(const Recipe&, const Recipe&) = default;
};

QString rawValue(Recipe::Pattern pattern);
std::optional<Recipe::Pattern> patternFromRaw(const QString& raw);

// Agrees with operator==: +0 and -0 hash alike.
std::size_t qHash(const Recipe& recipe, std::size_t seed = 0) noexcept;

} // namespace tessel

template <> struct std::hash<tessel::Recipe> {
    std::size_t operator()(const tessel::Recipe& recipe) const noexcept {
        return tessel::qHash(recipe);
    }
};
