#include "SessionTest.h"
#include "TestSway.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

const QPoint overWindow(600, 400);
constexpr auto paperTimeout = 60s;

// Types one key on a virtual keyboard that stays plugged in for a moment first, so that
// clients can take up the new keyboard before the key arrives.
bool typeKey() {
    return test::runTool(u"wtype"_s, {u"-s"_s, u"500"_s, u"x"_s}).has_value();
}

class WaylandOverlay : public test::SessionTest<test::TestSway> {
protected:
    QColor pixel() const { return session->pixel(overWindow); }
};

// Clicks and keys pass through the paper to the window under it; art takes the keyboard until a
// key dismisses it.
TEST_F(WaylandOverlay, PaperLetsInputThroughAndArtTakesTheKeyboardUntilAKey) {
    const auto page = openWindow("org.example.Page");
    ASSERT_TRUE(waitFor([&] { return test::isWhite(pixel()); }));
    const auto tessel = run(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                               "art": {"enabled": false, "idleMinutes": 5,
                                       "collections": ["ukiyoe"]}})");
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout))
        << "pixel " << pixel().name().toStdString();
    EXPECT_TRUE(tessel->command({u"status"_s}).value_or(QString()).endsWith(u"Platform: wayland"));

    ASSERT_TRUE(
        session->command(u"seat seat0 cursor set %1 %2"_s.arg(overWindow.x()).arg(overWindow.y())));
    for (const char* action : {"press", "release"}) {
        ASSERT_TRUE(session->command(u"seat seat0 cursor %1 button1"_s.arg(QLatin1String(action))));
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
    expectAnExcludedAppInFrontHidesThePaper(overWindow, paperTimeout);
}

} // namespace
} // namespace tessel
