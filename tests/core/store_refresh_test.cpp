#include "StoreFixture.h"

namespace tessel {
namespace {

const QString kozo = QStringLiteral("kozo");
const QString felt = QStringLiteral("felt");

class StoreRefresh : public StoreTest {
protected:
    StoreRefresh() { platform.setScreens({screen("A"), screen("B", {1440, 0, 1920, 1080})}); }

    Store& startWith(const std::function<void(Settings&)>& edit) {
        Settings s;
        s.onboarded = true;
        edit(s);
        storeSettings(s);
        return startStore();
    }
};

TEST_F(StoreRefresh, EveryScreenGetsTheDayOrNightSlotWithItsLamp) {
    startWith([](Settings& s) { s.lamp = {QStringLiteral("reading"), 0.8}; });
    const Layer day{kozo, 120, false, QStringLiteral("reading"), 0.8};
    EXPECT_EQ(layers().value(QStringLiteral("A")), day);
    EXPECT_EQ(layers().value(QStringLiteral("B")), day);
    EXPECT_TRUE(store->paperVisible());

    platform.setDark(true);
    EXPECT_EQ(layers().value(QStringLiteral("A")),
              (Layer{felt, 150, true, QStringLiteral("reading"), 0.8}));
}

TEST_F(StoreRefresh, PaperWaitsForACompositor) {
    platform.setCompositorRunning(false);
    startWith([](Settings&) {});
    EXPECT_TRUE(layers().isEmpty());
    platform.setCompositorRunning(true);
    EXPECT_EQ(layers().size(), 2);
    platform.setCompositorRunning(false);
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_FALSE(store->paperVisible());
}

TEST_F(StoreRefresh, NoLampMeansStrengthZero) {
    startWith([](Settings& s) { s.lamp.strength = 0.9; });
    EXPECT_EQ(layers().value(QStringLiteral("A")).lamp, std::nullopt);
    EXPECT_EQ(layers().value(QStringLiteral("A")).lampStrength, 0);
}

TEST_F(StoreRefresh, EachGateAloneHidesAllPaper) {
    const std::vector<std::function<void(Settings&)>> gates = {
        [](Settings& s) { s.onboarded = false; },
        [](Settings& s) { s.enabled = false; },
        [this](Settings& s) {
            s.snoozedUntil = Instant::fromDateTime(platform.now()).plusSeconds(60);
        },
        [](Settings& s) { s.pauseOnBattery = true; },
        [](Settings& s) {
            s.schedule.mode = Schedule::Mode::custom;
            s.schedule.from = 12 * 60;
            s.schedule.to = 13 * 60;
        },
        [](Settings& s) { s.excludedApps = {QStringLiteral("org.gnome.")}; },
    };
    platform.setOnBattery(true);
    platform.activateApp(app("org.gnome.TextEditor"));
    startWith([](Settings&) {});
    ASSERT_FALSE(layers().isEmpty());
    for (const auto& gate : gates) {
        store.reset();
        startWith(gate);
        EXPECT_TRUE(layers().isEmpty());
        EXPECT_FALSE(store->paperVisible());
    }
}

TEST_F(StoreRefresh, BeforeOnboardingNoPaperShowsButStatusReadsAsIfItDid) {
    startWith([](Settings& s) { s.onboarded = false; });
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_EQ(store->status(), std::nullopt);
}

TEST_F(StoreRefresh, FocusFilterOffHidesPaperWithoutTouchingSettings) {
    Store& s = startWith([](Settings&) {});
    const Settings before = s.settings();
    s.setFocusFilter(FocusFilter{false, std::nullopt});
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_EQ(s.settings(), before);
    EXPECT_EQ(savedSettings(), before);
    EXPECT_EQ(s.status(), std::nullopt);
}

TEST_F(StoreRefresh, PaperPrecedenceIsFilterThenAppThenScreenThenSlot) {
    platform.activateApp(app("com.apple.Photos"));
    Store& s = startWith([](Settings& settings) {
        settings.excludedApps.clear();
        settings.appPapers = {{QStringLiteral("com.apple."), QStringLiteral("graph")}};
        settings.displayPapers = {{QStringLiteral("A"), QStringLiteral("linen")},
                                  {QStringLiteral("B"), QStringLiteral("rough")}};
    });
    EXPECT_EQ(layers().value(QStringLiteral("A")).paper, QStringLiteral("graph"));

    platform.activateApp(app("org.gnome.TextEditor"));
    EXPECT_EQ(layers().value(QStringLiteral("A")).paper, QStringLiteral("linen"));
    EXPECT_EQ(layers().value(QStringLiteral("B")).paper, QStringLiteral("rough"));

    s.updateSettings([](Settings& settings) { settings.displayPapers.clear(); });
    EXPECT_EQ(layers().value(QStringLiteral("A")).paper, kozo);

    platform.activateApp(app("com.apple.Photos"));
    s.setFocusFilter(FocusFilter{true, QStringLiteral("laid")});
    EXPECT_EQ(layers().value(QStringLiteral("A")),
              (Layer{QStringLiteral("laid"), 120, false, {}, 0}));
    platform.setDark(true);
    EXPECT_EQ(layers().value(QStringLiteral("A")),
              (Layer{QStringLiteral("laid"), 150, true, {}, 0}));
}

TEST_F(StoreRefresh, DisabledDisplayGetsNothingWhileOthersShow) {
    startWith([](Settings& s) { s.disabledDisplays = {QStringLiteral("B")}; });
    EXPECT_TRUE(layers().contains(QStringLiteral("A")));
    EXPECT_FALSE(layers().contains(QStringLiteral("B")));
    EXPECT_TRUE(store->paperVisible());
    EXPECT_EQ(overlay->lastSync.screens.size(), 2);
}

TEST_F(StoreRefresh, PerScreenNightFollowsSamplingAndFallsBackToTheAppearance) {
    platform.setScreenGrey(QStringLiteral("A"), 10);
    Store& s =
        startWith([](Settings& settings) { settings.dayNight = Settings::DayNight::screen; });
    EXPECT_EQ(s.displayDark(), (QMap<QString, bool>{{QStringLiteral("A"), true}}));
    EXPECT_TRUE(layers().value(QStringLiteral("A")).night);
    EXPECT_FALSE(layers().value(QStringLiteral("B")).night); // no sample: follows the appearance

    platform.setDark(true);
    EXPECT_TRUE(layers().value(QStringLiteral("B")).night);
}

TEST_F(StoreRefresh, ScreensWithoutIdentifierAreIgnored) {
    platform.setScreens({screen("A"), screen("")});
    startWith([](Settings&) {});
    EXPECT_EQ(layers().keys(), QStringList{QStringLiteral("A")});
}

TEST_F(StoreRefresh, UnchangedAssignmentSavesAndRefreshesNothing) {
    Store& s = startWith([](Settings&) {});
    const int syncs = overlay->syncCount;
    QFile::remove(platform.defaults().filePath());
    s.setSettings(s.settings());
    EXPECT_EQ(overlay->syncCount, syncs);
    EXPECT_FALSE(QFile::exists(platform.defaults().filePath()));
}

TEST_F(StoreRefresh, EveryRealChangeIsSavedAndRefreshed) {
    Store& s = startWith([](Settings&) {});
    const int syncs = overlay->syncCount;
    s.setEditedSlot(Slot{QStringLiteral("felt"), 200});
    EXPECT_EQ(overlay->syncCount, syncs + 1);
    EXPECT_EQ(savedSettings()->day, (Slot{felt, 200}));
    s.setEditingNight(true);
    s.setEditedSlot(Slot{QStringLiteral("graph"), 90});
    platform.advance(SettingsPersistence::writeSpacing);
    EXPECT_EQ(savedSettings()->night, (Slot{QStringLiteral("graph"), 90}));
    EXPECT_EQ(savedSettings()->day, (Slot{felt, 200}));
}

TEST(AllowsApp, PrefixRulesByMode) {
    Settings s;
    s.excludedApps = {QStringLiteral("com.seriflabs."), QStringLiteral("com.apple.Photos")};
    const auto allows = [&](const char* id) {
        return Store::allowsApp(s, id ? std::optional(QString::fromLatin1(id)) : std::nullopt);
    };
    EXPECT_TRUE(allows(nullptr));
    EXPECT_FALSE(allows("com.seriflabs.affinityphoto2"));
    EXPECT_FALSE(allows("com.apple.PhotosExtra"));
    EXPECT_FALSE(allows("com.apple.Photos"));
    EXPECT_TRUE(allows("com.apple.photos"));
    EXPECT_TRUE(allows("com.apple.Photo"));

    s.appMode = Settings::AppMode::onlyListed;
    s.onlyApps.clear();
    EXPECT_FALSE(allows(nullptr));
    EXPECT_FALSE(allows("org.gnome.TextEditor"));
    s.onlyApps = {QStringLiteral("org.gnome.")};
    EXPECT_TRUE(allows("org.gnome.TextEditor"));
    EXPECT_FALSE(allows(nullptr));
    s.onlyApps = {QString()};
    EXPECT_TRUE(allows("anything"));
}

} // namespace
} // namespace tessel
