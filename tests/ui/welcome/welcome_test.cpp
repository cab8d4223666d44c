#include "core/StatusText.h"
#include "ui/UiTest.h"
#include "ui/kit/LitPaper.h"
#include "ui/kit/PressButton.h"
#include "ui/kit/Swatch.h"
#include "ui/welcome/WelcomePanelStep.h"
#include "ui/welcome/WelcomePaperStep.h"
#include "ui/welcome/WelcomeView.h"

namespace tessel {
namespace {

class Welcome : public UiTest {
protected:
    Welcome() {
        Settings fresh;
        fresh.enabled = false;
        storeSettings(fresh);
        actions.dropIn = [this] {
            events.append(u"drop in"_s);
            overlay->lastSync = {}; // what the overlay is handed from now on
        };
        actions.openSettings = [this] { events.append(u"settings"_s); };
        actions.close = [this] { events.append(u"close"_s); };
        actions.iconPlace = [this] { return place; };
    }

    void SetUp() override {
        startStore();
        view = std::make_unique<WelcomeView>(*store, actions);
        QObject::connect(store.get(), &Store::settingsChanged, [this] {
            const Settings& s = store->settings();
            events.append(u"onboarded %1 enabled %2"_s.arg(s.onboarded).arg(s.enabled));
        });
        view->show();
    }

    void choose(WelcomePaperStep& step, const char* paper, double rulerFraction) {
        Swatch* swatch = named<Swatch>(step, QString::fromLatin1(paper));
        ASSERT_TRUE(swatch);
        swatch->click();
        clickRuler(step.ruler(), rulerFraction);
    }

    WelcomeView::Actions actions;
    IconPlace place = IconPlace::panel;
    std::unique_ptr<WelcomeView> view;
    QStringList events;
};

TEST_F(Welcome, ReturnLaysThePaperDownAndStepOneFollowsAfterAMoment) {
    QTest::keyClick(view.get(), Qt::Key_Return);

    EXPECT_EQ(events,
              (QStringList{u"onboarded 1 enabled 0"_s, u"onboarded 1 enabled 1"_s, u"drop in"_s}));
    EXPECT_FALSE(overlay->lastSync.layers.isEmpty() && overlay->lastSync.pending.isEmpty())
        << "after the drop-in was asked for, the screen is handed its paper";

    platform.advance(std::chrono::milliseconds(1399));
    EXPECT_EQ(view->step(), 0);
    platform.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(view->step(), 1);
}

TEST_F(Welcome, StepsOneAndTwoEditTheDayAndThenTheNightSlotOneStepAtATime) {
    view->setStep(1);
    choose(view->dayStep(), "Gampi", 0);
    EXPECT_EQ(store->settings().day, (Slot{u"gampi"_s, 60}));
    EXPECT_EQ(store->settings().night, Settings().night);

    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(view->step(), 2);
    choose(view->nightStep(), "Blotting", 1);
    EXPECT_EQ(store->settings().night, (Slot{u"blotting"_s, 300}));
    EXPECT_EQ(store->settings().day, (Slot{u"gampi"_s, 60}));
    EXPECT_TRUE(view->nightStep().sheet().night());
    EXPECT_FALSE(view->dayStep().sheet().night());

    view->nightStep().next()->click();
    EXPECT_EQ(view->step(), 3);
    // One step at a time once the transition ends.
    EXPECT_TRUE(waitFor([this] {
        return view->page(3)->isVisible() && !view->page(2)->isVisible() &&
               !view->page(3)->graphicsEffect() && view->page(3)->pos() == QPoint(0, 0);
    }));
    EXPECT_FALSE(view->page(0)->isVisible() || view->page(1)->isVisible());
}

TEST_F(Welcome, TheLastStepOpensSettingsOrSimplyCloses) {
    view->setStep(3);
    view->panelStep().openSettings()->click();
    EXPECT_EQ(events.mid(events.size() - 2), (QStringList{u"close"_s, u"settings"_s}));
    events.clear();
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(events, QStringList{u"close"_s});
}

// Where the paper cannot show, the step says what to do instead of promising a change; the
// last step says where Tessel is.
TEST_F(Welcome, SaysWhatToDoWithoutACompositorAndWhereTesselLives) {
    platform.setCompositorRunning(false);
    EXPECT_EQ(view->dayStep().text(), noCompositorNote());
    platform.setCompositorRunning(true);
    EXPECT_TRUE(view->dayStep().text().startsWith(u"It changes on your screen"));

    const auto lastStep = [this](IconPlace at) {
        place = at;
        view->setStep(0);
        view->setStep(3);
        return visibleTexts(view->panelStep());
    };
    EXPECT_TRUE(lastStep(IconPlace::bottom)
                    .contains(u"Click the sheet at the bottom of your screen\nto change paper, "
                              u"add a desk lamp, or snooze it for a while."_s));
    EXPECT_TRUE(lastStep(IconPlace::panel).join(u' ').contains(u"Click the sheet in your panel"));
    const QStringList window = lastStep(IconPlace::noPanel);
    EXPECT_TRUE(window.contains(u"Tessel lives in a small window"_s));
    EXPECT_FALSE(window.join(u' ').contains(u"Click"));
}

} // namespace
} // namespace tessel
