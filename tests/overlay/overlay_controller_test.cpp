#include "WaitFor.h"
#include "doubles/FakePlatform.h"
#include "overlay/OverlayController.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using namespace std::chrono_literals;

QImage makeTile() {
    QImage tile(64, 64, QImage::Format_RGBA8888_Premultiplied);
    tile.fill(QColor(10, 10, 10, 20));
    return tile;
}

class OverlayControllerTest : public ::testing::Test {
protected:
    OverlayControllerTest() {
        platform.setReduceMotion(true);
        screens.insert(u"A"_s, {u"A"_s, {}, {0, 0, 1440, 900}, 2});
        screens.insert(u"B"_s, {u"B"_s, {}, {1440, 0, 1920, 1080}, 1});
    }

    void syncBoth(const QImage& tile, std::optional<QString> lamp = std::nullopt) {
        const Layer layer{u"kozo"_s, 120, false, lamp, 0.6};
        overlay.sync(screens, {{u"A"_s, layer}, {u"B"_s, layer}}, {{u"A"_s, tile}, {u"B"_s, tile}},
                     {}, true);
    }

    OverlayWindow& window(const char* id) { return *overlay.window(QString::fromLatin1(id)); }

    QTemporaryDir dir;
    FakePlatform platform{dir.path()};
    OverlayController overlay{platform};
    ScreenMap screens;
};

TEST_F(OverlayControllerTest, PaperHidesFromCapturesAsSetUnlessTheUserDefaultsLetItIn) {
    const struct {
        bool hide;
        std::optional<bool> showInScreenshots;
        bool hidden;
    } cases[] = {{true, std::nullopt, true},
                 {false, std::nullopt, false},
                 {true, true, false},
                 {true, false, true}};
    for (const auto& c : cases) {
        if (c.showInScreenshots) {
            ASSERT_TRUE(platform.defaults().setValue("showInScreenshots", *c.showInScreenshots));
        }
        overlay.sync(screens, {}, {}, {}, c.hide);
        EXPECT_EQ(platform.paperHidden, c.hidden) << c.hide << c.showInScreenshots.value_or(-1);
    }
}

TEST_F(OverlayControllerTest, EveryScreenWithATileGetsAShownWindowLitAtItsOwnSize) {
    syncBoth(makeTile(), u"reading"_s);
    EXPECT_EQ(overlay.windowIds(), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_TRUE(window("A").isShown());
    EXPECT_EQ(window("A").alpha(), 1);
    EXPECT_EQ(window("A").lampKey(), lampKey(Lamp::find(u"reading"_s), 0.6, {1440, 900}));
    EXPECT_EQ(window("B").lampKey(), lampKey(Lamp::find(u"reading"_s), 0.6, {1920, 1080}));
}

TEST_F(OverlayControllerTest, SameTileAndLampDoNoWork) {
    const QImage tile = makeTile();
    syncBoth(tile, u"dusk"_s);
    const int renders = window("A").sheetRenders();
    syncBoth(tile, u"dusk"_s);
    EXPECT_EQ(window("A").sheetRenders(), renders);
    syncBoth(makeTile(), u"dusk"_s); // equal pixels, another image: new paper
    EXPECT_EQ(window("A").sheetRenders(), renders + 1);
}

TEST_F(OverlayControllerTest, PendingScreensKeepWhatTheyShowAndOthersHide) {
    const QImage tile = makeTile();
    syncBoth(tile);
    const Layer layer{u"felt"_s, 150, true, {}, 0};
    overlay.sync(screens, {{u"A"_s, layer}}, {}, {u"A"_s}, true);
    EXPECT_TRUE(window("A").isShown());
    EXPECT_EQ(window("A").tile().cacheKey(), tile.cacheKey());
    EXPECT_FALSE(window("B").isVisible());
}

TEST_F(OverlayControllerTest, UnpluggedScreensLoseTheirWindowAtOnce) {
    syncBoth(makeTile());
    screens.remove(u"B"_s);
    syncBoth(makeTile());
    EXPECT_EQ(overlay.windowIds(), QStringList{u"A"_s});
}

TEST_F(OverlayControllerTest, DropRequestWaitsForAWindowToShow) {
    platform.setReduceMotion(false);
    overlay.dropNext = true;
    overlay.sync(screens, {}, {}, {}, true);
    EXPECT_TRUE(overlay.dropNext);
    syncBoth(makeTile());
    EXPECT_FALSE(overlay.dropNext);
    EXPECT_EQ(window("A").alpha(), 1); // a drop shows the sheet at full strength at once
}

TEST_F(OverlayControllerTest, ShowingAgainDuringAFadeOutKeepsTheWindow) {
    platform.setReduceMotion(false);
    const QImage tile = makeTile();
    syncBoth(tile);
    ASSERT_TRUE(waitFor([&] { return window("A").alpha() == 1; }));
    overlay.sync(screens, {}, {}, {}, true);
    syncBoth(tile);
    EXPECT_FALSE(waitFor([&] { return !window("A").isVisible(); }, 600ms));
    EXPECT_TRUE(waitFor([&] { return window("A").alpha() == 1; }));

    overlay.sync(screens, {}, {}, {}, true);
    EXPECT_TRUE(waitFor([&] { return !window("A").isVisible(); }));
}

TEST_F(OverlayControllerTest, FocusVeilDeepensWithStrengthAndOpensOverTheFrontWindow) {
    syncBoth(makeTile());
    const std::pair<double, double> strengths[] = {{0, 0}, {0.5, 0.26}, {1, 0.42}};
    for (const auto& [strength, opacity] : strengths) {
        overlay.setFocus(QRectF(100, 100, 400, 300), strength);
        EXPECT_NEAR(window("A").focusVeil().opacity(), opacity, 1e-9);
    }
    // Window layer space is y up; the window's own coordinates are y down. Every screen opens
    // where the window lies, whether or not that is on it.
    EXPECT_EQ(window("A").focusVeil().opening(), QRectF(100, 500, 400, 300));
    EXPECT_EQ(window("B").focusVeil().opening(), QRectF(-1340, 680, 400, 300));

    overlay.setFocus(std::nullopt, 0.5);
    EXPECT_EQ(window("A").focusVeil().opening(), std::nullopt);
    EXPECT_NEAR(window("A").focusVeil().opacity(), 0.26, 1e-9);
}

TEST_F(OverlayControllerTest, RulerShowsOnlyOnTheScreenUnderTheCursor) {
    syncBoth(makeTile());
    overlay.setRuler(QPointF(300, 100), false, 60);
    EXPECT_EQ(window("A").rulerVeil().opening(), QRectF(-20, 900 - 130, 1480, 60));
    EXPECT_NEAR(window("A").rulerVeil().opacity(), 0.26, 1e-9);
    EXPECT_EQ(window("B").rulerVeil().opacity(), 0);

    overlay.setRuler(QPointF(1500, 100), false, 60);
    EXPECT_EQ(window("A").rulerVeil().opacity(), 0);
    EXPECT_NEAR(window("B").rulerVeil().opacity(), 0.26, 1e-9);

    overlay.setRuler(QPointF(1500, 100), true, 0);
    EXPECT_EQ(window("B").rulerVeil().opacity(), 0);
}

} // namespace
} // namespace tessel
