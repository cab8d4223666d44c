#include "paper/Recipe.h"

#include <QHashFunctions>

#include <array>

namespace tessel {

namespace {

constexpr std::array patternNames = {"none", "laid", "linen", "graph"};

std::size_t hashFloat(float value, std::size_t seed) {
    // Fold -0 into +0 so that values that compare equal hash alike.
    return ::qHash(value == 0.0f ? 0.0f : value, seed);
}

} // namespace

QString rawValue(Recipe::Pattern pattern) {
    return QString::fromLatin1(patternNames.at(static_cast<std::size_t>(pattern)));
}

std::optional<Recipe::Pattern> patternFromRaw(const QString& raw) {
    for (std::size_t i = 0; i < patternNames.size(); ++i) {
        if (raw == QLatin1String(patternNames[i])) {
            return static_cast<Recipe::Pattern>(i);
        }
    }
    return std::nullopt;
}

std::size_t qHash(const Recipe& r, std::size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    for (float value : {r.cloud, r.grain, r.tooth, r.toothSize, r.fibres, r.fibreDensity,
                        r.fibreLength, r.fibreWidth, r.flecks}) {
        seed = combine(seed, hashFloat(value, 0));
    }
    seed = combine(seed, ::qHash(rawValue(r.pattern)));
    seed = combine(seed, hashFloat(r.patternAmount, 0));
    seed = combine(seed, hashFloat(r.warmth, 0));
    return combine(seed, ::qHash(static_cast<quint64>(r.seed)));
}

} // namespace tessel
