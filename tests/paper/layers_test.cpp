#include "paper/CellularBumps.h"
#include "paper/NoiseLayers.h"
#include "paper/PatternField.h"
#include "paper/SplitMix64.h"
#include "paper/StrokeLayers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <gtest/gtest.h>
#include <span>
#include <vector>

namespace tessel {
namespace {

// Pearson correlation of two columns (or, transposed, two rows) of an n × n field.
double lineCorrelation(std::span<const float> f, int n, int a, int b, bool columns) {
    const auto at = [&](int line, int i) {
        const int x = columns ? line : i;
        const int y = columns ? i : line;
        return static_cast<double>(f[static_cast<std::size_t>(y * n + x)]);
    };
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (int i = 0; i < n; ++i) {
        const double va = at(a, i);
        const double vb = at(b, i);
        sa += va;
        sb += vb;
        saa += va * va;
        sbb += vb * vb;
        sab += va * vb;
    }
    const double cov = sab / n - (sa / n) * (sb / n);
    const double var = (saa / n - (sa / n) * (sa / n)) * (sbb / n - (sb / n) * (sb / n));
    return var > 0 ? cov / std::sqrt(var) : 0.0;
}

// How alike neighbouring lines are on average inside the field, and across its edge (the
// last line against the first). A periodic field shows the same likeness at the edge.
struct Seam {
    double interior;
    double edge;
};

Seam seam(std::span<const float> f, int n, bool columns) {
    double sum = 0;
    for (int i = 1; i < n; ++i) {
        sum += lineCorrelation(f, n, i - 1, i, columns);
    }
    return {sum / (n - 1), lineCorrelation(f, n, n - 1, 0, columns)};
}

std::size_t cells(int n) {
    return static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
}

float at(const std::vector<float>& f, int n, int x, int y) {
    return f[static_cast<std::size_t>(y * n + x)];
}

TEST(SplitMix64, FixedSeedsGiveKnownDraws) {
    std::uint64_t kozo = 11;
    EXPECT_EQ(nextBits24(kozo), 5305700u);
    EXPECT_EQ(nextBits24(kozo), 4401756u);
    EXPECT_EQ(nextBits24(kozo), 10704574u);
    std::uint64_t zero = 0;
    EXPECT_EQ(nextBits24(zero), 14819496u);
    EXPECT_EQ(nextBits24(zero), 7239838u);

    std::uint64_t units = 11;
    EXPECT_FLOAT_EQ(unitDraw(units), 0.31624436f);
    EXPECT_FLOAT_EQ(unitDraw(units), 0.26236510f);
    EXPECT_FLOAT_EQ(signedDraw(units), 2 * 0.63804233f - 1);
}

TEST(PatternField, GraphLinesAreEngravedAndAddWhereTheyCross) {
    using P = Recipe::Pattern;
    EXPECT_EQ(patternValue(P::graph, 0, 5), -(0.8f + 1.4f));
    EXPECT_EQ(patternValue(P::graph, 33, 64), -0.8f);
    EXPECT_EQ(patternValue(P::graph, 33, 65), 0.0f);
    EXPECT_EQ(patternValue(P::graph, 129, 200), -1.4f);
}

TEST(PatternField, LaidAndLinenHaveTheirRidgesAndWeave) {
    using P = Recipe::Pattern;
    EXPECT_FLOAT_EQ(patternValue(P::laid, 64, 1), 1.2f + 0.7f);
    EXPECT_NEAR(patternValue(P::laid, 0, 0), 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(patternValue(P::linen, 4, 0), 0.85f);
    EXPECT_FLOAT_EQ(patternValue(P::linen, 4, 8), 0.15f);
    EXPECT_EQ(patternValue(P::none, 3, 3), 0.0f);
}

TEST(PatternField, FillsEveryPixelAndRepeatsEvery128) {
    using P = Recipe::Pattern;
    constexpr int n = 256;
    for (P pattern : {P::laid, P::linen, P::graph}) {
        std::vector<float> f(cells(n));
        patternField(pattern, n, f);
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                ASSERT_EQ(at(f, n, x, y), patternValue(pattern, x, y)) << x << "," << y;
                // The laid rib's single-precision sine drifts by about 1e-5 over 128 rows.
                ASSERT_NEAR(at(f, n, x, y), at(f, n, (x + 128) % n, (y + 128) % n), 1e-4);
            }
        }
    }
}

// Every random layer must continue across both edges: the last column (row) is as much like
// the first as neighbouring columns (rows) are like each other.
TEST(LayerPeriodicity, EveryRandomLayerJoinsAcrossBothEdges) {
    constexpr int n = 256;
    const std::vector<std::pair<const char*, std::function<void(std::uint64_t&, std::span<float>)>>>
        layers = {
            {"cloud", [](auto& s, auto out) { cloudLayer(n, s, out); }},
            {"grain", [](auto& s, auto out) { grainLayer(n, s, out); }},
            {"tooth", [](auto& s, auto out) { cellularBumps(n, 22, s, out); }},
            {"fibres", [](auto& s, auto out) { fibreBitmap(n, 400, 140, 2, s, out); }},
        };
    for (const auto& [name, fill] : layers) {
        std::uint64_t state = 3;
        std::vector<float> f(cells(n));
        fill(state, f);
        for (bool columns : {true, false}) {
            const Seam s = seam(f, n, columns);
            EXPECT_GT(s.interior, 0.1) << name;
            EXPECT_GT(s.edge, 0.5 * s.interior) << name << (columns ? " columns" : " rows");
        }
    }
}

TEST(FibreBitmap, SkippingCopiesOffTheBitmapChangesNoPixel) {
    for (const auto& [length, width] : {std::pair{140.0, 0.9}, {600.0, 6.0}, {-300.0, 2.0}}) {
        std::uint64_t culled = 7;
        std::uint64_t every = 7;
        std::vector<float> a(cells(256));
        std::vector<float> b(cells(256));
        fibreBitmap(256, 60, length, width, culled, a, FibreCopies::onBitmap);
        fibreBitmap(256, 60, length, width, every, b, FibreCopies::all);
        EXPECT_EQ(a, b) << length;
        EXPECT_EQ(culled, every);
        EXPECT_EQ(culled, 7 + 60 * 7 * 0x9E3779B97F4A7C15ull);
    }
}

// The draws are in a y-up plane; row 0 of the field is its top.
TEST(StrokeLayers, DrawingPlaneIsFlippedIntoTopDownRows) {
    constexpr int n = 128;
    std::uint64_t probe = 11;
    const float u1 = unitDraw(probe);
    const float u2 = unitDraw(probe);
    const float u3 = unitDraw(probe);

    std::uint64_t state = 11;
    std::vector<float> fleck(cells(n));
    fleckBitmap(n, 1, state, fleck);
    const auto brightest = std::max_element(fleck.begin(), fleck.end()) - fleck.begin();
    const double cx = u2 * (n - 4.0) + 2;
    const double cy = u3 * (n - 4.0) + 2;
    EXPECT_NEAR(brightest % n, cx, 1.0);
    EXPECT_NEAR(brightest / n, n - cy, 1.0);

    state = 11;
    std::vector<float> fibre(cells(n));
    fibreBitmap(n, 1, 2, 3, state, fibre);
    const auto x0 = static_cast<int>(u1 * n);
    const auto y0 = static_cast<int>(u2 * n);
    EXPECT_GT(at(fibre, n, x0, n - 1 - y0), 0.2f);
    EXPECT_EQ(at(fibre, n, x0, y0), 0.0f);
}

} // namespace
} // namespace tessel
