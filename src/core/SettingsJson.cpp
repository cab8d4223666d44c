#include "core/SettingsJson.h"

#include "paper/PaperDocument.h"

#include <array>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace tessel {

namespace {

// --- Reading primitives: each gives nothing when the value is not of its kind.

std::optional<bool> readBool(const Json& v) {
    return v.is_boolean() ? std::optional(v.get<bool>()) : std::nullopt;
}

std::optional<double> readReal(const Json& v) {
    return v.is_number() ? std::optional(v.get<double>()) : std::nullopt;
}

// Whole numbers written as 20.0 read as integers too.
std::optional<int> readInt(const Json& v) {
    if (!v.is_number()) {
        return std::nullopt;
    }
    const auto value = v.get<double>();
    if (value != std::trunc(value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<QString> readText(const Json& v) {
    return v.is_string() ? std::optional(QString::fromStdString(v.get<std::string>()))
                         : std::nullopt;
}

std::optional<QStringList> readTextList(const Json& v) {
    if (!v.is_array()) {
        return std::nullopt;
    }
    QStringList list;
    for (const Json& item : v) {
        const auto text = readText(item);
        if (!text) {
            return std::nullopt;
        }
        list << *text;
    }
    return list;
}

std::optional<QMap<QString, QString>> readTextMap(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    QMap<QString, QString> map;
    for (const auto& [key, value] : v.items()) {
        const auto text = readText(value);
        if (!text) {
            return std::nullopt;
        }
        map.insert(QString::fromStdString(key), *text);
    }
    return map;
}

template <typename Enum, std::size_t N>
std::optional<Enum> readEnum(const Json& v, const std::array<const char*, N>& names) {
    const auto text = readText(v);
    for (std::size_t i = 0; text && i < N; ++i) {
        if (*text == QLatin1String(names[i])) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

constexpr std::array<const char*, 2> dayNightNames = {"system", "screen"};
constexpr std::array<const char*, 2> appModeNames = {"exceptListed", "onlyListed"};
constexpr std::array<const char*, 3> scheduleModeNames = {"always", "sunsetToSunrise", "custom"};

// A present key of a strict nested record: the record fails when it is absent or unreadable.
template <typename Reader>
auto required(const Json& object, const char* key, Reader read) -> decltype(read(object)) {
    const auto it = object.find(key);
    return it == object.end() ? std::nullopt : read(*it);
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

// An optional key of a strict nested record: absent (or null) is fine, unreadable is not.
template <typename T, typename Reader>
bool readOptional(const Json& object, const char* key, Reader read, std::optional<T>& out) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) {
        out.reset();
        return true;
    }
    out = read(*it);
    return out.has_value();
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
    if (!mode || !place || !from || !to || !readOptional(v, "latitude", readReal, s.latitude) ||
        !readOptional(v, "longitude", readReal, s.longitude)) {
        return std::nullopt;
    }
    s.mode = *mode;
    s.place = *place;
    s.from = *from;
    s.to = *to;
    return s;
}

std::optional<LampSettings> readLamp(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    LampSettings lamp;
    const auto strength = required(v, "strength", readReal);
    if (!strength || !readOptional(v, "id", readText, lamp.id)) {
        return std::nullopt;
    }
    lamp.strength = *strength;
    return lamp;
}

std::optional<ArtSettings> readArt(const Json& v) {
    if (!v.is_object()) {
        return std::nullopt;
    }
    const auto enabled = required(v, "enabled", readBool);
    const auto idleMinutes = required(v, "idleMinutes", readInt);
    const auto collections = required(v, "collections", readTextList);
    if (!enabled || !idleMinutes || !collections) {
        return std::nullopt;
    }
    return ArtSettings{*enabled, *idleMinutes, *collections};
}

std::optional<QList<CustomPaper>> readCustomPapers(const Json& v) {
    if (!v.is_array()) {
        return std::nullopt;
    }
    QList<CustomPaper> papers;
    for (const Json& item : v) {
        auto paper = customPaperFromJson(item);
        if (!paper) {
            return std::nullopt;
        }
        papers.append(std::move(*paper));
    }
    return papers;
}

std::optional<Instant> readInstant(const Json& v) {
    const auto seconds = readReal(v);
    return seconds ? std::optional(Instant{*seconds}) : std::nullopt;
}

// Takes the key's value when it reads; otherwise leaves the default in place.
template <typename T, typename Reader>
void take(const Json& document, const char* key, Reader read, T& field) {
    const auto it = document.find(key);
    if (it == document.end() || it->is_null()) {
        return;
    }
    if (auto value = read(*it)) {
        field = std::move(*value);
    }
}

// --- Writing primitives.

std::string text(const QString& value) {
    return value.toStdString();
}

Json textList(const QStringList& list) {
    Json array = Json::array();
    for (const QString& item : list) {
        array.push_back(text(item));
    }
    return array;
}

Json textMap(const QMap<QString, QString>& map) {
    Json object = Json::object();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        object[text(it.key())] = text(it.value());
    }
    return object;
}

Json slotJson(const Slot& slot) {
    return Json{{"paper", text(slot.paper)}, {"gsm", slot.gsm}};
}

Json scheduleJson(const Schedule& s) {
    Json json = {{"mode", scheduleModeNames.at(static_cast<std::size_t>(s.mode))},
                 {"place", text(s.place)}};
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

Json lampJson(const LampSettings& lamp) {
    Json json = Json::object();
    if (lamp.id) {
        json["id"] = text(*lamp.id);
    }
    json["strength"] = lamp.strength;
    return json;
}

Json customPapersJson(const QList<CustomPaper>& papers) {
    Json array = Json::array();
    for (const CustomPaper& paper : papers) {
        array.push_back(toJson(paper));
    }
    return array;
}

} // namespace

std::optional<Settings> settingsFromJson(const Json& d) {
    if (!d.is_object()) {
        return std::nullopt;
    }
    const auto dayNight = [](const Json& v) {
        return readEnum<Settings::DayNight>(v, dayNightNames);
    };
    const auto appMode = [](const Json& v) { return readEnum<Settings::AppMode>(v, appModeNames); };
    const auto textSet = [](const Json& v) -> std::optional<QSet<QString>> {
        const auto list = readTextList(v);
        return list ? std::optional(QSet<QString>(list->begin(), list->end())) : std::nullopt;
    };
    const auto instant = [](const Json& v) -> std::optional<std::optional<Instant>> {
        const auto value = readInstant(v);
        return value ? std::optional(value) : std::nullopt;
    };

    Settings s;
    take(d, "enabled", readBool, s.enabled);
    take(d, "day", readSlot, s.day);
    take(d, "night", readSlot, s.night);
    take(d, "dayNight", dayNight, s.dayNight);
    take(d, "appMode", appMode, s.appMode);
    take(d, "excludedApps", readTextList, s.excludedApps);
    take(d, "onlyApps", readTextList, s.onlyApps);
    take(d, "appPapers", readTextMap, s.appPapers);
    take(d, "displayPapers", readTextMap, s.displayPapers);
    take(d, "disabledDisplays", textSet, s.disabledDisplays);
    take(d, "pauseOnBattery", readBool, s.pauseOnBattery);
    take(d, "snoozedUntil", instant, s.snoozedUntil);
    take(d, "schedule", readSchedule, s.schedule);
    take(d, "lamp", readLamp, s.lamp);
    take(d, "art", readArt, s.art);
    take(d, "focusSheet", readBool, s.focusSheet);
    take(d, "focusStrength", readReal, s.focusStrength);
    take(d, "ruler", readBool, s.ruler);
    take(d, "rulerHeight", readReal, s.rulerHeight);
    take(d, "rest", readBool, s.rest);
    take(d, "restEvery", readInt, s.restEvery);
    take(d, "restLength", readInt, s.restLength);
    take(d, "hideFromScreenshots", readBool, s.hideFromScreenshots);
    take(d, "sounds", readBool, s.sounds);
    take(d, "haptics", readBool, s.haptics);
    take(d, "customPapers", readCustomPapers, s.customPapers);
    take(d, "onboarded", readBool, s.onboarded);
    return s;
}

Json toJson(const Settings& s) {
    QStringList disabled(s.disabledDisplays.cbegin(), s.disabledDisplays.cend());
    disabled.sort(); // a set has no order; sorting keeps saves stable

    Json d = Json::object();
    d["enabled"] = s.enabled;
    d["day"] = slotJson(s.day);
    d["night"] = slotJson(s.night);
    d["dayNight"] = dayNightNames.at(static_cast<std::size_t>(s.dayNight));
    d["appMode"] = appModeNames.at(static_cast<std::size_t>(s.appMode));
    d["excludedApps"] = textList(s.excludedApps);
    d["onlyApps"] = textList(s.onlyApps);
    d["appPapers"] = textMap(s.appPapers);
    d["displayPapers"] = textMap(s.displayPapers);
    d["disabledDisplays"] = textList(disabled);
    d["pauseOnBattery"] = s.pauseOnBattery;
    if (s.snoozedUntil) {
        d["snoozedUntil"] = s.snoozedUntil->secondsSinceReference;
    }
    d["schedule"] = scheduleJson(s.schedule);
    d["lamp"] = lampJson(s.lamp);
    d["art"] = Json{{"enabled", s.art.enabled},
                    {"idleMinutes", s.art.idleMinutes},
                    {"collections", textList(s.art.collections)}};
    d["focusSheet"] = s.focusSheet;
    d["focusStrength"] = s.focusStrength;
    d["ruler"] = s.ruler;
    d["rulerHeight"] = s.rulerHeight;
    d["rest"] = s.rest;
    d["restEvery"] = s.restEvery;
    d["restLength"] = s.restLength;
    d["hideFromScreenshots"] = s.hideFromScreenshots;
    d["sounds"] = s.sounds;
    d["haptics"] = s.haptics;
    d["customPapers"] = customPapersJson(s.customPapers);
    d["onboarded"] = s.onboarded;
    return d;
}

} // namespace tessel
