#include "core/SettingsJson.h"

#include "core/SettingFields.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace tessel {

namespace {

using KeptKeys = std::vector<std::pair<std::string, std::string>>;

KeptKeys::const_iterator findKept(const KeptKeys& kept, const std::string& key) {
    return std::find_if(kept.cbegin(), kept.cend(),
                        [&key](const auto& entry) { return entry.first == key; });
}

} // namespace

std::optional<Settings> settingsFromJson(const Json& d) {
    if (!d.is_object()) {
        return std::nullopt;
    }
    Settings s;
    for (const auto& [key, value] : d.items()) {
        const SettingField* field = findSettingField(key);
        const bool taken = field && (value.is_null() || field->read(value, s));
        if (!taken) {
            s.kept.keys.emplace_back(key, value.dump());
        }
    }
    return s;
}

Json toJson(const Settings& s) {
    Json d = Json::object();
    for (const SettingField& field : settingFields()) {
        const auto kept = findKept(s.kept.keys, field.key);
        Json value = kept != s.kept.keys.cend() ? Json::parse(kept->second) : field.write(s);
        if (!value.is_null()) {
            d[field.key] = std::move(value);
        }
    }
    for (const auto& [key, text] : s.kept.keys) {
        if (!findSettingField(key)) {
            d[key] = Json::parse(text);
        }
    }
    return d;
}

void dropKeptValuesOfChangedFields(const Settings& previous, Settings& next) {
    std::erase_if(next.kept.keys, [&](const auto& entry) {
        const SettingField* field = findSettingField(entry.first);
        return field && field->write(previous) != field->write(next);
    });
}

} // namespace tessel
