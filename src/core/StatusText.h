#pragma once

#include "core/Resolution.h"

#include <QString>
#include <QTimeZone>

#include <functional>
#include <optional>

namespace tessel {

// The popover's line for the gate that `settings` closed; none for the gates it keeps quiet
// about. `frontAppName` is asked only for an excluded app, and answers empty when the app is
// unknown or has no name.
std::optional<QString> statusText(Gate gate, const Settings& settings, const QTimeZone& zone,
                                  const std::function<QString()>& frontAppName);

} // namespace tessel
