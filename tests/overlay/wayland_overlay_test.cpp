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

// An output plugged in while Tessel runs gets paper of its own, which follows it as it grows.
// (sway 1.7 can neither unplug a headless output nor turn one off.)
TEST_F(WaylandOverlay, AnOutputPluggedInLaterGetsPaperToo) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = runOverPaper(test::paperOn);
    for (const char* command : {"create_output", "output HEADLESS-1 position 0 0",
                                "output HEADLESS-2 position 1280 0 mode 800x600"}) {
        ASSERT_TRUE(session->command(QString::fromLatin1(command))) << command;
    }
    const auto second = openWindow("org.example.Second");
    ASSERT_TRUE(
        session->command(u"[app_id=org.example.Second] move container to output HEADLESS-2"_s));
    const auto paperAt = [](QPoint at) {
        return waitFor([&] { return test::isPaperOverWhite(session->pixel(at)); }, paperTimeout);
    };
    EXPECT_TRUE(paperAt({1680, 300}));
    ASSERT_TRUE(session->command(u"output HEADLESS-2 mode 1920x1080"_s));
    EXPECT_TRUE(paperAt({3100, 1000}));
    EXPECT_TRUE(paperAt(overWindow));
}

TEST_F(WaylandOverlay, ExcludedAppInFrontHidesThePaper) {
    expectAnExcludedAppInFrontHidesThePaper();
}

} // namespace
} // namespace tessel
