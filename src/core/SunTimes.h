#pragma once

#include "core/Settings.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

namespace tessel {

struct SunTimes {
    QDateTime sunrise;
    QDateTime sunset;
};

// Sunrise and sunset (UTC) on the calendar day in `zone` that contains `time`, from the
// NOAA solar equations evaluated at 12:00 UTC of that date. None during polar day or night.
std::optional<SunTimes> sunTimes(const QDateTime& time, const QTimeZone& zone, double latitude,
                                 double longitude);

// Whether paper may show at `time` under the schedule, read in `zone`.
bool inSchedule(const Schedule& schedule, const QDateTime& time, const QTimeZone& zone);

} // namespace tessel
