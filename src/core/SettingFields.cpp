#include "core/SettingFields.h"

#include "core/SettingCodecs.h"
#include "core/SettingLimits.h"
#include "paper/Lamp.h"
#include "paper/PaperDocument.h"

#include <QDir>

#include <algorithm>
#include <nlohmann/json.hpp>

namespace tessel {

namespace {

template <typename T>
using Limit = std::function<std::optional<QString>(const T&, const Settings& current)>;

template <typename T>
SettingField field(const char* key, T Settings::*member, const Codec<T>& codec,
                   Limit<T> limit = {}) {
    return {
        key,
        [member, read = codec.read](const Json& value, Settings& s) {
            auto decoded = read(value);
            if (decoded) {
                s.*member = std::move(*decoded);
            }
            return decoded.has_value();
        },
        [member, write = codec.write](const Settings& s) { return write(s.*member); },
        [key, read = codec.read, kind = codec.kind,
         limit](const Json& value, const Settings& current) -> std::optional<QString> {
            const auto decoded = read(value);
            if (!decoded) {
                return QStringLiteral("%1 must be %2").arg(QLatin1String(key), QLatin1String(kind));
            }
            return limit ? limit(*decoded, current) : std::nullopt;
        },
    };
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

template <typename T>
std::optional<QString> within(const char* name, SettingRange<T> range, T value) {
    if (range.contains(value)) {
        return std::nullopt;
    }
    return QStringLiteral("%1 must be from %2 to %3, not %4")
        .arg(QLatin1String(name), number(range.lowest), number(range.highest), number(value));
}

template <typename T> Limit<T> inRange(const char* name, SettingRange<T> range) {
    return [name, range](const T& value, const Settings&) { return within(name, range, value); };
}

bool isPaper(const QString& id, const Settings& current) {
    const auto same = [&id](const auto& paper) { return paper.id == id; };
    return std::any_of(Paper::builtIn().cbegin(), Paper::builtIn().cend(), same) ||
           std::any_of(current.customPapers.cbegin(), current.customPapers.cend(), same);
}

std::optional<QString> knownPaper(const QString& id, const Settings& current) {
    if (isPaper(id, current)) {
        return std::nullopt;
    }
    return QStringLiteral("%1 is not a paper; 'tessel paper list' lists them").arg(id);
}

std::optional<QString> checkSlot(const Slot& slot, const Settings& current) {
    if (auto unknown = knownPaper(slot.paper, current)) {
        return unknown;
    }
    return within("gsm", limits::gsm, slot.gsm);
}

std::optional<QString> checkPaperMap(const QMap<QString, QString>& map, const Settings& current) {
    for (const QString& paper : map) {
        if (auto unknown = knownPaper(paper, current)) {
            return unknown;
        }
    }
    return std::nullopt;
}

std::optional<QString> checkSchedule(const Schedule& s, const Settings&) {
    if (auto bad = within("from", limits::minuteOfDay, s.from)) {
        return bad;
    }
    if (auto bad = within("to", limits::minuteOfDay, s.to)) {
        return bad;
    }
    if (s.latitude) {
        if (auto bad = within("latitude", limits::latitude, *s.latitude)) {
            return bad;
        }
    }
    if (s.longitude) {
        return within("longitude", limits::longitude, *s.longitude);
    }
    return std::nullopt;
}

std::optional<QString> checkLamp(const LampSettings& lamp, const Settings&) {
    if (lamp.id && !Lamp::find(lamp.id)) {
        return QStringLiteral("%1 is not a lamp").arg(*lamp.id);
    }
    return within("strength", limits::lampStrength, lamp.strength);
}

std::optional<QString> checkArt(const ArtSettings& art, const Settings&) {
    if (art.folder && !QDir::isAbsolutePath(*art.folder)) {
        return QStringLiteral("folder must be an absolute path, not %1").arg(*art.folder);
    }
    return within("idleMinutes", limits::artIdleMinutes.range(), art.idleMinutes);
}

// Each paper reads on its own: one this version cannot read is kept in its place.
bool readCustomPapers(const Json& value, Settings& s) {
    if (!value.is_array()) {
        return false;
    }
    s.customPapers.clear();
    s.kept.papers.clear();
    int position = 0;
    for (const Json& item : value) {
        if (auto paper = customPaperFromJson(item)) {
            s.customPapers.append(std::move(*paper));
        } else {
            s.kept.papers.emplace_back(position, item.dump());
        }
        ++position;
    }
    return true;
}

Json writeCustomPapers(const Settings& s) {
    Json papers = Json::array();
    for (const CustomPaper& paper : s.customPapers) {
        papers.push_back(toJson(paper));
    }
    for (const auto& [position, text] : s.kept.papers) {
        const auto place = std::min<std::size_t>(static_cast<std::size_t>(position), papers.size());
        papers.insert(papers.begin() + static_cast<std::ptrdiff_t>(place), Json::parse(text));
    }
    return papers;
}

std::optional<QString> checkCustomPapers(const Json& value, const Settings&) {
    if (!value.is_array() || !std::all_of(value.begin(), value.end(), [](const Json& item) {
            return customPaperFromJson(item).has_value();
        })) {
        return QStringLiteral(R"(customPapers must be a list of papers: {"id", "name", "recipe"})");
    }
    if (value.size() > static_cast<std::size_t>(limits::customPapers)) {
        return QStringLiteral("customPapers can hold at most %1 papers").arg(limits::customPapers);
    }
    return std::nullopt;
}

std::vector<SettingField> makeFields() {
    using S = Settings;
    return {
        field("enabled", &S::enabled, codecs::boolean),
        field("day", &S::day, codecs::slot, Limit<Slot>(checkSlot)),
        field("night", &S::night, codecs::slot, Limit<Slot>(checkSlot)),
        field("dayNight", &S::dayNight, codecs::dayNight),
        field("appMode", &S::appMode, codecs::appMode),
        field("excludedApps", &S::excludedApps, codecs::textList),
        field("onlyApps", &S::onlyApps, codecs::textList),
        field("appPapers", &S::appPapers, codecs::textMap,
              Limit<QMap<QString, QString>>(checkPaperMap)),
        field("displayPapers", &S::displayPapers, codecs::textMap,
              Limit<QMap<QString, QString>>(checkPaperMap)),
        field("disabledDisplays", &S::disabledDisplays, codecs::textSet),
        field("pauseOnBattery", &S::pauseOnBattery, codecs::boolean),
        field("snoozedUntil", &S::snoozedUntil, codecs::instant),
        field("schedule", &S::schedule, codecs::schedule, Limit<Schedule>(checkSchedule)),
        field("lamp", &S::lamp, codecs::lamp, Limit<LampSettings>(checkLamp)),
        field("art", &S::art, codecs::art, Limit<ArtSettings>(checkArt)),
        field("focusSheet", &S::focusSheet, codecs::boolean),
        field("focusStrength", &S::focusStrength, codecs::real,
              inRange("focusStrength", limits::focusStrength)),
        field("ruler", &S::ruler, codecs::boolean),
        field("rulerHeight", &S::rulerHeight, codecs::real,
              inRange("rulerHeight", limits::rulerHeight)),
        field("rest", &S::rest, codecs::boolean),
        field("restEvery", &S::restEvery, codecs::integer,
              inRange("restEvery", limits::restEveryMinutes.range())),
        field("restLength", &S::restLength, codecs::integer,
              inRange("restLength", limits::restLengthSeconds.range())),
        field("hideFromScreenshots", &S::hideFromScreenshots, codecs::boolean),
        field("sounds", &S::sounds, codecs::boolean),
        field("haptics", &S::haptics, codecs::boolean),
        {"customPapers", readCustomPapers, writeCustomPapers, checkCustomPapers},
        field("onboarded", &S::onboarded, codecs::boolean),
    };
}

} // namespace

const std::vector<SettingField>& settingFields() {
    static const std::vector<SettingField> fields = makeFields();
    return fields;
}

const SettingField* findSettingField(const std::string& key) {
    const auto& fields = settingFields();
    const auto it = std::find_if(fields.cbegin(), fields.cend(),
                                 [&key](const SettingField& f) { return f.key == key; });
    return it == fields.cend() ? nullptr : &*it;
}

} // namespace tessel
