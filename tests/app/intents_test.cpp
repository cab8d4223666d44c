#include "MachineTest.h"
#include "app/Intents.h"

namespace tessel {
namespace {

class IntentsTest : public MachineTest {
protected:
    IntentsTest() {
        Settings s;
        s.onboarded = true;
        s.enabled = false;
        s.day = {u"kozo"_s, 110};
        s.night = {u"felt"_s, 170};
        storeSettings(s);
        startStore();
        QObject::connect(store.get(), &Store::settingsChanged,
                         [this] { changes.push_back(store->settings()); });
    }

    std::vector<Settings> changes;
};

TEST_F(IntentsTest, SetPaperIsOneChangeOfBothSlotsAndTheSwitch) {
    ASSERT_FALSE(Intents::setPaper(*store, u"graph"_s, 200));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].day, (Slot{u"graph"_s, 200}));
    EXPECT_EQ(changes[0].night, (Slot{u"graph"_s, 200}));
    EXPECT_TRUE(changes[0].enabled);
    EXPECT_EQ(overlay->lastSync.layers.value(u"A"_s).paper, u"graph"_s);
}

TEST_F(IntentsTest, SetPaperWithoutAWeightKeepsBothWeights) {
    ASSERT_FALSE(Intents::setPaper(*store, u"graph"_s, std::nullopt));
    EXPECT_EQ(store->settings().day, (Slot{u"graph"_s, 110}));
    EXPECT_EQ(store->settings().night, (Slot{u"graph"_s, 170}));
    EXPECT_TRUE(store->settings().enabled);
}

TEST_F(IntentsTest, WeightsAndMinutesOutsideTheirRangesChangeNothing) {
    for (const int gsm : {60, 300}) {
        EXPECT_FALSE(Intents::setPaper(*store, u"laid"_s, gsm)) << gsm;
        EXPECT_EQ(store->settings().night.gsm, gsm);
    }
    changes.clear();
    const Settings before = store->settings();
    EXPECT_EQ(Intents::setPaper(*store, u"laid"_s, 59),
              u"Weight must be from 60 to 300 gsm, not 59."_s);
    EXPECT_TRUE(Intents::setPaper(*store, u"laid"_s, 301));
    EXPECT_TRUE(Intents::setPaper(*store, u"mine"_s, 120));
    EXPECT_EQ(Intents::snooze(*store, 0), u"Minutes must be from 1 to 720, not 0."_s);
    EXPECT_TRUE(Intents::snooze(*store, 721));
    EXPECT_TRUE(Intents::setFocusFilter(*store, true, u"Felt"_s));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(store->settings(), before);
    EXPECT_FALSE(store->focusFilter());
}

TEST_F(IntentsTest, SnoozeLastsItsMinutes) {
    for (const int minutes : {1, 720}) {
        ASSERT_FALSE(Intents::snooze(*store, minutes));
        EXPECT_DOUBLE_EQ(
            Instant::fromDateTime(platform.now()).secondsUntil(*store->settings().snoozedUntil),
            minutes * 60.0);
    }
}

TEST_F(IntentsTest, TheFocusFilterIsHeldButNeverSaved) {
    Intents::setPaperOn(*store, true);
    ASSERT_FALSE(Intents::setFocusFilter(*store, false, std::nullopt));
    EXPECT_TRUE(overlay->lastSync.layers.isEmpty());
    EXPECT_TRUE(store->settings().enabled);

    ASSERT_FALSE(Intents::setFocusFilter(*store, true, u"felt"_s));
    const Layer shown = overlay->lastSync.layers.value(u"A"_s);
    EXPECT_EQ(shown.paper, u"felt"_s);
    EXPECT_EQ(shown.gsm, 110);
    const auto saved = settingsFromJson(*platform.defaults().value("settings"));
    EXPECT_EQ(saved->day.paper, u"kozo"_s);
    EXPECT_EQ(store->focusFilter(), (FocusFilter{true, u"felt"_s}));
}

} // namespace
} // namespace tessel
