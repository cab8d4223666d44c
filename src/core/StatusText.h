#pragma once

#include "core/Resolution.h"

#include <QString>
#include <QTime>
#include <QTimeZone>

#include <functional>
#include <optional>

namespace tessel {

// Hours and minutes as the user's locale writes them, never with seconds, even where the
// locale's short form has them (C and POSIX).
QString shortTime(QTime time);

// What to do when no compositing manager runs, as one sentence: without one, paper cannot
// show at all.
QString noCompositorNote();

// The popover's line for the gate that `settings` closed; none for the gates it keeps quiet
// about. `frontAppName` is asked only for an excluded app, and answers empty when the app is
// unknown or has no name.
std::optional<QString> statusText(Gate gate, const Settings& settings, const QTimeZone& zone,
                                  const std::function<QString()>& frontAppName);

} // namespace tessel
