#include "MachineTest.h"

namespace tessel {
namespace {

QDateTime halfPastUtc(int hour) {
    return QDateTime(QDate(2026, 3, 2), QTime(hour, 30), QTimeZone::utc());
}

using StoreRefresh = MachineTest;

TEST_F(StoreRefresh, TheOverlayGetsEveryIdentifiedScreenAndLayersWherePaperShows) {
    platform.setScreens({screen(u"A"_s), screen(u"B"_s), screen({})});
    Store& s = startWith([](Settings& x) { x.disabledDisplays = {u"B"_s}; });
    EXPECT_EQ(overlay->lastSync.screens.keys(), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(layers().keys(), QStringList{u"A"_s});
    EXPECT_TRUE(s.paperVisible());
}

TEST_F(StoreRefresh, SystemEventsAndTheHeartbeatRefreshWithTheLocalTime) {
    const std::pair<const char*, std::function<void()>> events[] = {
        {"woke", [this] { Q_EMIT platform.woke(); }},
        {"screens woke", [this] { Q_EMIT platform.screensWoke(); }},
        {"desktop", [this] { Q_EMIT platform.desktopChanged(); }},
        {"screens", [this] { platform.setScreens({screen(u"A"_s)}); }},
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

// What the machine reports reaches the screen's layer and the status line.
TEST_F(StoreRefresh, MachineReadingsReachThePaperAndTheStatus) {
    const Layer day{u"kozo"_s, 120, false, {}, 0};
    const struct {
        const char* name;
        std::function<void(Settings&)> settings;
        std::function<void(FakePlatform&, Store&)> machine;
        std::optional<Layer> onA;
        std::optional<QString> status;
    } rows[] = {
        {"nothing", [](auto&) {}, [](auto&, auto&) {}, day, std::nullopt},
        {"a dark desktop", [](auto&) {}, [](auto& p, auto&) { p.setDark(true); },
         Layer{u"felt"_s, 150, true, {}, 0}, std::nullopt},
        {"battery", [](auto& s) { s.pauseOnBattery = true; },
         [](auto& p, auto&) { p.setOnBattery(true); }, std::nullopt, u"Paused on battery"_s},
        {"no compositor", [](auto&) {}, [](auto& p, auto&) { p.setCompositorRunning(false); },
         std::nullopt, u"Needs a compositor"_s},
        {"paper that would take every click", [](auto&) {},
         [](auto& p, auto&) {
             p.setCompositorRunning(false);
             p.setUnavailable(DesktopAbility::clickThrough, u"Turn the extension on."_s);
         },
         std::nullopt, u"Needs Tessel's extension"_s},
        {"an excluded app, named by the running apps", [](auto&) {},
         [](auto& p, auto&) {
             p.setRunningApps({app(u"org.gimp.GIMP"_s, 5, u"GIMP"_s)});
             p.activateApp(app(u"org.gimp.GIMP"_s, 5));
             p.activateApp(app(Platform::ownAppId(), 8)); // Tessel's own windows do not count
         },
         std::nullopt, u"Off in GIMP"_s},
        {"an excluded app without a name", [](auto&) {},
         [](auto& p, auto&) { p.activateApp(app(u"org.gimp.GIMP"_s, 5)); }, std::nullopt,
         u"Off in this app"_s},
        {"an app without an id, named by its process",
         [](auto& s) { s.appMode = Settings::AppMode::onlyListed; },
         [](auto& p, auto&) {
             p.setRunningApps({AppInfo{std::nullopt, 6, u"xterm"_s}});
             p.activateApp(AppInfo{std::nullopt, 6, {}});
         },
         std::nullopt, u"Off in xterm"_s},
        {"the focus filter off", [](auto&) {},
         [](auto&, auto& s) {
             s.setFocusFilter(FocusFilter{false, std::nullopt});
         },
         std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        platform.setDark(false);
        platform.setOnBattery(false);
        platform.setCompositorRunning(true);
        platform.activateApp(std::nullopt);
        platform.setRunningApps({});
        platform.setUnavailable(DesktopAbility::clickThrough, std::nullopt);
        Store& s = startWith(row.settings);
        row.machine(platform, s);
        EXPECT_EQ(layers(), (row.onA ? LayerMap{{u"A"_s, *row.onA}} : LayerMap{}));
        EXPECT_EQ(s.status(), row.status);
    }
}

// Greys whose luma is just under or at the thresholds 0.31 and 0.45.
constexpr int grey031 = 79;
constexpr int grey040 = 102;
constexpr int grey045 = 115;

TEST_F(StoreRefresh, SampledScreensKeepTheirJudgementBetweenTheThresholds) {
    const struct {
        std::optional<int> grey; // none: the capture fails
        bool appearanceDark;
        std::optional<bool> judgedDark;
    } passes[] = {
        {grey045, true, false},
        {grey040, true, false}, // light stays light at 0.40
        {grey031, false, true},
        {grey040, false, true},              // dark stays dark below 0.45
        {std::nullopt, false, std::nullopt}, // the appearance decides again
    };
    platform.setDark(true);
    platform.setScreenGrey(u"A"_s, grey040);
    Store& s = startWith([](Settings& x) { x.dayNight = Settings::DayNight::screen; });
    EXPECT_TRUE(s.displayDark().value(u"A"_s)) << "the first pass judges against the appearance";
    for (const auto& pass : passes) {
        SCOPED_TRACE(pass.grey.value_or(-1));
        platform.setDark(pass.appearanceDark);
        pass.grey ? platform.setScreenGrey(u"A"_s, *pass.grey) : platform.clearScreenGrey(u"A"_s);
        platform.advance(3s);
        EXPECT_EQ(s.displayDark().contains(u"A"_s), pass.judgedDark.has_value());
        EXPECT_EQ(s.displayDark().value(u"A"_s), pass.judgedDark.value_or(false));
        EXPECT_EQ(layers().value(u"A"_s).night, pass.judgedDark.value_or(pass.appearanceDark));
    }
    platform.setDark(true);
    platform.setScreenGrey(u"A"_s, grey040);
    s.updateSettings([](Settings& x) { x.dayNight = Settings::DayNight::system; });
    platform.advance(3s);
    EXPECT_TRUE(s.displayDark().isEmpty()) << "leaving screen mode forgets the judgements";
    platform.setCaptureAllowed(false);
    s.updateSettings([](Settings& x) { x.dayNight = Settings::DayNight::screen; });
    EXPECT_FALSE(s.screenAccess());
    EXPECT_TRUE(s.displayDark().isEmpty()) << "no permission, no sampling";
}

} // namespace
} // namespace tessel
