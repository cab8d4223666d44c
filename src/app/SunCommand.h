#pragma once

#include "app/CommandIO.h"

namespace tessel {

// `tessel sun (--lat X --lon Y | --place TEXT) [--date YYYY-MM-DD]`: the day's sunrise and
// sunset in UTC, worked out on this computer.
int runSunCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
