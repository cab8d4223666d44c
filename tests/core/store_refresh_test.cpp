#include "StoreFixture.h"

#include <QSignalSpy>

namespace tessel {
namespace {

using namespace std::chrono_literals;

const QString felt = QStringLiteral("felt");

QDateTime halfPastUtc(int hour) {
    return QDateTime(QDate(2026, 3, 2), QTime(hour, 30), Qt::UTC);
}

class StoreRefresh : public StoreTest {};

TEST_F(StoreRefresh, TheOverlayGetsEveryIdentifiedScreenAndLayersWherePaperShows) {
    platform.setScreens({screen("A"), screen("B"), screen("")});
    Store& s = startWith([](Settings& x) { x.disabledDisplays = {QStringLiteral("B")}; });
    EXPECT_EQ(overlay->lastSync.screens.keys(),
              (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(layers().keys(), QStringList{QStringLiteral("A")});
    EXPECT_TRUE(s.paperVisible());
}

TEST_F(StoreRefresh, SystemEventsAndTheHeartbeatRefreshWithTheLocalTime) {
    const std::pair<const char*, std::function<void()>> events[] = {
        {"woke", [this] { Q_EMIT platform.woke(); }},
        {"screens woke", [this] { Q_EMIT platform.screensWoke(); }},
        {"desktop", [this] { Q_EMIT platform.desktopChanged(); }},
        {"screens", [this] { platform.setScreens({screen("A")}); }},
        {"clock", [this] { Q_EMIT platform.clockChanged(); }},
        {"compositor", [this] { platform.setCompositorRunning(true); }},
        {"heartbeat", [this] { platform.advance(30s); }},
        {"next heartbeat", [this] { platform.advance(30s); }},
    };
    platform.setTimeZone(QTimeZone("Europe/Berlin")); // an hour ahead of UTC in March
    platform.setClock(halfPastUtc(7), false);
    startWith(
        [](Settings& s) { s.schedule = {Schedule::Mode::custom, {}, {}, {}, 9 * 60, 17 * 60}; });
    bool inHours = false;
    for (const auto& [name, event] : events) {
        SCOPED_TRACE(name);
        inHours = !inHours;
        platform.setClock(halfPastUtc(inHours ? 8 : 7), false);
        event();
        EXPECT_EQ(layers().isEmpty(), !inHours);
    }
}

TEST_F(StoreRefresh, AppearanceMovesDarkTheEditedSlotAndThePaperOnlyOnRealChanges) {
    Store& s = startStore();
    QSignalSpy darkSpy(&s, &Store::darkChanged);
    platform.setDark(false);
    EXPECT_EQ(darkSpy.count(), 0);
    platform.setDark(true);
    EXPECT_EQ(darkSpy.count(), 1);
    EXPECT_TRUE(s.editingNight());
    EXPECT_EQ(layers().value(QStringLiteral("A")), (Layer{felt, 150, true, {}, 0}));
}

TEST_F(StoreRefresh, PowerAndCompositorReachThePaperAndTheStatus) {
    Store& s = startWith([](Settings& x) { x.pauseOnBattery = true; });
    QSignalSpy battery(&s, &Store::onBatteryChanged);
    platform.setOnBattery(false);
    EXPECT_EQ(battery.count(), 0);
    platform.setOnBattery(true);
    EXPECT_EQ(battery.count(), 1);
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_EQ(s.status(), QStringLiteral("Paused on battery"));
    platform.setCompositorRunning(false);
    EXPECT_EQ(s.status(), QStringLiteral("Needs a compositor"));
}

TEST_F(StoreRefresh, TheFrontAppDecidesAndIsNamedByTheRunningApps) {
    platform.activateApp(app("org.gimp.GIMP", 5));
    platform.setRunningApps(
        {app("org.gnome.Terminal", 4, "Terminal"), app("org.gimp.GIMP", 5, "GIMP")});
    Store& s = startStore();
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_EQ(s.status(), QStringLiteral("Off in GIMP"));
    platform.activateApp(app("com.corvane.Tessel", 8)); // Tessel's own windows do not count
    EXPECT_EQ(s.frontApp(), QStringLiteral("org.gimp.GIMP"));
    EXPECT_EQ(s.frontPID(), 5);
    platform.setRunningApps({app("org.gimp.GIMP", 5, "")});
    EXPECT_EQ(s.status(), QStringLiteral("Off in this app"));
    platform.setRunningApps({});
    EXPECT_EQ(s.status(), QStringLiteral("Off in this app"));

    platform.activateApp(AppInfo{std::nullopt, 6, {}});
    EXPECT_EQ(s.frontApp(), std::nullopt);
    EXPECT_FALSE(layers().isEmpty());
    s.updateSettings([](Settings& x) { x.appMode = Settings::AppMode::onlyListed; });
    platform.setRunningApps({AppInfo{std::nullopt, 6, QStringLiteral("xterm")}});
    EXPECT_EQ(s.status(), QStringLiteral("Off in xterm"));
}

TEST_F(StoreRefresh, FocusFilterHidesPaperWithoutTouchingSettings) {
    Store& s = startStore();
    const Settings before = s.settings();
    QSignalSpy announced(&s, &Store::focusFilterChanged);
    s.setFocusFilter(FocusFilter{false, std::nullopt});
    s.setFocusFilter(FocusFilter{false, std::nullopt});
    EXPECT_EQ(announced.count(), 1);
    EXPECT_TRUE(layers().isEmpty());
    EXPECT_EQ(savedSettings(), before);
    EXPECT_EQ(s.status(), std::nullopt);
    s.setFocusFilter(std::nullopt);
    EXPECT_FALSE(layers().isEmpty());
}

TEST_F(StoreRefresh, EveryRealChangeIsSavedAndShown) {
    Store& s = startStore();
    s.setEditedSlot(Slot{felt, 200});
    EXPECT_EQ(layers().value(QStringLiteral("A")), (Layer{felt, 200, false, {}, 0}));
    EXPECT_EQ(savedSettings()->day, (Slot{felt, 200}));
    s.setEditingNight(true);
    s.setEditedSlot(Slot{QStringLiteral("graph"), 90});
    platform.advance(SettingsPersistence::writeSpacing);
    EXPECT_EQ(savedSettings()->night, (Slot{QStringLiteral("graph"), 90}));
    EXPECT_EQ(savedSettings()->day, (Slot{felt, 200}));
}

} // namespace
} // namespace tessel
