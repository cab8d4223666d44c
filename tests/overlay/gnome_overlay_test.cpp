#include "SessionTest.h"
#include "TestGnome.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// Super+Shift+P, as keysyms.
constexpr uint32_t superKey = 0xffeb;
constexpr uint32_t shiftKey = 0xffe1;
constexpr uint32_t pKey = 0x70;

// Idle time must pass a whole minute before art shows.
constexpr auto artTimeout = 100s;

// The real program on a private headless GNOME Shell, over native Wayland windows, with the
// extension and Mutter telling it what XWayland cannot.
using GnomeOverlay = test::SessionTest<test::TestGnome>;

// A hot key reaches Tessel through the extension, and the shell keeps it from the window.
TEST_F(GnomeOverlay, PaperBlendsOverANativeWindowLetsClicksThroughAndAHotKeyTurnsItOff) {
    const auto page = openWindow("org.example.Page");
    ASSERT_TRUE(waitFor([&] { return test::isWhite(pixel()); }));
    const auto tessel = runOverPaper(test::paperOn);
    const QString status = tessel->command({u"status"_s}).value_or(QString());
    EXPECT_TRUE(status.contains(u"Platform: gnome"_s)) << status.toStdString();

    // The shell learns that the paper passes input a moment after it shows.
    constexpr auto clickArrives = 1s;
    EXPECT_TRUE(waitFor([&] {
        session->click(overWindow);
        return waitFor([&] { return page->received("click 1000 500"); }, clickArrives);
    }));

    ASSERT_TRUE(tessel->command({u"shortcut"_s, u"set"_s, u"togglePaper"_s, u"Super+Shift+P"_s}));
    session->pressKeys({superKey, shiftKey, pKey});
    EXPECT_TRUE(waitFor([&] { return test::isWhite(pixel()); }, paperTimeout));
    EXPECT_EQ(page->count("key"), 0);
}

TEST_F(GnomeOverlay, AnExcludedNativeAppInFrontHidesThePaper) {
    expectAnExcludedAppInFrontHidesThePaper();
}

TEST_F(GnomeOverlay, IdleTimeFromMutterPutsArtUp) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = runOverPaper(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                         "art": {"enabled": true, "idleMinutes": 1,
                                                 "collections": ["ukiyoe"]}})");
    EXPECT_TRUE(waitFor([] { return showsArt(); }, artTimeout));
}

} // namespace
} // namespace tessel
