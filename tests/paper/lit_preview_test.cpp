#include "paper/LitPreview.h"

#include <gtest/gtest.h>
#include <limits>

namespace tessel {
namespace {

// A grey ramp rising to the right, repeated every 64 preview pixels.
QImage ramp() {
    QImage preview(256, 256, QImage::Format_Grayscale8);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            preview.scanLine(y)[x] = static_cast<uchar>((x % 64) * 3);
        }
    }
    return preview;
}

double meanLightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (image.width() * image.height());
}

TEST(LitPreview, CoversTheViewAtItsPixelRatioPlainWithoutAPreview) {
    const QImage lit = litPreview(ramp(), QSizeF(300, 200), 2, QPointF(60, -60), 1.4f, false);
    EXPECT_EQ(lit.size(), QSize(600, 400));
    EXPECT_EQ(lit.devicePixelRatio(), 2);
    EXPECT_EQ(litPreview(ramp(), QSizeF(10.2, 4), 1, {}, 1, false).size(), QSize(11, 4));
    EXPECT_TRUE(litPreview(ramp(), QSizeF(0, 200), 2, {}, 1, false).isNull());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(litPreview(ramp(), QSizeF(nan, 200), 2, {}, 1, false).isNull());
    EXPECT_TRUE(litPreview(ramp(), QSizeF(1e12, 200), 2, {}, 1, false).isNull());
    EXPECT_EQ(litPreview(ramp(), QSizeF(30, 20), nan, {}, 1, false).size(), QSize(30, 20));

    for (bool night : {false, true}) {
        const QImage plain = litPreview(QImage(), QSizeF(20, 10), 2, {}, 1.4f, night);
        ASSERT_EQ(plain.size(), QSize(40, 20));
        EXPECT_EQ(plain.pixelColor(7, 3).rgb(), litPaperColour(night).rgb());
    }
}

// The ramp's slopes face left, towards a light far to the left.
TEST(LitPreview, SlopesFacingTheLightAreBrighterAndTheNightSheetStaysDark) {
    const QSizeF view(128, 64);
    const QImage facing = litPreview(ramp(), view, 2, QPointF(-400, 32), 1.5f, false);
    const QImage away = litPreview(ramp(), view, 2, QPointF(528, 32), 1.5f, false);
    EXPECT_GT(meanLightness(facing), meanLightness(away) + 2);
    const QImage flat = litPreview(ramp(), view, 2, QPointF(-400, 32), 0, false);
    EXPECT_GT(meanLightness(facing), meanLightness(flat));
    EXPECT_LT(meanLightness(litPreview(ramp(), view, 2, QPointF(64, 32), 2, true)), 60);
    EXPECT_GT(meanLightness(litPreview(ramp(), view, 2, QPointF(64, 32), 2, false)), 200);
}

} // namespace
} // namespace tessel
