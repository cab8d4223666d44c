#pragma once

#include <QKeyCombination>
#include <QString>

#include <nlohmann/json_fwd.hpp>
#include <optional>

namespace tessel {

// Key combinations as people type them ("Ctrl+Alt+P") and as the defaults file stores them:
// {"carbonKeyCode", "carbonModifiers"} with the classic virtual key codes and modifier bits,
// so the file reads the same on every system.
namespace ShortcutKeys {

// Modifiers Ctrl, Alt, Shift and Super (also Control, Option, Meta, Cmd) joined to one key
// by '+', in any order and case. A combination needs at least one modifier other than Shift,
// or a function key, so that ordinary typing never triggers it.
std::optional<QKeyCombination> parse(const QString& text);
QString format(QKeyCombination keys);

std::optional<nlohmann::ordered_json> toJson(QKeyCombination keys);
std::optional<QKeyCombination> fromJson(const nlohmann::ordered_json& json);

} // namespace ShortcutKeys

} // namespace tessel
