#include "core/JsonValues.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace tessel {

std::optional<bool> readBool(const Json& value) {
    return value.is_boolean() ? std::optional(value.get<bool>()) : std::nullopt;
}

std::optional<double> readReal(const Json& value) {
    return value.is_number() ? std::optional(value.get<double>()) : std::nullopt;
}

std::optional<int> readInt(const Json& value) {
    if (!value.is_number()) {
        return std::nullopt;
    }
    const auto number = value.get<double>();
    if (number != std::trunc(number) || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

std::optional<QString> readText(const Json& value) {
    return value.is_string() ? std::optional(QString::fromStdString(value.get<std::string>()))
                             : std::nullopt;
}

std::optional<QStringList> readTextList(const Json& value) {
    if (!value.is_array()) {
        return std::nullopt;
    }
    QStringList list;
    for (const Json& item : value) {
        const auto text = readText(item);
        if (!text) {
            return std::nullopt;
        }
        list << *text;
    }
    return list;
}

std::optional<QMap<QString, QString>> readTextMap(const Json& value) {
    if (!value.is_object()) {
        return std::nullopt;
    }
    QMap<QString, QString> map;
    for (const auto& [key, item] : value.items()) {
        const auto text = readText(item);
        if (!text) {
            return std::nullopt;
        }
        map.insert(QString::fromStdString(key), *text);
    }
    return map;
}

Json textJson(const QString& text) {
    return text.toStdString();
}

Json textListJson(const QStringList& list) {
    Json array = Json::array();
    for (const QString& item : list) {
        array.push_back(textJson(item));
    }
    return array;
}

Json textMapJson(const QMap<QString, QString>& map) {
    Json object = Json::object();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        object[it.key().toStdString()] = textJson(it.value());
    }
    return object;
}

} // namespace tessel
