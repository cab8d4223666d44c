#include "SolidWindow.h"
#include "TestDesktop.h"
#include "TestGnome.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// Beside the window Tessel opens in the middle of the screen when there is no panel.
const QPoint overWindow(1000, 500);
const QRect screen(0, 0, 1280, 720);
constexpr auto paperTimeout = 20s;
// Idle time must pass a whole minute before art shows.
constexpr auto artTimeout = 100s;

constexpr uint32_t superKey = 0xffeb;
constexpr uint32_t shiftKey = 0xffe1;
constexpr uint32_t pKey = 0x70;

const QByteArray paperOn = R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}})";

// The real program on a private headless GNOME Shell, over native Wayland windows, with the
// extension and Mutter telling it what XWayland cannot.
class GnomeOverlay : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (test::TestGnome::available()) {
            gnome = std::make_unique<test::TestGnome>();
        }
    }
    static void TearDownTestSuite() { gnome.reset(); }

    void SetUp() override {
        ASSERT_TRUE(gnome) << "the GNOME tests need root, gnome-shell, Xwayland and unshare";
    }

    std::unique_ptr<test::TesselProcess> run(const QByteArray& settings) {
        auto tessel = std::make_unique<test::TesselProcess>(settings);
        tessel->start(gnome->clientEnvironment());
        return tessel;
    }

    std::unique_ptr<test::SolidWindow> openWindow(const char* appId) {
        auto window = std::make_unique<test::SolidWindow>(gnome->clientEnvironment(), appId,
                                                          gnome->logPath(appId) +
                                                              QString::number(++m_windows));
        EXPECT_TRUE(waitFor([&] { return window->isShown(); })) << appId << " did not show";
        return window;
    }

    QColor pixel() const { return gnome->pixel(overWindow); }

    static std::unique_ptr<test::TestGnome> gnome;

private:
    int m_windows = 0;
};

std::unique_ptr<test::TestGnome> GnomeOverlay::gnome;

TEST_F(GnomeOverlay, PaperBlendsOverANativeWindowAndLetsClicksThrough) {
    const auto page = openWindow("org.example.Page");
    ASSERT_TRUE(waitFor([&] { return test::isWhite(pixel()); }));
    const auto tessel = run(paperOn);
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout))
        << "pixel " << pixel().name().toStdString() << "\n"
        << tessel->log().toStdString();
    QString status;
    tessel->command({u"status"_s}, &status);
    EXPECT_TRUE(status.contains(u"Platform: gnome"_s)) << status.toStdString();

    // The shell learns that the paper passes input a moment after it shows.
    constexpr auto clickArrives = 1s;
    EXPECT_TRUE(waitFor([&] {
        gnome->click(overWindow);
        return waitFor([&] { return page->received("click 1000 500"); }, clickArrives);
    }));
}

TEST_F(GnomeOverlay, AnExcludedNativeAppInFrontHidesThePaper) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = run(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                "excludedApps": ["org.example.Excluded"]})");
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));

    auto excluded = openWindow("org.example.Excluded");
    EXPECT_TRUE(waitFor([&] { return test::isWhite(pixel()); }, paperTimeout));
    excluded.reset();
    EXPECT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));
}

TEST_F(GnomeOverlay, AHotKeyReachesTesselThroughTheExtension) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = run(paperOn);
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));
    ASSERT_EQ(tessel->command({u"shortcut"_s, u"set"_s, u"togglePaper"_s, u"Super+Shift+P"_s}), 0);

    gnome->pressKeys({superKey, shiftKey, pKey});
    EXPECT_TRUE(waitFor([&] { return test::isWhite(pixel()); }, paperTimeout));
    EXPECT_EQ(page->count("key"), 0) << "the shell kept the keys from the window";
}

TEST_F(GnomeOverlay, IdleTimeFromMutterPutsArtUp) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = run(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                "art": {"enabled": true, "idleMinutes": 1,
                                        "collections": ["ukiyoe"]}})");
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));
    const QImage paper = gnome->screenshot(screen);
    constexpr double paintingShare = 0.1;
    EXPECT_TRUE(waitFor(
        [&] { return test::changedShare(paper, gnome->screenshot(screen)) > paintingShare; },
        artTimeout));
}

} // namespace
} // namespace tessel
