#include "ChildProcess.h"
#include "DesktopTest.h"
#include "core/Settings.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <QProcess>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

namespace tessel {
namespace {

using test::waitUntil;

// The built tessel as a user meets it: the first launch with its Welcome, and the panel icon
// with its popover.
class UiDesktopTest : public test::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (!IsSkipped() && !test::hasProgram("xdotool")) {
            GTEST_SKIP() << "xdotool is not installed";
        }
    }

    std::unique_ptr<test::ChildProcess> startTessel() {
        return std::make_unique<test::ChildProcess>(
            std::vector<std::string>{TESSEL_BINARY},
            logs.filePath(QStringLiteral("tessel.log")).toStdString(),
            std::vector<std::string>{"TESSEL_CONFIG_DIR=" + config.path().toStdString()});
    }

    // What xdotool prints, or nothing when it fails.
    static std::optional<QString> xdotool(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("xdotool"), arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            return std::nullopt;
        }
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    // The first window on screen with this name, other than `except`.
    static QString visibleWindow(const QString& name, const QString& except = {}) {
        const QStringList found =
            xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), u'^' + name + u'$'})
                .value_or(QString())
                .split(u'\n', Qt::SkipEmptyParts);
        for (const QString& window : found) {
            if (window != except) {
                return window;
            }
        }
        return {};
    }

    // A window's size as xdotool reports it; empty when it cannot.
    static QSize windowSize(const QString& window) {
        const QString geometry =
            xdotool({QStringLiteral("getwindowgeometry"), window}).value_or(QString());
        const QStringList size =
            geometry.section(QStringLiteral("Geometry: "), 1).section(u'\n', 0, 0).split(u'x');
        return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
    }

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

TEST_F(UiDesktopTest, AFirstLaunchShowsNoPaperUntilItIsLaidDown) {
    const QRect paper(140, 140, 160, 160);
    test::WindowSpec white;
    white.geometry = paper.adjusted(-40, -40, 40, 40);
    white.wmInstance = "white";
    white.wmClass = "White";
    desktop->openWindow(white);
    auto tessel = startTessel();

    QString welcome;
    ASSERT_TRUE(waitUntil([&] { return !(welcome = visibleWindow("Welcome to Tessel")).isEmpty(); },
                          std::chrono::seconds(30)))
        << "no Welcome window";
    // Welcome sits in the middle of the screen; the white window stays clear of it.
    EXPECT_TRUE(isPlainWhite(desktop->screenshot(paper)));

    ASSERT_TRUE(xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), welcome,
                         QStringLiteral("key"), QStringLiteral("--window"), welcome,
                         QStringLiteral("Return")}));
    EXPECT_TRUE(waitUntil([&] { return !isPlainWhite(desktop->screenshot(paper)); },
                          std::chrono::seconds(60)))
        << "paper did not show";
    const auto stored = UserDefaults(config.path()).value("settings");
    ASSERT_TRUE(stored);
    const std::optional<Settings> settings = settingsFromJson(*stored);
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->onboarded);
    EXPECT_TRUE(settings->enabled);
}

TEST_F(UiDesktopTest, ClickingThePanelIconOpensThePopover) {
    if (!test::hasProgram("trayer")) {
        GTEST_SKIP() << "trayer is not installed";
    }
    test::ChildProcess trayer({"trayer", "--edge", "top", "--align", "right", "--widthtype",
                               "pixel", "--width", "120", "--height", "32", "--transparent",
                               "false", "--tint", "0x303030", "--SetDockType", "true"},
                              logs.filePath(QStringLiteral("trayer.log")).toStdString());
    Settings onboarded;
    onboarded.onboarded = true;
    ASSERT_TRUE(UserDefaults(config.path()).setValue("settings", toJson(onboarded)));
    auto tessel = startTessel();
    // Until the popover opens, Tessel's only window on screen is the icon in the panel.
    QString icon;
    ASSERT_TRUE(waitUntil(
        [&] {
            icon = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                            QStringLiteral("--class"), QStringLiteral("tessel")})
                       .value_or(QString())
                       .section(u'\n', 0, 0);
            return !icon.isEmpty();
        },
        std::chrono::seconds(30)))
        << "no icon in the panel";
    const QSize size = windowSize(icon);
    ASSERT_FALSE(size.isEmpty());

    // A click toggles the popover, so each click gets time to show it before the next; the
    // first may reach the icon before it is ready for clicks.
    QString popover;
    for (int attempt = 0; attempt < 3 && popover.isEmpty(); ++attempt) {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon,
                 QString::number(size.width() / 2), QString::number(size.height() / 2),
                 QStringLiteral("click"), QStringLiteral("1")});
        waitUntil([&] { return !(popover = visibleWindow("Tessel", icon)).isEmpty(); },
                  std::chrono::seconds(5));
    }
    ASSERT_FALSE(popover.isEmpty()) << "no popover after clicking the icon";
    EXPECT_EQ(windowSize(popover).width(), 340);

    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(waitUntil([&] { return visibleWindow("Tessel", icon).isEmpty(); }));
}

} // namespace
} // namespace tessel
