#include "paper/HeightField.h"
#include "paper/LayerMix.h"
#include "paper/Normalise.h"
#include "paper/Paper.h"
#include "paper/SplitMix64.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

constexpr int side = 256;
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

Recipe only(float Recipe::*weight, std::uint64_t seed = 1) {
    Recipe recipe;
    recipe.fibreDensity = 0.5f;
    recipe.*weight = 1;
    recipe.seed = seed;
    return recipe;
}

double correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sab += a[i] * b[i];
        saa += a[i] * a[i];
        sbb += b[i] * b[i];
    }
    return sab / std::sqrt(saa * sbb);
}

TEST(HeightField, EveryBuiltInPaperIsNormalisedAndRepeatable) {
    for (const Paper& paper : Paper::builtIn()) {
        const std::vector<float> field = heightField(paper.recipe, side);
        ASSERT_EQ(field.size(), static_cast<std::size_t>(side * side));
        double sum = 0, squares = 0;
        for (float v : field) {
            sum += v;
            squares += static_cast<double>(v) * v;
        }
        const double mean = sum / field.size();
        EXPECT_NEAR(mean, 0, 1e-4) << paper.id.toStdString();
        EXPECT_NEAR(std::sqrt(squares / field.size() - mean * mean), 1, 1e-3)
            << paper.id.toStdString();
        EXPECT_EQ(heightField(paper.recipe, side), field) << paper.id.toStdString();
    }
}

TEST(HeightField, TheSeedAndEachLayerTurnedOnChangeTheLaterDraws) {
    for (float Recipe::*layer :
         {&Recipe::cloud, &Recipe::grain, &Recipe::tooth, &Recipe::fibres, &Recipe::flecks}) {
        const std::vector<float> a = heightField(only(layer, 1), side);
        const std::vector<float> b = heightField(only(layer, 2), side);
        EXPECT_LT(correlation(a, b), 0.5);
    }

    Recipe grain = only(&Recipe::grain);
    Recipe both = grain;
    // Too faint to matter in itself; it only draws its numbers first.
    both.cloud = 1e-6f;
    EXPECT_LT(correlation(heightField(grain, side), heightField(both, side)), 0.5);
}

TEST(HeightField, NoLayerGivesAnAllZeroField) {
    Recipe none;
    Recipe patternWithoutAmount;
    patternWithoutAmount.pattern = Recipe::Pattern::graph;
    Recipe negative{-1, -1, -1, 24, -1, 0.5f, 60, 0.8f, -1, Recipe::Pattern::laid, -1, 0, 9};
    for (const Recipe& recipe : {none, patternWithoutAmount, negative}) {
        EXPECT_EQ(heightField(recipe, side), std::vector<float>(side * side, 0.0f));
    }
    EXPECT_TRUE(heightField(none, 0).empty());
}

TEST(HeightField, CountsFibresAndFlecksPerTileArea) {
    const Recipe kozo = Paper::find(u"kozo"_s, {}).recipe;
    const Recipe newsprint = Paper::find(u"newsprint"_s, {}).recipe;
    EXPECT_EQ(fibreCount(kozo, 1024), 405);
    EXPECT_EQ(fibreCount(kozo, 256), 25);
    EXPECT_EQ(fleckCount(newsprint, 1024), 420);
    EXPECT_EQ(fleckCount(kozo, 1024), 0);

    Recipe hostile = kozo;
    hostile.fibreDensity = 1e9f;
    hostile.flecks = infinity;
    EXPECT_EQ(fibreCount(hostile, 1024), 9000);
    EXPECT_EQ(fleckCount(hostile, 1024), 7000);
    hostile.fibres = notANumber;
    hostile.flecks = notANumber;
    EXPECT_EQ(fibreCount(hostile, 1024), 0);
    EXPECT_EQ(fleckCount(hostile, 1024), 0);
}

TEST(HeightField, ToothSizesOutOfRangeActAsTheNearestCellSize) {
    Recipe tooth = only(&Recipe::tooth);
    const auto withSize = [&](float size) {
        tooth.toothSize = size;
        return heightField(tooth, side);
    };
    const std::vector<float> smallest = withSize(2);
    for (float size : {0.0f, 1.0f, 1.9f, -5.0f, notANumber, -infinity}) {
        EXPECT_EQ(withSize(size), smallest) << size;
    }
    const std::vector<float> oneCell = withSize(side);
    for (float size : {1500.0f, 1e30f, infinity}) {
        EXPECT_EQ(withSize(size), oneCell) << size;
    }
}

// Documents travel between people: any numbers at all must give a finite field in bounded
// time and memory.
TEST(HeightField, HostileRecipesStillSynthesise) {
    const Recipe kozo = Paper::find(u"kozo"_s, {}).recipe;
    const auto with = [&](float Recipe::*field, float value) {
        Recipe r = kozo;
        r.*field = value;
        r.tooth = 1;
        return r;
    };
    std::vector<Recipe> hostile{
        with(&Recipe::fibreDensity, 1e9f),      with(&Recipe::flecks, 1e9f),
        with(&Recipe::fibreLength, 1e12f),      with(&Recipe::fibreLength, -1e12f),
        with(&Recipe::fibreLength, notANumber), with(&Recipe::fibreWidth, 1e30f),
        with(&Recipe::fibreWidth, -3),          with(&Recipe::fibreWidth, notANumber),
    };
    for (const auto& [x, pattern] : {std::pair{3e38f, Recipe::Pattern::linen},
                                     {infinity, Recipe::Pattern::graph},
                                     {notANumber, Recipe::Pattern::laid}}) {
        hostile.push_back({x, x, x, x, x, x, x, x, x, pattern, x, x, 5});
    }
    Recipe longAndWide = with(&Recipe::fibreDensity, 1e9f);
    longAndWide.fibreLength = 1e12f;
    longAndWide.fibreWidth = 1e30f;
    hostile.push_back(longAndWide);
    for (const Recipe& recipe : hostile) {
        const std::vector<float> field = heightField(recipe, side);
        ASSERT_EQ(field.size(), static_cast<std::size_t>(side * side));
        EXPECT_TRUE(std::ranges::all_of(field, [](float v) { return std::isfinite(v); }));
    }
}

// The mix runs every layer's sums side by side; it must equal normalising and adding one
// layer at a time, bit for bit.
TEST(LayerMix, EqualsAddingNormalisedLayersOneByOne) {
    const std::size_t size = 4096;
    std::uint64_t state = 99;
    std::vector<std::vector<float>> values(7, std::vector<float>(size));
    for (auto& layer : values) {
        for (float& v : layer) {
            v = signedDraw(state) * 3 + 1;
        }
    }
    std::vector<WeightedLayer> layers;
    std::vector<float> plain(size, 0.0f);
    for (std::size_t k = 0; k < values.size(); ++k) {
        const bool raw = k == 3;
        const float weight = 0.25f * static_cast<float>(k + 1) * (raw ? -4 : 1);
        layers.push_back({values[k], weight, !raw});
        if (raw) {
            for (std::size_t i = 0; i < size; ++i) {
                plain[i] += values[k][i] * weight;
            }
        } else {
            addNormalised(plain, values[k], weight);
        }
    }
    normalise(plain);
    EXPECT_EQ(mixLayers(layers, size), plain);
    EXPECT_EQ(mixLayers({}, size), std::vector<float>(size, 0.0f));
}

} // namespace
} // namespace tessel
