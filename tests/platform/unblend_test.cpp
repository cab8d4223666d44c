#include "platform/Unblend.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tessel {
namespace {

// Paper of this alpha and straight colour over `under`, as a compositor blends it.
QRgb blend(QRgb under, QRgb paper, int alpha) {
    const auto mix = [alpha](int u, int o) { return (u * (255 - alpha) + o * alpha + 127) / 255; };
    return qRgb(mix(qRed(under), qRed(paper)), mix(qGreen(under), qGreen(paper)),
                mix(qBlue(under), qBlue(paper)));
}

int largestDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QRgb premultiplied(QRgb colour, int alpha) {
    return qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
}

TEST(Unblend, RecoversWhatLiesUnderPaperUntilItIsNearlyOpaque) {
    const QRgb red = qRgb(255, 0, 0);
    const QRgb cream = qRgb(240, 228, 200);
    const QRgb ink = qRgb(20, 24, 30);
    const struct {
        const char* name;
        QRgb under;
        QRgb paper;
        int alpha;
        QRgb expected;
    } rows[] = {
        {"no paper", red, cream, 0, red},
        {"heavy paper over red", red, cream, 200, red},
        {"dark paper over white", qRgb(255, 255, 255), ink, 128, qRgb(255, 255, 255)},
        {"nearly opaque: the capture stands", red, cream, 250, blend(red, cream, 250)},
        {"opaque: the capture stands", red, cream, 255, cream},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QRgb got = unblendPixel(blend(row.under, row.paper, row.alpha),
                                      premultiplied(row.paper, row.alpha));
        // Rounding in the blend grows by 1 / (1 − a) when taken back out.
        EXPECT_LE(largestDifference(got, row.expected), 1 + row.alpha / 40);
        EXPECT_EQ(qAlpha(got), 255);
    }
}

TEST(Unblend, ClampsWhatRoundingPushesOutOfRange) {
    EXPECT_EQ(unblendPixel(qRgb(10, 250, 0), premultiplied(qRgb(40, 0, 0), 128)), qRgb(0, 255, 0));
}

} // namespace
} // namespace tessel
