#include "core/SettingCodecs.h"

#include "core/JsonValues.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

constexpr std::array<const char*, 2> dayNightNames = {"system", "screen"};
constexpr std::array<const char*, 2> appModeNames = {"exceptListed", "onlyListed"};
constexpr std::array<const char*, 3> scheduleModeNames = {"always", "sunsetToSunrise", "custom"};

// A key a nested record needs: the record fails when it is absent or unreadable.
template <typename Reader>
auto required(const Json& object, const char* key, Reader read) -> decltype(read(object)) {
    const auto it = object.find(key);
    return it == object.end() ? std::nullopt : read(*it);
}

// A key a nested record may leave out (or null); present, it must read.
template <typename T, typename Reader>
bool optionalKey(const Json& object, const char* key, Reader read, std::optional<T>& out) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) {
        out.reset();
        return true;
    }
    out = read(*it);
    return out.has_value();
}

std::optional<Slot> readSlot(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    const auto paper = required(v, "paper", readText);
    const auto gsm = required(v, "gsm", readReal);
    if (!paper || !gsm) {
        return std::nullopt;
    }
    return Slot{*paper, *gsm};
}

Json writeSlot(const Slot& slot) {
    return Json{{"paper", textJson(slot.paper)}, {"gsm", slot.gsm}};
}

std::optional<Schedule> readSchedule(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    Schedule s;
    const auto mode = required(
        v, "mode", [](const Json& j) { return readEnum<Schedule::Mode>(j, scheduleModeNames); });
    const auto place = required(v, "place", readText);
    const auto from = required(v, "from", readInt);
    const auto to = required(v, "to", readInt);
    if (!mode || !place || !from || !to || !optionalKey(v, "latitude", readReal, s.latitude) ||
        !optionalKey(v, "longitude", readReal, s.longitude)) {
        return std::nullopt;
    }
    s.mode = *mode;
    s.place = *place;
    s.from = *from;
    s.to = *to;
    return s;
}

Json writeSchedule(const Schedule& s) {
    Json json = {{"mode", scheduleModeNames.at(static_cast<std::size_t>(s.mode))},
                 {"place", textJson(s.place)}};
    if (s.latitude) {
        json["latitude"] = *s.latitude;
    }
    if (s.longitude) {
        json["longitude"] = *s.longitude;
    }
    json["from"] = s.from;
    json["to"] = s.to;
    return json;
}

std::optional<LampSettings> readLamp(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    LampSettings lamp;
    const auto strength = required(v, "strength", readReal);
    if (!strength || !optionalKey(v, "id", readText, lamp.id)) {
        return std::nullopt;
    }
    lamp.strength = *strength;
    return lamp;
}

Json writeLamp(const LampSettings& lamp) {
    Json json = Json::object();
    if (lamp.id) {
        json["id"] = textJson(*lamp.id);
    }
    json["strength"] = lamp.strength;
    return json;
}

std::optional<ArtSettings> readArt(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    const auto enabled = required(v, "enabled", readBool);
    const auto idleMinutes = required(v, "idleMinutes", readInt);
    const auto collections = required(v, "collections", readTextList);
    std::optional<QString> folder;
    if (!enabled || !idleMinutes || !collections || !optionalKey(v, "folder", readText, folder)) {
        return std::nullopt;
    }
    return ArtSettings{*enabled, *idleMinutes, *collections, folder};
}

Json writeArt(const ArtSettings& art) {
    Json json{{"enabled", art.enabled},
              {"idleMinutes", art.idleMinutes},
              {"collections", textListJson(art.collections)}};
    if (art.folder) {
        json["folder"] = textJson(*art.folder);
    }
    return json;
}

std::optional<QSet<QString>> readTextSet(const Json& v) {
    const auto list = readTextList(v);
    return list ? std::optional(QSet<QString>(list->begin(), list->end())) : std::nullopt;
}

Json writeTextSet(const QSet<QString>& set) {
    QStringList list(set.cbegin(), set.cend());
    list.sort(); // a set has no order; sorting keeps saves stable
    return textListJson(list);
}

// Null is no moment at all, so a snooze can be cleared by hand.
std::optional<std::optional<Instant>> readInstant(const Json& v) {
    if (v.is_null()) {
        return std::optional<Instant>();
    }
    const auto seconds = readReal(v);
    return seconds ? std::optional(std::optional(Instant{*seconds})) : std::nullopt;
}

Json writeInstant(const std::optional<Instant>& instant) {
    return instant ? Json(instant->secondsSinceReference) : Json();
}

} // namespace

namespace codecs {

const Codec<bool> boolean{readBool, [](const bool& v) { return Json(v); }, "true or false"};
const Codec<double> real{readReal, [](const double& v) { return Json(v); }, "a number"};
const Codec<int> integer{readInt, [](const int& v) { return Json(v); }, "a whole number"};
const Codec<QStringList> textList{readTextList, textListJson, "a list of texts"};
const Codec<QMap<QString, QString>> textMap{readTextMap, textMapJson,
                                            "an object whose values are texts"};
const Codec<QSet<QString>> textSet{readTextSet, writeTextSet, "a list of texts"};
const Codec<std::optional<Instant>> instant{readInstant, writeInstant,
                                            "a number of seconds since 2001-01-01, or null"};
const Codec<Settings::DayNight> dayNight{
    [](const Json& v) { return readEnum<Settings::DayNight>(v, dayNightNames); },
    [](const Settings::DayNight& v) { return Json(dayNightNames.at(static_cast<std::size_t>(v))); },
    R"("system" or "screen")"};
const Codec<Settings::AppMode> appMode{
    [](const Json& v) { return readEnum<Settings::AppMode>(v, appModeNames); },
    [](const Settings::AppMode& v) { return Json(appModeNames.at(static_cast<std::size_t>(v))); },
    R"("exceptListed" or "onlyListed")"};
const Codec<Slot> slot{readSlot, writeSlot, R"(an object with "paper" and "gsm")"};
const Codec<Schedule> schedule{
    readSchedule, writeSchedule,
    R"(an object with "mode" ("always", "sunsetToSunrise" or "custom"), "place", "from" and "to")"};
const Codec<LampSettings> lamp{readLamp, writeLamp, R"(an object with "strength" and maybe "id")"};
const Codec<ArtSettings> art{
    readArt, writeArt,
    R"(an object with "enabled", "idleMinutes", "collections" and maybe "folder")"};

} // namespace codecs

} // namespace tessel
