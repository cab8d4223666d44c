#include "core/SettingEdit.h"

#include "core/SettingFields.h"
#include "core/SettingsJson.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

QString settingKeys() {
    QStringList keys;
    for (const SettingField& field : settingFields()) {
        keys << QString::fromStdString(field.key);
    }
    return keys.join(QStringLiteral(", "));
}

} // namespace

std::variant<Settings, QString> withSetting(const Settings& current, const std::string& key,
                                            const Json& value) {
    const SettingField* field = findSettingField(key);
    if (!field) {
        return QStringLiteral("%1 is not a setting; the settings are %2")
            .arg(QString::fromStdString(key), settingKeys());
    }
    if (auto refused = field->check(value, current)) {
        return *refused;
    }
    Settings next = current;
    field->read(value, next);
    dropKeptValuesOfChangedFields(current, next);
    // Set by hand to the value it already had: what was kept is replaced all the same.
    std::erase_if(next.kept.keys, [&key](const auto& entry) { return entry.first == key; });
    return next;
}

} // namespace tessel
