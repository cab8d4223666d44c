#include "AppTest.h"
#include "ui/Named.h"
#include "ui/popover/PopoverFooter.h"
#include "ui/popover/QuietButton.h"

#include <QPushButton>

namespace tessel {
namespace {

using Windows = AppTest;

TEST_F(Windows, ReopenShowsWelcomeUntilOnboardedThenSettings) {
    storeSettings(Settings{});
    makeApp().store().start();
    app->tray().show();
    app->reopen();
    QWidget* welcome = window(u"welcome"_s);
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(welcome->isVisible());
    app->reopen();
    EXPECT_EQ(window(u"welcome"_s), welcome);
    EXPECT_FALSE(window(u"settings"_s));

    named<QPushButton>(*welcome, u"Lay it down"_s)->click();
    app->reopen();
    ASSERT_TRUE(window(u"settings"_s));
    EXPECT_TRUE(window(u"settings"_s)->isVisible());

    // Minimised, it comes back as it was.
    window(u"settings"_s)->showMinimized();
    app->reopen();
    EXPECT_FALSE(window(u"settings"_s)->isMinimized());
}

// Welcome keeps its one size; any other identifier means Settings.
TEST_F(Windows, WelcomeIsFixedAndSettingsOpensWelcomeAgain) {
    makeApp();
    QWidget& welcome = app->windows().open(u"welcome"_s);
    EXPECT_EQ(welcome.minimumSize(), welcome.maximumSize());
    EXPECT_FALSE(welcome.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QWidget& settings = app->windows().open(u"papers"_s);
    EXPECT_EQ(&settings, window(u"settings"_s));
    EXPECT_EQ(settings.windowTitle(), u"Tessel Settings"_s);
    welcome.close();
    named<QPushButton>(settings, u"Show Welcome Again"_s)->click();
    EXPECT_TRUE(welcome.isVisible());
}

TEST_F(Windows, SettingsKeepsItsPlaceWhenClosedAndItsSizeAcrossLaunches) {
    makeApp();
    QWidget& settings = app->windows().open(u"settings"_s);
    settings.move(40, 30);
    settings.resize(900, 700);
    settings.close();
    QWidget& reopened = app->windows().open(u"settings"_s);
    EXPECT_EQ(reopened.pos(), QPoint(40, 30));
    reopened.close();

    app.reset();
    makeApp();
    EXPECT_EQ(app->windows().open(u"settings"_s).size(), QSize(900, 700));
}

// Without a panel the popover's controls have a window of their own, opened at launch and by
// every launch after onboarding.
TEST_F(Windows, WithoutAPanelTheControlsOpenAsAWindow) {
    storeSettings(Settings{});
    makeApp().launch();
    PopoverView& controls = app->tray().popover();
    EXPECT_TRUE(controls.isVisible());
    EXPECT_FALSE(controls.isPopup());
    ASSERT_TRUE(window(u"welcome"_s));
    EXPECT_TRUE(window(u"welcome"_s)->isVisible());
    EXPECT_FALSE(window(u"settings"_s));

    controls.footer().settings()->click();
    EXPECT_TRUE(controls.isVisible());
    ASSERT_TRUE(window("settings"));
    EXPECT_TRUE(window("settings")->isVisible());
}

TEST_F(Windows, ThePanelIconOpensThePopoverAndFollowsThePaper) {
    makeApp().store().start();
    app->tray().show();
    PopoverView& popover = app->tray().popover();
    app->tray().openPopover();
    EXPECT_TRUE(popover.isVisible());
    EXPECT_TRUE(popover.isPopup());
    EXPECT_EQ(app->tray().toolTip(), u"Tessel"_s);
    PopoverFooter& footer = popover.footer();
    app->store().snooze(3600);
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::snoozed);
    EXPECT_TRUE(app->tray().toolTip().startsWith(u"Tessel \u2014 Snoozed until "_s));
    EXPECT_FALSE(footer.resume()->isHidden());
    // The icon and popover follow the end of the snooze without anyone touching the settings.
    platform.advance(std::chrono::minutes(61));
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::on);
    EXPECT_TRUE(footer.resume()->isHidden());

    app->store().updateSettings([](Settings& s) { s.enabled = false; });
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::off);
    footer.settings()->click();
    EXPECT_FALSE(popover.isVisible());
    ASSERT_TRUE(window(u"settings"_s));
    EXPECT_TRUE(window(u"settings"_s)->isVisible());
}

} // namespace
} // namespace tessel
