#include "core/Resolution.h"
#include "core/StatusText.h"

#include <QLocale>

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using Tweak = std::function<void(Settings&, MachineState&)>;

const QString a = u"A"_s;
const QString b = u"B"_s;
const QDateTime quarterPastTwo(QDate(2026, 3, 2), QTime(14, 15), Qt::UTC);
const Instant halfPastTwo = Instant::fromDateTime(quarterPastTwo).plusSeconds(15 * 60);
const FocusFilter filterOff{false, std::nullopt};

// Two light screens, an onboarded default record, nothing in front, a quarter past three in
// Berlin, a German locale.
class Resolve : public ::testing::Test {
protected:
    Resolve() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~Resolve() override { QLocale::setDefault(QLocale::c()); }

    Resolution resolveWith(const Tweak& tweak) {
        settings = Settings();
        settings.onboarded = true;
        machine = MachineState();
        machine.screens = {a, b};
        machine.now = quarterPastTwo;
        machine.timeZone = berlin;
        tweak(settings, machine);
        return resolve(settings, machine);
    }

    std::optional<QString> status(const Resolution& resolution) const {
        const auto gate = resolution.closedBy;
        const auto name = [] { return u"GIMP"_s; };
        return gate ? statusText(*gate, settings, machine.timeZone, name) : std::nullopt;
    }

    const QTimeZone berlin{"Europe/Berlin"};
    Settings settings;
    MachineState machine;
};

// In the order the status line reports them; each row closes one gate.
const struct Closer {
    Gate gate;
    Tweak close;
    std::optional<QString> status;
} closers[] = {
    {Gate::off, [](auto& s, auto&) { s.enabled = false; }, u"Off"_s},
    {Gate::noCompositor, [](auto&, auto& m) { m.compositorRunning = false; },
     u"Needs a compositor"_s},
    {Gate::snoozed, [](auto& s, auto&) { s.snoozedUntil = halfPastTwo; }, u"Snoozed until 15:30"_s},
    {Gate::pausedOnBattery, [](auto& s, auto& m) { s.pauseOnBattery = m.onBattery = true; },
     u"Paused on battery"_s},
    {Gate::outsideSchedule,
     [](auto& s, auto&) { s.schedule = {Schedule::Mode::custom, {}, {}, {}, 20 * 60, 21 * 60}; },
     u"Outside schedule"_s},
    {Gate::excludedApp, [](auto&, auto& m) { m.frontApp = u"org.gimp.GIMP"_s; }, u"Off in GIMP"_s},
    {Gate::notOnboarded, [](auto& s, auto&) { s.onboarded = false; }, std::nullopt},
    {Gate::focusFilterOff, [](auto&, auto& m) { m.focusFilter = filterOff; }, std::nullopt},
};

TEST_F(Resolve, EachGateHidesAllPaperAndNamesItselfBeforeTheGatesAfterIt) {
    for (auto row = std::begin(closers); row != std::end(closers); ++row) {
        SCOPED_TRACE(static_cast<int>(row->gate));
        const Resolution alone = resolveWith(row->close);
        EXPECT_EQ(alone, (Resolution{{}, row->gate}));
        EXPECT_EQ(status(alone), row->status);
        const auto withLater = [&](Settings& s, MachineState& m) {
            std::for_each(row, std::end(closers), [&](const Closer& c) { c.close(s, m); });
        };
        EXPECT_EQ(resolveWith(withLater).closedBy, row->gate);
    }
}

// The C locale's short form has seconds; a short time never does. The German one is the
// gates' test's.
TEST_F(Resolve, ShortTimesNeverShowSeconds) {
    const struct {
        QLocale locale;
        const char* time;
    } rows[] = {{QLocale::c(), "15:30"}, {QLocale(QLocale::Finnish, QLocale::Finland), "15.30"}};
    for (const auto& row : rows) {
        QLocale::setDefault(row.locale);
        EXPECT_EQ(status(resolveWith([](auto& s, auto&) { s.snoozedUntil = halfPastTwo; })),
                  QStringLiteral("Snoozed until ") + QLatin1String(row.time))
            << row.locale.name().toStdString();
    }
}

TEST_F(Resolve, LayersPerScreen) {
    const auto on = [](const char* paper, double gsm = 120, bool night = false) {
        return Layer{QString::fromLatin1(paper), gsm, night, {}, 0};
    };
    const Layer day = on("kozo");
    const Layer night = on("felt", 150, true);
    const Layer lit{u"kozo"_s, 120, false, u"reading"_s, 0.6};
    const auto papers = [](Settings& s, MachineState& m, const char* front) {
        s.excludedApps.clear();
        s.appPapers = {{u"com.apple."_s, u"graph"_s}};
        s.displayPapers = {{a, u"linen"_s}, {b, u"rough"_s}};
        m.frontApp = QString::fromLatin1(front);
    };
    const auto sampled = [](Settings& s, MachineState& m, bool dark) {
        s.dayNight = Settings::DayNight::screen;
        m.dark = dark;
        m.displayDark = {{a, !dark}};
    };
    const struct {
        const char* name;
        Tweak tweak;
        std::optional<Layer> onA;
        std::optional<Layer> onB;
    } rows[] = {
        {"day slot", [](auto&, auto&) {}, day, day},
        {"night slot when dark", [](auto&, auto& m) { m.dark = true; }, night, night},
        {"the lamp", [](auto& s, auto&) { s.lamp.id = u"reading"_s; }, lit, lit},
        {"no lamp, no strength", [](auto& s, auto&) { s.lamp.strength = 0.9; }, day, day},
        {"app paper over screen paper", [&](auto& s, auto& m) { papers(s, m, "com.apple.Maps"); },
         on("graph"), on("graph")},
        {"screen paper over the slot", [&](auto& s, auto& m) { papers(s, m, "org.gnome.Maps"); },
         on("linen"), on("rough")},
        {"filter paper over app paper, at the night weight",
         [&](auto& s, auto& m) {
             papers(s, m, "com.apple.Maps");
             m.dark = true;
             m.focusFilter = FocusFilter{true, u"laid"_s};
         },
         on("laid", 150, true), on("laid", 150, true)},
        {"filter without paper", [](auto&, auto& m) { m.focusFilter = FocusFilter{}; }, day, day},
        {"disabled screen", [](auto& s, auto&) { s.disabledDisplays = {b}; }, day, std::nullopt},
        {"sampled, the other follows light", [&](auto& s, auto& m) { sampled(s, m, false); }, night,
         day},
        {"sampled, the other follows dark", [&](auto& s, auto& m) { sampled(s, m, true); }, day,
         night},
        {"samples unused in system mode", [](auto&, auto& m) { m.displayDark.insert(a, true); },
         day, day},
        {"battery without the pause", [](auto&, auto& m) { m.onBattery = true; }, day, day},
        {"a snooze ending now has ended",
         [](auto& s, auto&) { s.snoozedUntil = Instant::fromDateTime(quarterPastTwo); }, day, day},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LayerMap expected;
        for (const auto& [id, layer] : {std::pair(a, row.onA), std::pair(b, row.onB)}) {
            if (layer) {
                expected.insert(id, *layer);
            }
        }
        EXPECT_EQ(resolveWith(row.tweak), (Resolution{expected, std::nullopt}));
    }
}

TEST(AllowsApp, PrefixRulesByMode) {
    const auto except = Settings::AppMode::exceptListed;
    const auto only = Settings::AppMode::onlyListed;
    const struct {
        Settings::AppMode mode;
        QStringList list;
        std::vector<const char*> allowed; // nullptr: nothing in front
        std::vector<const char*> refused;
    } rows[] = {
        {except,
         {u"com.seriflabs."_s, u"com.apple.Photos"_s},
         {nullptr, "com.apple.photos", "com.apple.Photo"},
         {"com.seriflabs.affinityphoto2", "com.apple.PhotosExtra", "com.apple.Photos"}},
        {only, {}, {}, {nullptr, "org.gnome.TextEditor"}},
        {only, {u"org.gnome."_s}, {"org.gnome.TextEditor"}, {nullptr}},
        {only, {QString()}, {"anything"}, {}},
        {except,
         Settings::defaultExcludedApps(),
         {"obsidian", "md.obsidian.Obsidian", "org.gnome.TextEditor", "firefox"},
         {"com.obsproject.Studio", "org.gimp.GIMP", "gimp", "vlc", "mpv"}},
    };
    for (const auto& row : rows) {
        Settings s;
        s.appMode = row.mode;
        (row.mode == except ? s.excludedApps : s.onlyApps) = row.list;
        for (const bool allowed : {true, false}) {
            for (const char* id : allowed ? row.allowed : row.refused) {
                SCOPED_TRACE(id ? id : "nothing in front");
                const auto appId = id ? std::optional(QString::fromLatin1(id)) : std::nullopt;
                EXPECT_EQ(allowsApp(s, appId), allowed);
            }
        }
    }
}

} // namespace
} // namespace tessel
