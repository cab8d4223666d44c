#include "paper/CellularBumps.h"
#include "paper/HeightField.h"
#include "paper/TileShading.h"
#include "paper/ValueNoise.h"
#include "reference/ReferenceKernels.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

// The fast kernels against their plain transcriptions, bit for bit, over seeded random inputs.
// scripts/test.sh also runs these in a Release build, where the loops are vectorised.

namespace tessel {
namespace {

constexpr std::uint64_t seed = 20260306;
constexpr int rounds = 24;

int between(std::mt19937_64& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

float between(std::mt19937_64& random, float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
}

// Any recipe a document could hold, weights mostly in range and now and then far beyond it.
Recipe randomRecipe(std::mt19937_64& random) {
    const auto weight = [&] {
        return between(random, 0, 10) < 1 ? between(random, -5, 50) : between(random, 0, 1);
    };
    Recipe r;
    r.cloud = weight();
    r.grain = weight();
    r.tooth = weight();
    r.toothSize = between(random, -10, 300);
    r.fibres = weight();
    r.fibreDensity = weight();
    r.fibreLength = between(random, -200, 800);
    r.fibreWidth = between(random, -1, 8);
    r.flecks = weight();
    r.pattern = static_cast<Recipe::Pattern>(between(random, 0, 3));
    r.patternAmount = weight();
    r.warmth = between(random, -120, 120);
    r.seed = random();
    return r;
}

std::vector<float> fastValueNoise(int n, int g, std::uint64_t& state) {
    const ValueNoise noise(n, g, state);
    std::vector<float> field(static_cast<std::size_t>(n) * n);
    for (int y = 0; y < n; ++y) {
        noise.row(y, std::span(field).subspan(static_cast<std::size_t>(y) * n,
                                              static_cast<std::size_t>(n)));
    }
    return field;
}

TEST(Kernels, ValueNoiseMatchesThePlainTranscription) {
    std::mt19937_64 random(seed);
    for (int round = 0; round < rounds; ++round) {
        const int n = between(random, 1, 300);
        const int g = between(random, 1, n);
        std::uint64_t fast = random();
        std::uint64_t plain = fast;
        ASSERT_EQ(fastValueNoise(n, g, fast), reference::valueNoise(n, g, plain)) << n << " " << g;
        EXPECT_EQ(fast, plain);
    }
}

TEST(Kernels, CellularBumpsMatchThePlainTranscription) {
    std::mt19937_64 random(seed + 1);
    for (int round = 0; round < rounds; ++round) {
        const int n = between(random, 1, 300);
        const int cellSize = between(random, -4, 2 * n);
        std::uint64_t fast = random();
        std::uint64_t plain = fast;
        std::vector<float> field(static_cast<std::size_t>(n) * n);
        cellularBumps(n, cellSize, fast, field);
        ASSERT_EQ(field, reference::cellularBumps(n, cellSize, plain)) << n << " " << cellSize;
        EXPECT_EQ(fast, plain);
    }
}

// Random recipes, weights and palettes; extreme warmth takes the clamping paths.
TEST(Kernels, ShadeTileMatchesThePlainTranscription) {
    std::mt19937_64 random(seed + 2);
    for (int round = 0; round < rounds; ++round) {
        const Recipe recipe = randomRecipe(random);
        const int n = between(random, 1, 160);
        const std::vector<float> field = heightField(recipe, n);
        const bool night = between(random, 0, 1) == 1;
        const double gsm = round % 8 == 0 ? std::numeric_limits<double>::quiet_NaN()
                                          : between(random, 0.0f, 400.0f);
        ASSERT_EQ(shadeTile(field, n, night, gsm, recipe.warmth),
                  reference::shadeTile(field, n, night, gsm, recipe.warmth))
            << "round " << round << ": n " << n << ", gsm " << gsm << ", warmth " << recipe.warmth;
    }
}

} // namespace
} // namespace tessel
