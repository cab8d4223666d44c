#pragma once

#include <QStringList>
#include <QTextStream>

namespace tessel {

// `tessel sun (--lat X --lon Y | --place TEXT) [--date YYYY-MM-DD]`: the day's sunrise and
// sunset in UTC, worked out on this computer.
int runSun(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace tessel
