#include "MachineTest.h"
#include "shortcuts/ShortcutActions.h"

namespace tessel {
namespace {

class ShortcutActionsTest : public MachineTest {
protected:
    void run(const char* name) {
        ASSERT_TRUE(ShortcutActions::run(*store, QString::fromLatin1(name)));
    }
    void startWithSlots(const Slot& day, const Slot& night, QList<CustomPaper> custom = {}) {
        startWith([&](Settings& s) {
            s.day = day;
            s.night = night;
            s.customPapers = std::move(custom);
        });
    }
};

TEST_F(ShortcutActionsTest, TogglesInvertTheirOneSettingAndBack) {
    startStore();
    // The names are the keys the combinations are stored under, so they are matched exactly.
    EXPECT_FALSE(ShortcutActions::run(*store, u"togglepaper"_s));
    for (const auto& [name, setting] : {std::pair{"togglePaper", &Settings::enabled},
                                        std::pair{"focusSheet", &Settings::focusSheet},
                                        std::pair{"readingRuler", &Settings::ruler}}) {
        SCOPED_TRACE(name);
        const Settings before = store->settings();
        Settings toggled = before;
        toggled.*setting = !(before.*setting);
        run(name);
        EXPECT_EQ(store->settings(), toggled);
        run(name);
        EXPECT_EQ(store->settings(), before);
    }
}

TEST_F(ShortcutActionsTest, SnoozeHourSnoozesThenCancels) {
    startStore();
    run("snoozeHour");
    ASSERT_TRUE(store->settings().snoozedUntil);
    EXPECT_DOUBLE_EQ(
        Instant::fromDateTime(platform.now()).secondsUntil(*store->settings().snoozedUntil), 3600);
    platform.advance(std::chrono::minutes(20));
    run("snoozeHour");
    EXPECT_FALSE(store->isSnoozed());
}

// After the last built-in come the custom papers, then the first built-in again.
TEST_F(ShortcutActionsTest, NextPaperWrapsThroughCustomPapersAndTreatsUnknownOnesAsFirst) {
    const QList<Paper>& papers = Paper::builtIn();
    startWithSlots({papers.last().id, 140}, {u"felt"_s, 150}, {{u"mine"_s, u"Mine"_s, {}}});
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
    startWithSlots({u"kozo"_s, 120}, {u"felt"_s, 150});
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
    // The action, the weight it starts from and the weight it leaves.
    const std::tuple<const char*, double, double> cases[] = {
        {"heavier", 300, 300}, {"heavier", 290, 300}, {"heavier", 120, 140},
        {"lighter", 60, 60},   {"lighter", 70, 60},   {"lighter", 300, 280}};
    for (const auto& [action, from, to] : cases) {
        startWithSlots({u"laid"_s, from}, {u"felt"_s, 150});
        run(action);
        EXPECT_EQ(store->settings().day, (Slot{u"laid"_s, to})) << action << " from " << from;
    }
}

} // namespace
} // namespace tessel
