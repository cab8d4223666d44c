#include "SessionTest.h"
#include "TestSway.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// Types one key on a virtual keyboard that stays plugged in for a moment first, so that
// clients can take up the new keyboard before the key arrives.
bool typeKey() {
    return test::runTool(u"wtype"_s, {u"-s"_s, u"500"_s, u"x"_s}).has_value();
}

using WaylandOverlay = test::SessionTest<test::TestSway>;

// Clicks and keys pass through the paper to the window under it; art takes the keyboard until a
// key dismisses it.
TEST_F(WaylandOverlay, PaperLetsInputThroughAndArtTakesTheKeyboardUntilAKey) {
    const auto page = openWindow("org.example.Page");
    ASSERT_TRUE(waitFor([&] { return test::isWhite(pixel()); }));
    const auto tessel = runOverPaper(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                        "art": {"enabled": false, "idleMinutes": 5,
                                                "collections": ["ukiyoe"]}})");

    // Away from where the paper is read: screenshots show the cursor.
    for (const char* action : {"set 600 400", "press button1", "release button1"}) {
        ASSERT_TRUE(session->command(u"seat seat0 cursor "_s + QLatin1String(action)));
    }
    EXPECT_TRUE(waitFor([&] { return page->received("click 600 400"); }));

    ASSERT_TRUE(typeKey());
    ASSERT_TRUE(waitFor([&] { return page->count("key") == 1; }));
    ASSERT_TRUE(tessel->command({u"art"_s}));
    ASSERT_TRUE(waitFor([] { return showsArt(); }, paperTimeout));
    ASSERT_TRUE(typeKey());
    EXPECT_TRUE(waitFor([&] { return !showsArt() && test::isPaperOverWhite(pixel()); }));
    EXPECT_EQ(page->count("key"), 1) << "the key went past the painting";
}

TEST_F(WaylandOverlay, ExcludedAppInFrontHidesThePaper) {
    expectAnExcludedAppInFrontHidesThePaper();
}

} // namespace
} // namespace tessel
