#include "paper/HeightField.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"
#include "reference/ReferenceKernels.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace tessel {
namespace {

using Bytes = std::array<int, 4>;

Bytes pixel(const QImage& tile, int x, int y) {
    const uchar* p = tile.constScanLine(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

// A 2 × 2 field: 2, -2 on the top row, flat below.
const std::vector<float> worked{2.0f, -2.0f, 0.0f, 0.0f};

TEST(ShadeTile, FlatFieldIsFilmOnly) {
    const std::vector<float> flat(16 * 16, 0.0f);
    const QImage day = shadeTile(flat, 16, false, 60, 0);
    const QImage night = shadeTile(flat, 16, true, 300, 0);
    ASSERT_EQ(day.format(), QImage::Format_RGBA8888_Premultiplied);
    ASSERT_EQ(day.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(pixel(day, x, y), (Bytes{3, 3, 3, 6}));
            EXPECT_EQ(pixel(night, x, y), (Bytes{11, 11, 11, 18}));
        }
    }
}

TEST(ShadeTile, RaisedAndSunkPixelsTakeTheirMarks) {
    const QImage day = shadeTile(worked, 2, false, 180, 0);
    EXPECT_EQ(pixel(day, 0, 0), (Bytes{25, 25, 25, 32}));
    EXPECT_EQ(pixel(day, 1, 0), (Bytes{9, 9, 8, 49}));
    const QImage night = shadeTile(worked, 2, true, 180, 0);
    EXPECT_EQ(pixel(night, 0, 0), (Bytes{8, 8, 8, 27}));
}

TEST(ShadeTile, WeightIsClampedToTheGsmRange) {
    const std::vector<float> field = heightField(Paper::builtIn().first().recipe, 128);
    for (bool night : {false, true}) {
        EXPECT_EQ(shadeTile(field, 128, night, 40, 0.15f), shadeTile(field, 128, night, 60, 0.15f));
        EXPECT_EQ(shadeTile(field, 128, night, 400, 0.15f),
                  shadeTile(field, 128, night, 300, 0.15f));
        EXPECT_EQ(shadeTile(field, 128, night, std::numeric_limits<double>::quiet_NaN(), 0.15f),
                  shadeTile(field, 128, night, 60, 0.15f));
        EXPECT_NE(shadeTile(field, 128, night, 180, 0.15f),
                  shadeTile(field, 128, night, 60, 0.15f));
    }
}

TEST(ShadeTile, ChannelsPushedBelowZeroByWarmthBecomeZero) {
    const QImage warm = shadeTile(worked, 2, false, 180, 100);
    const QImage cool = shadeTile(worked, 2, false, 180, -100);
    for (int x = 0; x < 2; ++x) {
        EXPECT_EQ(pixel(warm, x, 1)[2], 0) << "film blue 0.48 - 3 < 0";
        EXPECT_EQ(pixel(cool, x, 1)[0], 0) << "film red 0.5 - 3 < 0";
    }
    EXPECT_EQ(pixel(warm, 1, 0)[2], 0) << "dark mark blue";
    EXPECT_EQ(pixel(cool, 1, 0)[0], 0) << "dark mark red";
    // The other end rises: film red (0.5 + 3) × 0.06 opacity.
    EXPECT_EQ(pixel(warm, 0, 1)[0], 54);
}

TEST(ShadeTile, EveryPixelIsValidPremultipliedColour) {
    const std::vector<float> field =
        heightField(Paper::find(QStringLiteral("rough"), {}).recipe, 128);
    for (bool night : {false, true}) {
        const QImage tile = shadeTile(field, 128, night, 300, 0.1f);
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                const Bytes p = pixel(tile, x, y);
                ASSERT_LE(std::max({p[0], p[1], p[2]}), p[3]);
                ASSERT_LE(p[3], 163);
            }
        }
    }
}

TEST(ShadeTile, MatchesThePlainTranscriptionByteForByte) {
    for (const char* id : {"kozo", "rough", "graph"}) {
        const Recipe recipe = Paper::find(QString::fromLatin1(id), {}).recipe;
        const std::vector<float> field = heightField(recipe, 128);
        for (bool night : {false, true}) {
            for (double gsm : {60.0, 180.0, 300.0}) {
                // Extreme warmth takes the clamping path.
                for (float warmth : {0.0f, 0.3f, -1.0f, 100.0f, -100.0f}) {
                    EXPECT_EQ(shadeTile(field, 128, night, gsm, warmth),
                              reference::shadeTile(field, 128, night, gsm, warmth))
                        << id << " " << night << " " << gsm << " " << warmth;
                }
            }
        }
    }
}

TEST(ShadeTile, RefusesFieldsThatDoNotCoverTheTile) {
    EXPECT_TRUE(shadeTile(worked, 3, false, 60, 0).isNull());
    EXPECT_TRUE(shadeTile(worked, 0, false, 60, 0).isNull());
    EXPECT_TRUE(previewImage(worked, 3).isNull());
    EXPECT_TRUE(previewImage({}, 0).isNull());
}

TEST(PreviewImage, MapsThreeDeviationsEitherSideOntoTheGreyRange) {
    const std::vector<float> field{0.0f, 3.125f, -3.125f, 10.0f, -10.0f, 1.0f, -1.0f, 0.5f, 2.0f};
    const QImage preview = previewImage(field, 3);
    ASSERT_EQ(preview.format(), QImage::Format_Grayscale8);
    const std::vector<int> expected{127, 255, 0, 255, 0, 168, 86, 147, 209};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(preview.constScanLine(i / 3)[i % 3], expected[static_cast<std::size_t>(i)]) << i;
    }
}

} // namespace
} // namespace tessel
