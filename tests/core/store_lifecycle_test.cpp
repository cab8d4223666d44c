#include "MachineTest.h"

namespace tessel {
namespace {

constexpr auto oneFrame = std::chrono::milliseconds(1000 / 30 + 1);

using StoreLifecycle = MachineTest;

TEST_F(StoreLifecycle, CreationLoadsSettingsWithoutSavingOrRefreshing) {
    Settings stored;
    stored.onboarded = true;
    stored.day.gsm = 222;
    storeSettings(stored);
    const QDateTime written = QFileInfo(platform.defaults().filePath()).lastModified();
    Store& s = makeStore();
    EXPECT_EQ(s.settings().day.gsm, 222);
    EXPECT_TRUE(overlay->lastSync.screens.isEmpty());
    EXPECT_EQ(QFileInfo(platform.defaults().filePath()).lastModified(), written);
}

TEST_F(StoreLifecycle, AnUnreadableFileGivesDefaultsAndSaysSoUntilTheNextChange) {
    ASSERT_TRUE(test::writeFile(platform.defaults().filePath(), "{\"settings\": "));
    FakePlatform fresh(dir.path());
    Store s(fresh, std::make_unique<RecordingOverlay>());
    EXPECT_EQ(s.settings(), Settings{});
    EXPECT_TRUE(s.status()->startsWith(u"Unreadable settings were set aside as "
                                       "defaults.json.unreadable-"_s));
    s.snooze(60);
    EXPECT_FALSE(s.status().value_or(QString()).startsWith(u"Unreadable"_s));
}

TEST_F(StoreLifecycle, StartReadsTheMachineOnceAndASecondStartDoesNothing) {
    platform.setDark(true);
    platform.setOnBattery(true);
    platform.activateApp(app(u"org.gnome.Terminal"_s, 42));
    Store& s = startStore();
    EXPECT_TRUE(s.editingNight()) << "the desktop is dark";
    EXPECT_TRUE(s.onBattery());
    EXPECT_EQ(s.frontApp(), u"org.gnome.Terminal"_s);
    EXPECT_EQ(s.frontPID(), 42);
    s.setEditingNight(false);
    s.start();
    EXPECT_FALSE(s.editingNight());
}

TEST_F(StoreLifecycle, ASnoozeEndsOnTimeAndIsClearedAndSaved) {
    Store& s = startStore();
    platform.advance(10s); // away from the heartbeat, so the snooze timer ends it
    s.snooze(900);
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_TRUE(savedSettings()->snoozedUntil);
    platform.advance(900s + 50ms);
    EXPECT_TRUE(s.settings().snoozedUntil);
    platform.advance(50ms);
    EXPECT_FALSE(s.settings().snoozedUntil);
    EXPECT_FALSE(savedSettings()->snoozedUntil);
    EXPECT_FALSE(layers().isEmpty());
}

TEST_F(StoreLifecycle, SnoozesThatEndedOrNeverBeganLeaveNoneAndFarOffOnesWait) {
    for (const int seconds : {0, -30}) {
        Store& s = startStore();
        s.snooze(seconds);
        EXPECT_FALSE(s.settings().snoozedUntil) << seconds;
    }
    const Instant ended = Instant::fromDateTime(platform.now()).plusSeconds(-5);
    Store& slept = startWith([&](Settings& x) { x.snoozedUntil = ended; });
    EXPECT_FALSE(slept.settings().snoozedUntil) << "ended during sleep";
    EXPECT_FALSE(savedSettings()->snoozedUntil);

    Store& farOff = startWith([](Settings& x) { x.snoozedUntil = Instant{1e300}; });
    platform.advance(std::chrono::hours(49));
    EXPECT_TRUE(farOff.isSnoozed()) << "keeps waiting through the timer's rearms";
}

TEST_F(StoreLifecycle, SnoozeUntilTomorrowEndsAtTheComingLocalMidnight) {
    const QTimeZone berlin("Europe/Berlin");
    platform.setTimeZone(berlin);
    platform.setClock(QDateTime(QDate(2026, 7, 1), QTime(23, 59), berlin), false);
    startStore().snoozeUntilTomorrow();
    EXPECT_EQ(store->settings().snoozedUntil->toDateTime(),
              QDateTime(QDate(2026, 7, 2), QTime(0, 0), berlin));
}

TEST_F(StoreLifecycle, TrackingRunsOnlyWhilePaperShowsAndAToolIsOn) {
    platform.activateApp(app(u"org.gnome.TextEditor"_s, 31));
    platform.setWindowRect(31, {10, 20, 300, 200});
    Store& s = startWith([](Settings& x) {
        x.focusSheet = true;
        x.focusStrength = 0.25;
    });
    EXPECT_EQ(overlay->focus.rect, QRectF(10, 20, 300, 200));
    EXPECT_EQ(overlay->focus.strength, 0.25);
    for (const double x : {40, 70}) {
        platform.setWindowRect(31, {x, 20, 300, 200});
        platform.advance(oneFrame);
        EXPECT_EQ(overlay->focus.rect, QRectF(x, 20, 300, 200));
    }
    EXPECT_TRUE(overlay->rulerHidden); // the ruler is off: only ever reset
    s.updateSettings([](Settings& settings) { settings.enabled = false; });
    EXPECT_EQ(overlay->focus.rect, std::nullopt);
    platform.advance(1s);
    EXPECT_EQ(overlay->focus.rect, std::nullopt);
}

} // namespace
} // namespace tessel
