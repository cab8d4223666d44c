#include "StoreFixture.h"

#include <QLocale>

namespace tessel {
namespace {

class StoreStatus : public StoreTest {
protected:
    StoreStatus() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~StoreStatus() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(StoreStatus, FirstApplicableRuleWins) {
    platform.setClock(QDateTime(QDate(2026, 3, 2), QTime(14, 15), Qt::UTC), false);
    platform.setOnBattery(true);
    platform.activateApp(app("org.gimp.GIMP", 5));
    platform.setRunningApps(
        {app("org.gnome.Terminal", 4, "Terminal"), app("org.gimp.GIMP", 5, "GIMP")});
    Settings stored;
    stored.onboarded = true;
    stored.enabled = false;
    stored.snoozedUntil =
        Instant::fromDateTime(QDateTime(QDate(2026, 3, 2), QTime(14, 30), Qt::UTC));
    stored.pauseOnBattery = true;
    stored.schedule = {Schedule::Mode::custom, {}, {}, {}, 20 * 60, 21 * 60};
    storeSettings(stored);
    Store& s = startStore();

    EXPECT_EQ(s.status(), QStringLiteral("Off"));
    platform.setCompositorRunning(false);
    EXPECT_EQ(s.status(), QStringLiteral("Off"));
    const auto step = [&](const std::function<void(Settings&)>& edit) {
        s.updateSettings(edit);
        return s.status();
    };
    EXPECT_EQ(step([](Settings& x) { x.enabled = true; }), QStringLiteral("Needs a compositor"));
    platform.setCompositorRunning(true);
    EXPECT_EQ(s.status(), QStringLiteral("Snoozed until 14:30"));
    EXPECT_EQ(step([](Settings& x) { x.snoozedUntil.reset(); }),
              QStringLiteral("Paused on battery"));
    EXPECT_EQ(step([](Settings& x) { x.pauseOnBattery = false; }),
              QStringLiteral("Outside schedule"));
    EXPECT_EQ(step([](Settings& x) { x.schedule.mode = Schedule::Mode::always; }),
              QStringLiteral("Off in GIMP"));
    EXPECT_EQ(step([](Settings& x) { x.excludedApps.clear(); }), std::nullopt);
}

TEST_F(StoreStatus, UnknownOrNamelessFrontAppReadsThisApp) {
    platform.activateApp(app("org.gimp.GIMP", 5));
    platform.setRunningApps({app("org.gimp.GIMP", 5, "")});
    Store& s = startStore();
    EXPECT_EQ(s.status(), QStringLiteral("Off in this app"));
    platform.setRunningApps({});
    EXPECT_EQ(s.status(), QStringLiteral("Off in this app"));

    s.updateSettings([](Settings& x) { x.appMode = Settings::AppMode::onlyListed; });
    platform.activateApp(AppInfo{std::nullopt, 6, {}});
    platform.setRunningApps({AppInfo{std::nullopt, 6, QStringLiteral("xterm")}});
    EXPECT_EQ(s.status(), QStringLiteral("Off in xterm"));
}

TEST_F(StoreStatus, IgnoresPerScreenRulesAndTheFocusFilter) {
    Store& s = startStore();
    s.updateSettings([](Settings& x) { x.disabledDisplays = {QStringLiteral("A")}; });
    s.setFocusFilter(FocusFilter{false, std::nullopt});
    EXPECT_EQ(s.status(), std::nullopt);
}

} // namespace
} // namespace tessel
