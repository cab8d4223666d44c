#pragma once

#include <QDBusConnection>

#include <optional>

namespace tessel {

// Seconds since the user last touched keyboard or pointer as Mutter counts them, native
// Wayland windows included; none when Mutter's idle monitor does not answer.
std::optional<double> mutterIdleSeconds(const QDBusConnection& bus);

} // namespace tessel
