#pragma once

#include "Files.h"
#include "TestSession.h"
#include "WaitFor.h"

#include <gtest/gtest.h>

namespace tessel::test {

// A full-screen native Wayland window in one colour (the solid_window helper, whose path the
// test program names as TESSEL_SOLID_WINDOW); it logs the clicks and keys it receives.
class SolidWindow {
public:
    SolidWindow(const char* appId, const QString& log, const char* colour)
        : m_log(log)
        , m_process({TESSEL_SOLID_WINDOW, appId, colour}, log, {"ASAN_OPTIONS=detect_leaks=0"}) {}

    pid_t pid() const { return m_process.pid(); }
    bool isShown() const { return readFile(m_log).contains("ready\n"); }
    bool received(const QByteArray& line) const { return readFile(m_log).contains(line + '\n'); }
    qsizetype count(const QByteArray& line) const { return readFile(m_log).count(line + '\n'); }

private:
    QString m_log;
    ChildProcess m_process;
};

// End-to-end tests on one private session, headless sway or GNOME Shell, started for the suite.
template <typename Session> class SessionTest : public ::testing::Test {
protected:
    // A headless desktop now and then hangs as it starts; a second one is tried.
    static void SetUpTestSuite() {
        constexpr int startAttempts = 2;
        for (int attempt = 0; attempt < startAttempts && !session; ++attempt) {
            try {
                session = std::make_unique<Session>();
            } catch (const std::exception& error) {
                failure = error.what();
            }
        }
    }
    static void TearDownTestSuite() { session.reset(); }
    void SetUp() override { ASSERT_TRUE(session) << failure; }

    std::unique_ptr<SolidWindow> openWindow(const char* appId, const char* colour = "ffffff") {
        auto window = std::make_unique<SolidWindow>(
            appId, session->logPath(appId) + QString::number(++m_windows), colour);
        EXPECT_TRUE(waitFor([&] { return window->isShown(); })) << appId << " did not show";
        return window;
    }

    // Beside the window Tessel opens in the middle of the screen when there is no panel.
    static constexpr QPoint overWindow{1000, 500};
    static constexpr std::chrono::seconds paperTimeout{60};

    static QColor pixel() { return session->pixel(overWindow); }

    // Starts Tessel and waits for its paper over a white window.
    static std::unique_ptr<TesselProcess> runOverPaper(const QByteArray& settings) {
        auto tessel = std::make_unique<TesselProcess>(settings);
        tessel->start();
        EXPECT_TRUE(waitFor([] { return isPaperOverWhite(pixel()); }, paperTimeout))
            << "pixel " << pixel().name().toStdString() << "\n"
            << tessel->log().toStdString();
        return tessel;
    }

    // Paper shows over a white window where one of an excluded app is not in front.
    void expectAnExcludedAppInFrontHidesThePaper() {
        const auto page = openWindow("org.example.Page");
        const auto tessel =
            runOverPaper(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                             "excludedApps": ["org.example.Excluded"]})");
        auto excluded = openWindow("org.example.Excluded");
        EXPECT_TRUE(waitFor([] { return isWhite(pixel()); }, paperTimeout));
        excluded.reset();
        EXPECT_TRUE(waitFor([] { return isPaperOverWhite(pixel()); }, paperTimeout));
    }

    // Art from the Ukiyo-e collection hangs on a dark wall, which fills the screen's corners;
    // Tessel's own window and the shell's notices leave them alone.
    static bool showsArt() {
        constexpr int darkWall = 80;
        const QColor corner = session->pixel(QPoint(4, 716));
        return corner.isValid() && corner.lightness() < darkWall;
    }

    static inline std::unique_ptr<Session> session;
    static inline std::string failure;

private:
    int m_windows = 0;
};

} // namespace tessel::test
