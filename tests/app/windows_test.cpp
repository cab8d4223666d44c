#include "AppFixture.h"
#include "app/TesselApp.h"
#include "doubles/FakeHotKeys.h"
#include "ui/kit/Toggle.h"
#include "ui/popover/PopoverFooter.h"
#include "ui/popover/PopoverHeader.h"
#include "ui/popover/QuietButton.h"

#include <QPushButton>

namespace tessel {
namespace {

class Windows : public AppFixture {
protected:
    TesselApp& makeApp() {
        app = std::make_unique<TesselApp>(platform, hotKeys, std::make_unique<RecordingOverlay>(),
                                          QUrl());
        return *app;
    }

    QWidget* window(const char* id) { return app->windows().window(QString::fromLatin1(id)); }

    static QPushButton* button(QWidget* window, const QString& text) {
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            if (b->text() == text) {
                return b;
            }
        }
        return nullptr;
    }

    FakeHotKeys hotKeys;
    std::unique_ptr<TesselApp> app;
};

TEST_F(Windows, ReopenShowsWelcomeUntilOnboardedThenSettings) {
    Settings fresh;
    storeSettings(fresh);
    makeApp().store().start();
    app->tray().show();
    app->reopen();
    QWidget* welcome = window("welcome");
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(welcome->isVisible());
    app->reopen();
    EXPECT_EQ(window("welcome"), welcome);
    EXPECT_FALSE(window("settings"));

    QPushButton* layItDown = button(welcome, QStringLiteral("Lay it down"));
    ASSERT_TRUE(layItDown);
    layItDown->click();
    EXPECT_TRUE(app->store().settings().onboarded);
    EXPECT_TRUE(app->store().settings().enabled);
    app->reopen();
    ASSERT_TRUE(window("settings"));
    EXPECT_TRUE(window("settings")->isVisible());

    // Minimised, it comes back as it was.
    window("settings")->showMinimized();
    app->reopen();
    EXPECT_FALSE(window("settings")->isMinimized());
}

TEST_F(Windows, HaveTheirSizesStylesAndTitles) {
    makeApp();
    QWidget& welcome = app->windows().open(QStringLiteral("welcome"));
    EXPECT_EQ(welcome.size(), QSize(560, 640));
    EXPECT_EQ(welcome.minimumSize(), welcome.maximumSize());
    EXPECT_FALSE(welcome.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(welcome.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    // Any other identifier means Settings.
    QWidget& settings = app->windows().open(QStringLiteral("papers"));
    EXPECT_EQ(&settings, window("settings"));
    EXPECT_EQ(settings.size(), QSize(840, 600));
    EXPECT_EQ(settings.windowTitle(), QStringLiteral("Tessel Settings"));
    EXPECT_LT(settings.minimumWidth(), 840);
    EXPECT_GT(settings.maximumWidth(), 840);
    // Without a feed there is nothing to check.
    EXPECT_FALSE(button(&settings, QStringLiteral("Check for Updates")));
    QPushButton* again = button(&settings, QStringLiteral("Show Welcome Again"));
    ASSERT_TRUE(again);
    welcome.close();
    again->click();
    EXPECT_TRUE(welcome.isVisible());
}

TEST_F(Windows, SettingsKeepsItsPlaceWhenClosedAndItsSizeAcrossLaunches) {
    makeApp();
    QWidget& settings = app->windows().open(QStringLiteral("settings"));
    settings.move(40, 30);
    settings.resize(900, 700);
    settings.close();
    QWidget& reopened = app->windows().open(QStringLiteral("settings"));
    EXPECT_EQ(&reopened, &settings);
    EXPECT_EQ(reopened.pos(), QPoint(40, 30));
    reopened.close();
    const auto frame = platform.defaults().value("windowFrame_TesselSettings");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->value("width", 0), 900);
    EXPECT_EQ(frame->value("height", 0), 700);

    app.reset();
    makeApp();
    EXPECT_EQ(app->windows().open(QStringLiteral("settings")).size(), QSize(900, 700));
}

// Without a panel the popover's controls have a window of their own, opened at launch and by
// every launch after onboarding.
TEST_F(Windows, WithoutAPanelTheControlsOpenAsAWindow) {
    storeSettings(Settings{});
    makeApp().launch();
    PopoverView& controls = app->tray().popover();
    EXPECT_TRUE(controls.isVisible());
    EXPECT_FALSE(controls.isPopup());
    ASSERT_TRUE(window("welcome"));
    EXPECT_TRUE(window("welcome")->isVisible());
    EXPECT_FALSE(window("settings"));
    EXPECT_TRUE(app->store().paperVisible() == false);

    app->store().updateSettings([](Settings& s) { s.onboarded = true; });
    controls.close();
    app->reopen();
    EXPECT_TRUE(controls.isVisible());
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
    EXPECT_EQ(app->tray().toolTip(), QStringLiteral("Tessel"));
    PopoverFooter& footer = popover.footer();
    footer.snoozeMenu().actions()[1]->trigger();
    EXPECT_EQ(app->tray().shownState(), MenuBarIcon::State::snoozed);
    EXPECT_TRUE(app->tray().toolTip().startsWith(QStringLiteral("Tessel \u2014 Snoozed until ")));
    platform.setCompositorRunning(false);
    EXPECT_EQ(app->tray().toolTip(), QStringLiteral("Tessel \u2014 Needs a compositor"));
    platform.setCompositorRunning(true);
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
    ASSERT_TRUE(window("settings"));
    EXPECT_TRUE(window("settings")->isVisible());
}

} // namespace
} // namespace tessel
