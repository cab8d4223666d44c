#include "paper/HeightField.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using Bytes = std::array<int, 4>;

Bytes pixel(const QImage& tile, int x, int y) {
    const uchar* p = tile.constScanLine(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

// A 2 × 2 field: 2, -2 on the top row, flat below.
const std::vector<float> worked{2.0f, -2.0f, 0.0f, 0.0f};

TEST(ShadeTile, GivesValidPremultipliedColourAndRefusesFieldsThatDoNotCoverTheTile) {
    const std::vector<float> field = heightField(Paper::find(u"rough"_s, {}).recipe, 128);
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
