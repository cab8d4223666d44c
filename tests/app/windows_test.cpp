#include "AppTest.h"
#include "ui/kit/Toggle.h"
#include "ui/popover/PopoverFooter.h"
#include "ui/popover/PopoverHeader.h"
#include "ui/popover/QuietButton.h"

#include <QPushButton>

namespace tessel {
namespace {

class Windows : public AppTest {
protected:
    static QPushButton* button(QWidget* window, const QString& text) {
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            if (b->text() == text) {
                return b;
            }
        }
        return nullptr;
    }
};

TEST_F(Windows, ReopenShowsWelcomeUntilOnboardedThenSettings) {
    Settings fresh;
    storeSettings(fresh);
    makeApp().store().start();
    app->reopen();
    QWidget* welcome = window(u"welcome"_s);
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(welcome->isVisible());
    app->reopen();
    EXPECT_EQ(window(u"welcome"_s), welcome);
    EXPECT_FALSE(window(u"settings"_s));

    QPushButton* layItDown = button(welcome, u"Lay it down"_s);
    ASSERT_TRUE(layItDown);
    layItDown->click();
    EXPECT_TRUE(app->store().settings().onboarded);
    EXPECT_TRUE(app->store().settings().enabled);
    app->reopen();
    ASSERT_TRUE(window(u"settings"_s));
    EXPECT_TRUE(window(u"settings"_s)->isVisible());
}

TEST_F(Windows, HaveTheirSizesStylesAndTitles) {
    makeApp();
    QWidget& welcome = app->windows().open(u"welcome"_s);
    EXPECT_EQ(welcome.size(), QSize(560, 640));
    EXPECT_EQ(welcome.minimumSize(), welcome.maximumSize());
    EXPECT_FALSE(welcome.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(welcome.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    // Any other identifier means Settings.
    QWidget& settings = app->windows().open(u"papers"_s);
    EXPECT_EQ(&settings, window(u"settings"_s));
    EXPECT_EQ(settings.size(), QSize(840, 600));
    EXPECT_EQ(settings.windowTitle(), u"Tessel Settings"_s);
    EXPECT_LT(settings.minimumWidth(), 840);
    EXPECT_GT(settings.maximumWidth(), 840);
    // Without a feed there is nothing to check.
    EXPECT_FALSE(button(&settings, u"Check for Updates"_s));
    QPushButton* again = button(&settings, u"Show Welcome Again"_s);
    ASSERT_TRUE(again);
    welcome.close();
    again->click();
    EXPECT_TRUE(welcome.isVisible());
}

TEST_F(Windows, SettingsKeepsItsPlaceWhenClosedAndItsSizeAcrossLaunches) {
    makeApp();
    QWidget& settings = app->windows().open(u"settings"_s);
    settings.move(40, 30);
    settings.resize(900, 700);
    settings.close();
    QWidget& reopened = app->windows().open(u"settings"_s);
    EXPECT_EQ(&reopened, &settings);
    EXPECT_EQ(reopened.pos(), QPoint(40, 30));
    reopened.close();
    const auto frame = platform.defaults().value("windowFrame_TesselSettings");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->value("width", 0), 900);
    EXPECT_EQ(frame->value("height", 0), 700);

    app.reset();
    makeApp();
    EXPECT_EQ(app->windows().open(u"settings"_s).size(), QSize(900, 700));
}

TEST_F(Windows, WithoutAPanelLaunchOpensSettingsAndWelcomeUntilOnboarded) {
    storeSettings(Settings{});
    makeApp().launch();
    ASSERT_TRUE(window(u"settings"_s));
    ASSERT_TRUE(window(u"welcome"_s));
    EXPECT_TRUE(window(u"welcome"_s)->isVisible());
    EXPECT_TRUE(app->store().paperVisible() == false);
}

TEST_F(Windows, ThePanelIconOpensThePopoverAndFollowsThePaper) {
    makeApp().store().start();
    PopoverView& popover = app->tray().popover();
    app->tray().openPopover();
    EXPECT_TRUE(popover.isVisible());
    PopoverFooter& footer = popover.footer();
    footer.snoozeMenu().actions()[1]->trigger();
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::snoozed);
    EXPECT_FALSE(footer.resume()->isHidden());
    // The icon follows the end of the snooze without anyone touching the settings.
    platform.advance(std::chrono::minutes(61));
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::on);
    EXPECT_TRUE(footer.resume()->isHidden());

    popover.header().paperSwitch()->click();
    EXPECT_FALSE(app->store().settings().enabled);
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::off);
    footer.settings()->click();
    EXPECT_FALSE(popover.isVisible());
    ASSERT_TRUE(window(u"settings"_s));
    EXPECT_TRUE(window(u"settings"_s)->isVisible());
}

} // namespace
} // namespace tessel
