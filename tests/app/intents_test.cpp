#include "MachineTest.h"
#include "app/Intents.h"

namespace tessel {
namespace {

class IntentsTest : public MachineTest {
protected:
    IntentsTest() {
        startWith([](Settings& s) {
            s.enabled = false;
            s.day = {u"kozo"_s, 110};
            s.night = {u"felt"_s, 170};
        });
        QObject::connect(store.get(), &Store::settingsChanged,
                         [this] { changes.push_back(store->settings()); });
    }

    double snoozedSeconds() const {
        return Instant::fromDateTime(platform.now()).secondsUntil(*store->settings().snoozedUntil);
    }

    std::vector<Settings> changes;
};

// One change, so that Day and Night are never stored apart.
TEST_F(IntentsTest, SetPaperChangesBothSlotsAndTheSwitchAtOnceUpToTheBounds) {
    ASSERT_FALSE(Intents::setPaper(*store, u"graph"_s, std::nullopt));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].day, (Slot{u"graph"_s, 110}));
    EXPECT_EQ(changes[0].night, (Slot{u"graph"_s, 170}));
    EXPECT_TRUE(changes[0].enabled);
    for (const int gsm : {60, 300}) {
        EXPECT_FALSE(Intents::setPaper(*store, u"laid"_s, gsm)) << gsm;
        EXPECT_EQ(store->settings().day, (Slot{u"laid"_s, qreal(gsm)}));
        EXPECT_EQ(store->settings().night, (Slot{u"laid"_s, qreal(gsm)}));
    }
    for (const int minutes : {1, 720}) {
        ASSERT_FALSE(Intents::snooze(*store, minutes));
        EXPECT_DOUBLE_EQ(snoozedSeconds(), minutes * 60.0);
    }
}

TEST_F(IntentsTest, WeightsAndMinutesOutsideTheirRangesChangeNothing) {
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

TEST_F(IntentsTest, TheFocusFilterIsHeldButNeverSaved) {
    Intents::setPaperOn(*store, true);
    ASSERT_FALSE(Intents::setFocusFilter(*store, false, std::nullopt));
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_TRUE(store->settings().enabled);

    ASSERT_FALSE(Intents::setFocusFilter(*store, true, u"felt"_s));
    EXPECT_EQ(layers().value(u"A"_s).paper, u"felt"_s);
    EXPECT_EQ(layers().value(u"A"_s).gsm, 110);
    EXPECT_EQ(savedSettings()->day.paper, u"kozo"_s);
    EXPECT_EQ(store->focusFilter(), (FocusFilter{true, u"felt"_s}));
}

} // namespace
} // namespace tessel
