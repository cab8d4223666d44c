#include "SwayTest.h"
#include "TestDesktop.h"

#include <QColor>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>
#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace std::chrono_literals;

const QPoint overWindow(600, 400);
constexpr auto paperTimeout = 60s;

// Types one key on a virtual keyboard that stays plugged in for a moment first, so that
// clients can take up the new keyboard before the key arrives.
bool typeKey() {
    QProcess wtype;
    wtype.start(QStringLiteral("wtype"),
                {QStringLiteral("-s"), QStringLiteral("500"), QStringLiteral("x")});
    return wtype.waitForFinished(10000) && wtype.exitCode() == 0;
}

class WaylandOverlay : public test::SwayTest {
protected:
    // Starts Tessel on the compositor with these settings.
    std::unique_ptr<test::TesselProcess> run(const QByteArray& settings) {
        auto tessel = std::make_unique<test::TesselProcess>(settings);
        tessel->start(sway->clientEnvironment());
        return tessel;
    }

    QColor pixel() const { return sway->pixel(overWindow); }
};

const QByteArray paperOn = R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}})";

QString runTessel(const QString& command) {
    QProcess tessel;
    tessel.start(QStringLiteral(TESSEL_BINARY), {command});
    tessel.waitForFinished(10000);
    return QString::fromUtf8(tessel.readAllStandardOutput());
}

TEST_F(WaylandOverlay, PaperBlendsOverANativeWindowAndLetsClicksThrough) {
    const auto page = openWindow("org.example.Page");
    ASSERT_TRUE(waitFor([&] { return test::isWhite(pixel()); }));
    const auto tessel = run(paperOn);
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout))
        << "pixel " << pixel().name().toStdString();
    EXPECT_TRUE(
        runTessel(QStringLiteral("status")).endsWith(QStringLiteral("Platform: wayland\n")));

    const QString x = QString::number(overWindow.x());
    const QString y = QString::number(overWindow.y());
    ASSERT_TRUE(sway->command({QStringLiteral("seat"), QStringLiteral("seat0"),
                               QStringLiteral("cursor"), QStringLiteral("set"), x, y}));
    for (const char* action : {"press", "release"}) {
        ASSERT_TRUE(sway->command({QStringLiteral("seat"), QStringLiteral("seat0"),
                                   QStringLiteral("cursor"), QString::fromLatin1(action),
                                   QStringLiteral("button1")}));
    }
    EXPECT_TRUE(waitFor([&] { return page->received(("click " + x + u' ' + y).toLatin1()); }));
}

TEST_F(WaylandOverlay, ExcludedAppInFrontHidesThePaper) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = run(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                "excludedApps": ["org.example.Excluded"]})");
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));

    auto excluded = openWindow("org.example.Excluded");
    EXPECT_TRUE(waitFor([&] { return test::isWhite(pixel()); }, paperTimeout));
    excluded.reset();
    EXPECT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));
}

TEST_F(WaylandOverlay, ArtTakesTheKeyboardAndAKeyDismissesIt) {
    const auto page = openWindow("org.example.Page");
    const auto tessel = run(paperOn);
    ASSERT_TRUE(waitFor([&] { return test::isPaperOverWhite(pixel()); }, paperTimeout));
    const QImage paper = sway->screenshot();
    // Keys reach the page under the paper.
    ASSERT_TRUE(typeKey());
    ASSERT_TRUE(waitFor([&] { return page->count("key") == 1; }));

    runTessel(QStringLiteral("art"));
    constexpr double paintingShare = 0.1;
    ASSERT_TRUE(
        waitFor([&] { return test::changedShare(paper, sway->screenshot()) > paintingShare; },
                paperTimeout));
    ASSERT_TRUE(typeKey());
    constexpr double unchangedShare = 0.01;
    EXPECT_TRUE(
        waitFor([&] { return test::changedShare(paper, sway->screenshot()) < unchangedShare; }));
    EXPECT_EQ(page->count("key"), 1) << "the key went past the painting";
}

} // namespace
} // namespace tessel
