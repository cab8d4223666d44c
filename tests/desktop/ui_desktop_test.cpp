#include "TestDesktop.h"
#include "core/Settings.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <nlohmann/json.hpp>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

// The built tessel as a user meets it: the first launch with its Welcome, and the panel icon
// with its popover.
class UiDesktopTest : public test::DesktopTest {
protected:
    static std::optional<QString> xdotool(const QStringList& arguments) {
        return test::xdotool(arguments);
    }

    // The first window on screen with this name, other than `except`.
    static QString visibleWindow(const QString& name, const QString& except = {}) {
        const QStringList found =
            xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + name + u'$'})
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
        const QString geometry = xdotool({u"getwindowgeometry"_s, window}).value_or(QString());
        const QStringList size =
            geometry.section(u"Geometry: "_s, 1).section(u'\n', 0, 0).split(u'x');
        return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
    }

    test::TesselProcess tessel;
};

TEST_F(UiDesktopTest, AFirstLaunchShowsNoPaperUntilItIsLaidDown) {
    const QRect paper(140, 140, 160, 160);
    test::WindowSpec white;
    white.geometry = paper.adjusted(-40, -40, 40, 40);
    white.wmInstance = "white";
    white.wmClass = "White";
    desktop.openWindow(white);
    tessel.start();

    QString welcome;
    ASSERT_TRUE(waitFor([&] { return !(welcome = visibleWindow("Welcome to Tessel")).isEmpty(); },
                        std::chrono::seconds(30)))
        << "no Welcome window";
    // Welcome sits in the middle of the screen; the white window stays clear of it.
    EXPECT_TRUE(desktop.isPlainWhite(paper));

    ASSERT_TRUE(xdotool({u"windowactivate"_s, u"--sync"_s, welcome, u"key"_s, u"--window"_s,
                         welcome, u"Return"_s}));
    EXPECT_TRUE(waitFor([&] { return !desktop.isPlainWhite(paper); }, std::chrono::seconds(60)))
        << "paper did not show";
    const auto stored = UserDefaults(tessel.config()).value("settings");
    ASSERT_TRUE(stored);
    const std::optional<Settings> settings = settingsFromJson(*stored);
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->onboarded);
    EXPECT_TRUE(settings->enabled);
}

TEST_F(UiDesktopTest, ClickingThePanelIconOpensThePopover) {
    const auto panel = desktop.startPanel();
    ASSERT_EQ(tessel.command({u"settings"_s, u"set"_s, u"onboarded"_s, u"true"_s}), 0);
    tessel.start();
    // Until the popover opens, Tessel's only window on screen is the icon in the panel.
    QString icon;
    ASSERT_TRUE(waitFor(
        [&] {
            icon = xdotool({u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"tessel"_s})
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
        xdotool({u"mousemove"_s, u"--window"_s, icon, QString::number(size.width() / 2),
                 QString::number(size.height() / 2), u"click"_s, u"1"_s});
        waitFor([&] { return !(popover = visibleWindow("Tessel", icon)).isEmpty(); },
                std::chrono::seconds(5));
    }
    ASSERT_FALSE(popover.isEmpty()) << "no popover after clicking the icon";
    EXPECT_EQ(windowSize(popover).width(), 340);

    xdotool({u"key"_s, u"Escape"_s});
    EXPECT_TRUE(waitFor([&] { return visibleWindow("Tessel", icon).isEmpty(); }));
}

} // namespace
} // namespace tessel
