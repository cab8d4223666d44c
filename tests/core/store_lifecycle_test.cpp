#include "StoreFixture.h"

#include <QSignalSpy>

namespace tessel {
namespace {

using namespace std::chrono_literals;

constexpr auto oneFrame = std::chrono::milliseconds(1000 / 30 + 1);

TEST_F(StoreTest, CreationLoadsSettingsWithoutSavingOrRefreshing) {
    Settings stored;
    stored.onboarded = true;
    stored.day.gsm = 222;
    storeSettings(stored);
    QFile::remove(platform.defaults().filePath());
    storeSettings(stored);
    const QDateTime written = QFileInfo(platform.defaults().filePath()).lastModified();

    Store& s = makeStore();
    EXPECT_EQ(s.settings().day.gsm, 222);
    EXPECT_TRUE(overlay->lastSync.screens.isEmpty());
    EXPECT_EQ(QFileInfo(platform.defaults().filePath()).lastModified(), written);
}

TEST_F(StoreTest, UnreadableStoredFileGivesDefaultsAndIsKeptAside) {
    QFile file(platform.defaults().filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"settings\": ");
    file.close();
    FakePlatform fresh(dir.path());
    Store s(fresh, std::make_unique<RecordingOverlay>());
    EXPECT_EQ(s.settings(), Settings{});
    EXPECT_TRUE(s.status()->startsWith(QStringLiteral("Unreadable settings were set aside as "
                                                      "defaults.json.unreadable-")));

    s.snooze(60);
    EXPECT_FALSE(s.status().value_or(QString()).startsWith(QStringLiteral("Unreadable")));
    const QStringList aside =
        QDir(dir.path()).entryList({QStringLiteral("defaults.json.unreadable-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(dir.filePath(aside.first()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("{\"settings\": "));
}

TEST_F(StoreTest, StartReadsTheMachineOnceAndASecondStartDoesNothing) {
    platform.setDark(true);
    platform.setOnBattery(true);
    platform.activateApp(app("org.gnome.Terminal", 42));
    Store& s = startStore();
    EXPECT_TRUE(s.dark());
    EXPECT_TRUE(s.editingNight());
    EXPECT_TRUE(s.onBattery());
    EXPECT_EQ(s.frontApp(), QStringLiteral("org.gnome.Terminal"));
    EXPECT_EQ(s.frontPID(), 42);

    s.setEditingNight(false);
    s.start();
    EXPECT_FALSE(s.editingNight());
}

TEST_F(StoreTest, SnoozeEndsOnTimeAndIsClearedAndSaved) {
    Store& s = startStore();
    platform.advance(10s); // away from the heartbeat, so the snooze timer ends it
    s.snooze(900);
    EXPECT_TRUE(s.isSnoozed());
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_TRUE(savedSettings()->snoozedUntil);

    platform.advance(900s + 50ms);
    EXPECT_TRUE(s.settings().snoozedUntil);
    EXPECT_TRUE(layers().isEmpty());
    platform.advance(50ms);
    EXPECT_FALSE(s.settings().snoozedUntil);
    EXPECT_FALSE(savedSettings()->snoozedUntil);
    EXPECT_FALSE(layers().isEmpty());
}

TEST_F(StoreTest, SnoozeThatEndedDuringSleepIsClearedByTheFirstRefresh) {
    const Instant ended = Instant::fromDateTime(platform.now()).plusSeconds(-5);
    Store& s = startWith([&](Settings& x) { x.snoozedUntil = ended; });
    EXPECT_FALSE(s.settings().snoozedUntil);
    EXPECT_FALSE(savedSettings()->snoozedUntil);
    EXPECT_FALSE(layers().isEmpty());
}

TEST_F(StoreTest, SnoozeCancelAndNonPositiveLengths) {
    Store& s = startStore();
    s.snooze(3600);
    s.snooze(std::nullopt);
    EXPECT_FALSE(s.isSnoozed());
    s.snooze(0);
    EXPECT_FALSE(s.settings().snoozedUntil);
    s.snooze(-30);
    EXPECT_FALSE(s.settings().snoozedUntil);
    EXPECT_FALSE(layers().isEmpty());
}

TEST_F(StoreTest, FarOffSnoozeKeepsWaitingThroughRearms) {
    Store& s = startWith([](Settings& x) { x.snoozedUntil = Instant{1e300}; });
    platform.advance(std::chrono::hours(49));
    EXPECT_TRUE(s.isSnoozed());
    EXPECT_EQ(s.status()->left(14), QStringLiteral("Snoozed until "));
}

TEST_F(StoreTest, SnoozeUntilTomorrowEndsAtTheComingLocalMidnight) {
    platform.setTimeZone(QTimeZone("Europe/Berlin"));
    platform.setClock(QDateTime(QDate(2026, 7, 1), QTime(23, 59), QTimeZone("Europe/Berlin")),
                      false);
    Store& s = startStore();
    s.snoozeUntilTomorrow();
    EXPECT_EQ(s.settings().snoozedUntil->toDateTime(),
              QDateTime(QDate(2026, 7, 2), QTime(0, 0), QTimeZone("Europe/Berlin")));
}

TEST_F(StoreTest, TrackingRunsOnlyWhilePaperShowsAndAToolIsOn) {
    platform.activateApp(app("org.gnome.TextEditor", 31));
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
    EXPECT_TRUE(overlay->ruler.hidden); // the ruler is off: only ever reset

    s.updateSettings([](Settings& settings) { settings.enabled = false; });
    EXPECT_EQ(overlay->focus.rect, std::nullopt);
    EXPECT_EQ(overlay->focus.strength, 0);
    platform.advance(1s);
    EXPECT_EQ(overlay->focus.rect, std::nullopt);
}

TEST_F(StoreTest, MomentControllersTickEveryFiveSecondsFromStart) {
    struct Counting final : MomentController {
        explicit Counting(int& count)
            : ticks(count) {}
        void tick() override { ++ticks; }
        void showNow() override { ticks += 100; }
        int& ticks;
    };
    int art = 0;
    int rest = 0;
    Store& s = makeStore();
    s.adoptMoments(std::make_unique<Counting>(art), std::make_unique<Counting>(rest));
    platform.advance(10s);
    EXPECT_EQ(art, 0);
    s.start();
    platform.advance(10s);
    EXPECT_EQ(art, 2);
    EXPECT_EQ(rest, 2);
    s.showArtNow();
    EXPECT_EQ(art, 102);
    EXPECT_EQ(rest, 2);
}

TEST_F(StoreTest, GeocodingStoresNameAndCoordinatesAsOneChange) {
    Store& s = startStore();
    QSignalSpy changes(&s, &Store::settingsChanged);
    EXPECT_FALSE(s.geocode(QStringLiteral("Xyzzyville")));
    EXPECT_EQ(changes.count(), 0);

    ASSERT_TRUE(s.geocode(QStringLiteral("Mumbai")));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(s.settings().schedule.place, QStringLiteral("Mumbai, India"));
    EXPECT_NEAR(*s.settings().schedule.latitude, 19.07, 0.01);
    EXPECT_NEAR(*s.settings().schedule.longitude, 72.88, 0.01);
    EXPECT_EQ(s.settings().schedule.mode, Schedule::Mode::always);
    EXPECT_EQ(savedSettings()->schedule, s.settings().schedule);
}

TEST_F(StoreTest, ObservedFieldsAnnounceOnlyRealChangesAndOnlyRealChangesAreSaved) {
    Store& s = startStore();
    QSignalSpy visible(&s, &Store::paperVisibleChanged);
    QSignalSpy front(&s, &Store::frontAppChanged);
    QSignalSpy settings(&s, &Store::settingsChanged);
    QFile::remove(platform.defaults().filePath());
    s.refresh();
    platform.activateApp(app("org.gnome.Terminal"));
    platform.activateApp(app("org.gnome.Terminal"));
    s.setSettings(s.settings());
    EXPECT_EQ(visible.count(), 0);
    EXPECT_EQ(front.count(), 1);
    EXPECT_EQ(settings.count(), 0);
    EXPECT_FALSE(QFile::exists(platform.defaults().filePath()));
    s.updateSettings([](Settings& x) { x.enabled = false; });
    EXPECT_EQ(visible.count(), 1);
    EXPECT_EQ(settings.count(), 1);
}

} // namespace
} // namespace tessel
