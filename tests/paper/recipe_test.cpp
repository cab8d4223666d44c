#include "paper/Recipe.h"
#include "paper/RecipeJson.h"

#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>

namespace tessel {
namespace {

Recipe sample() {
    return {0.35f, 0.35f, 0, 24, 0.8f, 0.45f, 140, 0.9f, 0, Recipe::Pattern::laid,
            0.55f, 0.15f, 11};
}

TEST(RecipeEquality, ComparesEveryFieldTreatingSignedZerosAlikeAndNaNAsUnequal) {
    Recipe a = sample();
    Recipe b = sample();
    EXPECT_EQ(a, b);
    b.seed = 12;
    EXPECT_NE(a, b);

    b = a;
    a.warmth = 0.0f;
    b.warmth = -0.0f;
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));

    b.pattern = Recipe::Pattern::graph;
    EXPECT_NE(a, b);
    a.cloud = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(a == a);
}

// The largest seed is written whole, as an unsigned integer.
TEST(RecipeJson, WritesKeysInFieldOrderWithShortestFloats) {
    Recipe recipe = sample();
    recipe.seed = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(toJson(recipe).dump(), R"({"cloud":0.35,"grain":0.35,"tooth":0.0,"toothSize":24.0,)"
                                     R"("fibres":0.8,"fibreDensity":0.45,"fibreLength":140.0,)"
                                     R"("fibreWidth":0.9,"flecks":0.0,"pattern":"laid",)"
                                     R"("patternAmount":0.55,"warmth":0.15,)"
                                     R"("seed":18446744073709551615})");
}

TEST(RecipeJson, RandomRecipesRoundTripExactly) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    for (int i = 0; i < 500; ++i) {
        Recipe r{value(random), value(random),
                 value(random), value(random),
                 value(random), value(random),
                 value(random), value(random),
                 value(random), static_cast<Recipe::Pattern>(random() % 4),
                 value(random), value(random),
                 random()};
        const auto back = recipeFromJson(Json::parse(toJson(r).dump()));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, r);
    }
}

// Every field present with its own type; extra keys are ignored.
TEST(RecipeJson, DecodingIsStrict) {
    const Json good = toJson(sample());
    const std::pair<const char*, Json> refused[] = {
        {"seed", nullptr}, {"pattern", "woven"},  {"seed", -1}, {"seed", 1.5},
        {"grain", "0.3"},  {"fibreLength", 1e39}, // a finite double, an infinite float
    };
    for (const auto& [key, value] : refused) {
        Json bad = good;
        value.is_null() ? static_cast<void>(bad.erase(key)) : static_cast<void>(bad[key] = value);
        EXPECT_FALSE(recipeFromJson(bad)) << key << " " << value.dump();
    }
    Json extraKey = good;
    extraKey["shine"] = 3;
    EXPECT_EQ(recipeFromJson(extraKey), sample());
    EXPECT_FALSE(recipeFromJson(Json::array()));
}

} // namespace
} // namespace tessel
