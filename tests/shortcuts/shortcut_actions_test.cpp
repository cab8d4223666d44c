#include "MachineTest.h"
#include "shortcuts/ShortcutActions.h"

namespace tessel {
namespace {

class ShortcutActionsTest : public MachineTest {
protected:
    void run(const char* name) {
        ASSERT_TRUE(ShortcutActions::run(*store, QString::fromLatin1(name)));
    }
    Settings withSlots(Slot day, Slot night) {
        Settings s;
        s.onboarded = true;
        s.day = std::move(day);
        s.night = std::move(night);
        return s;
    }
};

TEST_F(ShortcutActionsTest, NamesAreTheSevenStoredActions) {
    EXPECT_EQ(ShortcutActions::names(),
              QStringList({"togglePaper", "snoozeHour", "nextPaper", "heavier", "lighter",
                           "focusSheet", "readingRuler"}));
    startStore();
    EXPECT_FALSE(ShortcutActions::run(*store, u"nextpaper"_s));
}

TEST_F(ShortcutActionsTest, TogglesInvertAndPersist) {
    startStore();
    run("togglePaper");
    run("focusSheet");
    run("readingRuler");
    EXPECT_FALSE(store->settings().enabled);
    EXPECT_TRUE(store->settings().focusSheet);
    EXPECT_TRUE(store->settings().ruler);
    EXPECT_TRUE(overlay->lastSync.layers.isEmpty());
    platform.advance(SettingsPersistence::writeSpacing);
    const auto saved = settingsFromJson(*platform.defaults().value("settings"));
    ASSERT_TRUE(saved);
    EXPECT_FALSE(saved->enabled);
    EXPECT_TRUE(saved->ruler);

    run("togglePaper");
    EXPECT_TRUE(store->settings().enabled);
    EXPECT_EQ(overlay->lastSync.layers.size(), 1);
}

TEST_F(ShortcutActionsTest, SnoozeHourSnoozesThenCancels) {
    startStore();
    run("snoozeHour");
    ASSERT_TRUE(store->settings().snoozedUntil);
    EXPECT_DOUBLE_EQ(
        Instant::fromDateTime(platform.now()).secondsUntil(*store->settings().snoozedUntil), 3600);
    platform.advance(std::chrono::minutes(20));
    run("snoozeHour");
    EXPECT_FALSE(store->settings().snoozedUntil);
    EXPECT_FALSE(store->isSnoozed());
}

// After the last built-in come the custom papers, then the first built-in again.
TEST_F(ShortcutActionsTest, NextPaperWrapsThroughCustomPapersAndTreatsUnknownOnesAsFirst) {
    const QList<Paper>& papers = Paper::builtIn();
    Settings s = withSlots({papers.last().id, 140}, {u"felt"_s, 150});
    s.customPapers = {CustomPaper{u"mine"_s, u"Mine"_s, {}}};
    storeSettings(s);
    startStore();
    for (const QString& next : {u"mine"_s, papers.first().id, papers[1].id}) {
        run("nextPaper");
        EXPECT_EQ(store->settings().day, (Slot{next, 140}));
    }
    store->updateSettings([](Settings& x) { x.day.paper = u"deleted-custom"_s; });
    run("nextPaper");
    EXPECT_EQ(store->settings().day, (Slot{papers[1].id, 140}));
    EXPECT_EQ(store->settings().night, (Slot{u"felt"_s, 150}));
}

TEST_F(ShortcutActionsTest, ActionsFollowTheAppearanceFirst) {
    storeSettings(withSlots({u"kozo"_s, 120}, {u"felt"_s, 150}));
    startStore();
    store->setEditingNight(true); // the popover left on Night while the desktop is light
    run("heavier");
    EXPECT_FALSE(store->editingNight());
    EXPECT_EQ(store->settings().day.gsm, 140);
    EXPECT_EQ(store->settings().night.gsm, 150);

    platform.setDark(true);
    store->setEditingNight(false);
    run("lighter");
    EXPECT_TRUE(store->editingNight());
    EXPECT_EQ(store->settings().night, (Slot{u"felt"_s, 130}));
    run("nextPaper");
    EXPECT_EQ(store->settings().night.paper, u"newsprint"_s);
}

TEST_F(ShortcutActionsTest, WeightsStayWithinSixtyAndThreeHundred) {
    struct Case {
        const char* action;
        double from;
        double to;
    };
    for (const Case& c :
         {Case{"heavier", 300, 300}, Case{"heavier", 290, 300}, Case{"heavier", 120, 140},
          Case{"lighter", 60, 60}, Case{"lighter", 70, 60}, Case{"lighter", 300, 280}}) {
        storeSettings(withSlots({u"laid"_s, c.from}, {u"felt"_s, 150}));
        startStore();
        run(c.action);
        EXPECT_EQ(store->settings().day, (Slot{u"laid"_s, c.to})) << c.action << " from " << c.from;
    }
}

} // namespace
} // namespace tessel
