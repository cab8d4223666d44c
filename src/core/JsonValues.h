#pragma once

#include "paper/Json.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tessel {

// Readers give nothing when the value is not of their kind; they never throw.
std::optional<bool> readBool(const Json& value);
std::optional<double> readReal(const Json& value);
// Whole numbers written as 20.0 read as integers too.
std::optional<int> readInt(const Json& value);
std::optional<QString> readText(const Json& value);
std::optional<QStringList> readTextList(const Json& value);
std::optional<QMap<QString, QString>> readTextMap(const Json& value);

template <typename Enum, std::size_t N>
std::optional<Enum> readEnum(const Json& value, const std::array<const char*, N>& names) {
    const auto text = readText(value);
    for (std::size_t i = 0; text && i < N; ++i) {
        if (*text == QLatin1String(names[i])) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

Json textJson(const QString& text);
Json textListJson(const QStringList& list);
Json textMapJson(const QMap<QString, QString>& map);

} // namespace tessel
