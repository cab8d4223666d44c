#include "ChildProcess.h"
#include "DesktopTest.h"
#include "core/Settings.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <QProcess>
#include <QTemporaryDir>

namespace tessel {
namespace {

using test::waitUntil;

// The built tessel, started as a user would, under a tray host on the test desktop.
class PanelDesktopTest : public test::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (!IsSkipped() && !test::hasProgram("trayer")) {
            GTEST_SKIP() << "trayer is not installed";
        }
    }

    int command(const QStringList& arguments) {
        QProcess tessel;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TESSEL_CONFIG_DIR"), config.path());
        tessel.setProcessEnvironment(environment);
        tessel.start(QStringLiteral(TESSEL_BINARY), arguments);
        return tessel.waitForFinished(30000) ? tessel.exitCode() : -1;
    }

    QImage area(QRect rect) const { return desktop->screenshot(rect); }

    static bool isPlainWhite(const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xffffff) != 0xffffff) {
                    return false;
                }
            }
        }
        return true;
    }

    QTemporaryDir config;
    QTemporaryDir logs;
};

TEST_F(PanelDesktopTest, TheIconSitsInThePanelAndCommandsChangeThePaper) {
    const QImage screen = desktop->screenshot();
    const QRect tray(screen.width() - 120, 0, 120, 32);
    test::ChildProcess trayer({"trayer", "--edge", "top", "--align", "right", "--widthtype",
                               "pixel", "--width", "120", "--height", "32", "--transparent",
                               "false", "--tint", "0x303030", "--SetDockType", "true"},
                              logs.filePath(QStringLiteral("trayer.log")).toStdString());
    const QRect paper(140, 140, 200, 200);
    test::WindowSpec white;
    white.geometry = paper.adjusted(-40, -40, 40, 40);
    white.wmInstance = "white";
    white.wmClass = "White";
    desktop->openWindow(white);
    ASSERT_TRUE(waitUntil([&] { return area(tray) != screen.copy(tray); }));
    const QImage emptyTray = area(tray);

    Settings settings;
    settings.onboarded = true;
    settings.enabled = false;
    UserDefaults(config.path()).setValue("settings", toJson(settings));
    test::ChildProcess tessel({TESSEL_BINARY},
                              logs.filePath(QStringLiteral("tessel.log")).toStdString(),
                              {"TESSEL_CONFIG_DIR=" + config.path().toStdString()});
    ASSERT_TRUE(waitUntil([&] { return area(tray) != emptyTray; }, std::chrono::seconds(30)))
        << "no icon in the panel";
    // Status answers once Tessel holds its name on the bus.
    ASSERT_TRUE(waitUntil([&] { return command({QStringLiteral("status")}) == 0; },
                          std::chrono::seconds(30)));
    EXPECT_TRUE(isPlainWhite(area(paper)));

    ASSERT_EQ(command({QStringLiteral("on")}), 0);
    ASSERT_TRUE(waitUntil([&] { return !isPlainWhite(area(paper)); }, std::chrono::seconds(60)))
        << "paper did not show";
    // Let the cross-fade settle before taking the first paper's look.
    QImage kozo;
    ASSERT_TRUE(waitUntil(
        [&] {
            const QImage now = area(paper);
            const bool settled = now == kozo;
            kozo = now;
            return settled;
        },
        std::chrono::seconds(30)));

    ASSERT_EQ(command({QStringLiteral("off")}), 0);
    ASSERT_TRUE(waitUntil([&] { return isPlainWhite(area(paper)); }, std::chrono::seconds(30)));

    ASSERT_EQ(command({QStringLiteral("paper"), QStringLiteral("graph"), QStringLiteral("--gsm"),
                       QStringLiteral("200")}),
              0);
    ASSERT_TRUE(waitUntil(
        [&] {
            const QImage now = area(paper);
            return !isPlainWhite(now) && now != kozo;
        },
        std::chrono::seconds(60)));
}

} // namespace
} // namespace tessel
