#include "core/SettingsJson.h"
#include "paper/PaperDocument.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

Settings read(const char* text) {
    const auto settings = settingsFromJson(Json::parse(text));
    EXPECT_TRUE(settings);
    return settings.value_or(Settings{});
}

// The reader fails only when the document is not an object.
TEST(SettingsReader, OneBadFieldKeepsItsDefaultAndSparesTheOthers) {
    EXPECT_FALSE(settingsFromJson(Json::array()));
    EXPECT_FALSE(settingsFromJson(Json("settings")));
    EXPECT_EQ(read("{}"), Settings{});
    // A bad field beside good ones is the command line's settings show to show.
    EXPECT_EQ(read(R"({"dayNight": "dusk"})").dayNight, Settings::DayNight::system);
    EXPECT_EQ(read(R"({"restEvery": 2.5, "restLength": 30.0})").restEvery, 20);
    EXPECT_EQ(read(R"({"restLength": 30.0})").restLength, 30);
    EXPECT_EQ(read(R"({"excludedApps": ["a", 3]})").excludedApps, Settings::defaultExcludedApps());
    EXPECT_EQ(read(R"({"focusStrength": null})").focusStrength, 0.5);
}

TEST(SettingsReader, NestedRecordsAreStrictAndFallBackWhole) {
    EXPECT_EQ(read(R"({"day": {"paper": "laid"}})").day, (Slot{u"kozo"_s, 120}));

    EXPECT_EQ(read(R"({"schedule": {"mode": "custom", "place": "", "from": 60}})").schedule,
              Schedule{});
    EXPECT_EQ(read(R"({"schedule": {"mode": "custom", "place": "", "from": 1, "to": 2,
                                     "latitude": "north"}})")
                  .schedule,
              Schedule{});

    EXPECT_EQ(read(R"({"lamp": {"id": "dusk"}})").lamp, LampSettings{});
    EXPECT_EQ(read(R"({"lamp": {"strength": 0.3}})").lamp, (LampSettings{std::nullopt, 0.3}));
    EXPECT_EQ(read(R"({"art": {"enabled": true, "idleMinutes": 3}})").art, ArtSettings{});
    EXPECT_EQ(read(R"({"art": {"enabled": true, "idleMinutes": 3, "collections": [],
                               "folder": 7}})")
                  .art,
              ArtSettings{});
}

Json paperJson(const char* id, const char* pattern) {
    Json paper = toJson(CustomPaper{QString::fromLatin1(id), QString::fromLatin1(id), Recipe{}});
    paper["recipe"]["pattern"] = pattern;
    return paper;
}

// A newer version's document: what this one cannot read survives every save unchanged.
class KeptValues : public ::testing::Test {
protected:
    const Json stored = {
        {"customPapers",
         {paperJson("a", "none"), paperJson("b", "hexagon"), paperJson("c", "laid"), 7}},
        {"schedule",
         {{"mode", "weekly"}, {"place", "Oslo"}, {"latitude", 59.9}, {"longitude", 10.7}}},
        {"rulerHeight", "tall"},
        {"enabled", false},
        {"futureFeature", {{"depth", {1, 2, {{"x", nullptr}}}}}},
    };
    const Settings read = settingsFromJson(stored).value();
};

TEST_F(KeptValues, ReadablePapersAreOfferedAndTheRestWrittenBackInPlace) {
    ASSERT_EQ(read.customPapers.size(), 2);
    EXPECT_EQ(read.customPapers[0].id, u"a"_s);
    EXPECT_EQ(read.customPapers[1].id, u"c"_s);
    EXPECT_EQ(toJson(read)["customPapers"], stored["customPapers"]);
    const Json odd = {{"customPapers", "none yet"}};
    const Settings s = settingsFromJson(odd).value();
    EXPECT_TRUE(s.customPapers.isEmpty());
    EXPECT_EQ(toJson(s)["customPapers"], "none yet") << "a list that is not a list is kept whole";
}

TEST_F(KeptValues, UnreadableFieldsAndUnknownKeysAreWrittenBackUntilSet) {
    Settings next = read;
    next.enabled = true;
    next.sounds = false;
    dropKeptValuesOfChangedFields(read, next);
    const Json written = toJson(next);
    for (const char* key : {"schedule", "rulerHeight", "futureFeature", "customPapers"}) {
        EXPECT_EQ(written[key], stored[key]) << key;
    }
    EXPECT_EQ(written["enabled"], true);

    Settings scheduled = next;
    scheduled.schedule.mode = Schedule::Mode::custom;
    scheduled.rulerHeight = 60;
    dropKeptValuesOfChangedFields(next, scheduled);
    const Json rewritten = toJson(scheduled);
    EXPECT_EQ(rewritten["schedule"]["mode"], "custom");
    EXPECT_EQ(rewritten["rulerHeight"], 60.0);
    EXPECT_EQ(rewritten["futureFeature"], stored["futureFeature"]);
}

TEST(SettingsWriter, WritesEveryFieldInOrderOmittingAbsentOptionalsAndDisplaysAsASet) {
    const Json json = toJson(Settings{});
    std::string keys;
    for (const auto& item : json.items()) {
        keys += item.key() + ' ';
    }
    EXPECT_EQ(keys, "enabled day night dayNight appMode excludedApps onlyApps appPapers "
                    "displayPapers disabledDisplays pauseOnBattery schedule lamp art focusSheet "
                    "focusStrength ruler rulerHeight rest restEvery restLength "
                    "hideFromScreenshots sounds haptics customPapers onboarded ");
    EXPECT_FALSE(json["lamp"].contains("id"));
    EXPECT_FALSE(json["schedule"].contains("latitude"));
    Settings snoozed;
    snoozed.snoozedUntil = Instant{812345678.25};
    EXPECT_EQ(toJson(snoozed)["snoozedUntil"], 812345678.25) << "a plain number";

    const Settings listed = read(R"({"disabledDisplays": ["X", "Y"]})");
    const Settings repeated = read(R"({"disabledDisplays": ["Y", "X", "Y"]})");
    EXPECT_EQ(listed, repeated);
    EXPECT_EQ(toJson(listed), toJson(repeated));
}

Settings randomSettings(std::mt19937& random) {
    const auto coin = [&] { return random() % 2 == 0; };
    const auto text = [&] { return QString::number(random() % 1000, 36) + QChar(0x00e9); };
    const auto real = [&] { return std::uniform_real_distribution<double>(-1e6, 1e6)(random); };
    Settings s;
    s.enabled = coin();
    s.day = {text(), real()};
    s.night = {text(), real()};
    s.dayNight = coin() ? Settings::DayNight::screen : Settings::DayNight::system;
    s.appMode = coin() ? Settings::AppMode::onlyListed : Settings::AppMode::exceptListed;
    s.excludedApps = {text(), text()};
    s.onlyApps = {text()};
    s.appPapers = {{text(), text()}};
    s.displayPapers = {{text(), text()}, {text(), text()}};
    s.disabledDisplays = {text(), text(), text()};
    s.pauseOnBattery = coin();
    if (coin()) {
        s.snoozedUntil = Instant{real()};
    }
    s.schedule = {static_cast<Schedule::Mode>(random() % 3),
                  text(),
                  coin() ? std::optional(real()) : std::nullopt,
                  coin() ? std::optional(real()) : std::nullopt,
                  static_cast<int>(random() % 1440),
                  static_cast<int>(random() % 1440)};
    s.lamp = {coin() ? std::optional(text()) : std::nullopt, real()};
    s.art = {coin(),
             static_cast<int>(random() % 60),
             {text()},
             coin() ? std::optional(text()) : std::nullopt};
    s.focusSheet = coin();
    s.focusStrength = real();
    s.ruler = coin();
    s.rulerHeight = real();
    s.rest = coin();
    s.restEvery = static_cast<int>(random() % 100);
    s.restLength = -static_cast<int>(random() % 100);
    s.hideFromScreenshots = coin();
    s.sounds = coin();
    s.haptics = coin();
    Recipe recipe;
    recipe.seed = (std::uint64_t{random()} << 32) | random();
    recipe.warmth = static_cast<float>(real());
    s.customPapers = {{text(), text(), recipe}};
    s.onboarded = coin();
    return s;
}

TEST(SettingsRoundTrip, RandomRecordsReadBackEqual) {
    std::mt19937 random(2026);
    for (int i = 0; i < 200; ++i) {
        const Settings original = randomSettings(random);
        const auto back = settingsFromJson(Json::parse(toJson(original).dump()));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, original) << toJson(original).dump();
    }
}

} // namespace
} // namespace tessel
