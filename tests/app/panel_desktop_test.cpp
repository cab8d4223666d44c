#include "ChildProcess.h"
#include "DesktopTest.h"
#include "core/Settings.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

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

    int command(const QStringList& arguments, QString* output = nullptr) {
        QProcess tessel;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TESSEL_CONFIG_DIR"), config.path());
        tessel.setProcessEnvironment(environment);
        tessel.start(QStringLiteral(TESSEL_BINARY), arguments);
        if (!tessel.waitForFinished(30000)) {
            return -1;
        }
        if (output) {
            *output = QString::fromUtf8(tessel.readAllStandardOutput()).trimmed();
        }
        return tessel.exitCode();
    }

    // Waits for the paper over the area to finish changing; the picture it came to rest on.
    QImage settled(QRect rect) const {
        QImage last;
        waitUntil(
            [&] {
                const QImage now = area(rect);
                const bool same = now == last;
                last = now;
                return same;
            },
            std::chrono::seconds(30));
        return last;
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

    // A panel at the top right, 120 by 32, to hold Tessel's icon.
    std::unique_ptr<test::ChildProcess> startTrayer() {
        return std::make_unique<test::ChildProcess>(
            std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                     "pixel", "--width", "120", "--height", "32", "--transparent",
                                     "false", "--tint", "0x303030", "--SetDockType", "true"},
            logs.filePath(QStringLiteral("trayer.log")).toStdString());
    }

    // A white window; the area inside it that paper shows over.
    QRect openWhiteWindow() {
        const QRect paper(140, 140, 200, 200);
        test::WindowSpec white;
        white.geometry = paper.adjusted(-40, -40, 40, 40);
        white.wmInstance = "white";
        white.wmClass = "White";
        desktop->openWindow(white);
        return paper;
    }

    QTemporaryDir config;
    QTemporaryDir logs;
};

TEST_F(PanelDesktopTest, TheIconSitsInThePanelAndCommandsChangeThePaper) {
    const QImage screen = desktop->screenshot();
    const QRect tray(screen.width() - 120, 0, 120, 32);
    const auto trayer = startTrayer();
    const QRect paper = openWhiteWindow();
    ASSERT_TRUE(waitUntil([&] { return area(tray) != screen.copy(tray); }));
    const QImage emptyTray = area(tray);

    Settings settings;
    settings.onboarded = true;
    settings.enabled = false;
    ASSERT_TRUE(UserDefaults(config.path()).setValue("settings", toJson(settings)));
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
    const QImage kozo = settled(paper);

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

// A paper made in the Studio and exported, imported here and chosen as the Day paper, shows
// on screen as itself, not as the Kozo an unknown paper would fall back to.
TEST_F(PanelDesktopTest, AnImportedPaperChosenAsTheDayPaperShowsOnScreen) {
    const auto trayer = startTrayer();
    const QRect paper = openWhiteWindow();

    QTemporaryDir documents;
    const QString document = documents.filePath(QStringLiteral("Woven.tessel"));
    QFile file(document);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"id":"custom","name":"Woven","recipe":{"cloud":0.1,"grain":0.2,"tooth":0,)"
               R"("toothSize":24,"fibres":0,"fibreDensity":0,"fibreLength":60,"fibreWidth":0.8,)"
               R"("flecks":0,"pattern":"linen","patternAmount":1,"warmth":0,"seed":424242}})");
    file.close();
    QString id;
    ASSERT_EQ(command({QStringLiteral("import"), document}, &id), 0);
    ASSERT_TRUE(id.startsWith(u"custom-")) << id.toStdString();
    ASSERT_EQ(command({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("day"),
                       QStringLiteral(R"({"paper":"%1","gsm":300})").arg(id)}),
              0);
    ASSERT_EQ(command({QStringLiteral("settings"), QStringLiteral("set"),
                       QStringLiteral("onboarded"), QStringLiteral("true")}),
              0);

    test::ChildProcess tessel({TESSEL_BINARY},
                              logs.filePath(QStringLiteral("tessel.log")).toStdString(),
                              {"TESSEL_CONFIG_DIR=" + config.path().toStdString()});
    ASSERT_TRUE(waitUntil([&] { return !isPlainWhite(area(paper)); }, std::chrono::seconds(60)))
        << "paper did not show";
    const QImage woven = settled(paper);
    ASSERT_TRUE(waitUntil([&] { return command({QStringLiteral("status")}) == 0; },
                          std::chrono::seconds(30)));
    ASSERT_EQ(command({QStringLiteral("paper"), QStringLiteral("kozo")}), 0);
    EXPECT_TRUE(waitUntil([&] { return area(paper) != woven && !isPlainWhite(area(paper)); },
                          std::chrono::seconds(60)))
        << "the imported paper looked like Kozo";
}

} // namespace
} // namespace tessel
