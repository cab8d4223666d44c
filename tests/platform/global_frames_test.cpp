#include "platform/GlobalFrames.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(GlobalFrames, RectsAndPointsFlipAboutTheBottomEdgeAndBack) {
    const struct {
        const char* name;
        QRectF yUp;
        qreal bottomEdge;
        QRectF qt;
    } rows[] = {
        {"the primary screen", {0, 0, 1440, 900}, 900, {0, 0, 1440, 900}},
        {"a taller screen to its right", {1440, 0, 1920, 1080}, 900, {1440, -180, 1920, 1080}},
        {"a screen below", {-200, -1080, 1920, 1080}, 900, {-200, 900, 1920, 1080}},
        {"a primary not at the top", {0, 0, 800, 600}, 1000, {0, 400, 800, 600}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toQtRect(row.yUp, row.bottomEdge), row.qt);
        EXPECT_EQ(toYUpRect(row.qt, row.bottomEdge), row.yUp);
        // A rect's origin, y up, is its lower-left corner.
        EXPECT_EQ(toQtPoint(row.yUp.topLeft(), row.bottomEdge), row.qt.bottomLeft());
        EXPECT_EQ(toYUpPoint(row.qt.bottomLeft(), row.bottomEdge), row.yUp.topLeft());
    }
}

TEST(GlobalFrames, NativeRectsTakeTheScaleOfTheScreenTheyLieOn) {
    // A 1× screen at the left, a 2× one beside it, as X places them in pixels.
    const QList<NativeScreen> mixed = {{{0, 0, 1920, 1080}, 1}, {{1920, 0, 3840, 2160}, 2}};
    const QList<NativeScreen> hiDpiPrimary = {{{0, 0, 3840, 2160}, 2}, {{3840, 0, 1920, 1080}, 1}};
    const struct {
        const char* name;
        QList<NativeScreen> screens;
        QRect native;
        QRectF points;
    } rows[] = {
        {"on the 1x screen", mixed, {100, 100, 800, 600}, {100, 100, 800, 600}},
        {"on the 2x screen", mixed, {2000, 100, 800, 600}, {1960, 50, 400, 300}},
        {"across both, mostly on the 2x", mixed, {1800, 0, 1600, 800}, {1860, 0, 800, 400}},
        {"on a 2x primary", hiDpiPrimary, {200, 400, 800, 600}, {100, 200, 400, 300}},
        {"on a 1x screen beside a 2x primary",
         hiDpiPrimary,
         {4000, 100, 800, 600},
         {4000, 100, 800, 600}},
        {"on no screen", mixed, {-900, 0, 400, 300}, {-900, 0, 400, 300}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fromNative(row.native, row.screens), row.points);
    }
}

} // namespace
} // namespace tessel
