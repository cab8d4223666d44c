#pragma once

#include <QString>

class QScreen;

namespace tessel {

// A UUID-formatted identifier (upper-case 8-4-4-4-12) for the monitor behind a screen,
// derived from its EDID identity, or from the output name when the monitor reports none.
// The same monitor gives the same identifier across restarts.
QString screenIdentifier(const QString& manufacturer, const QString& model,
                         const QString& serialNumber, const QString& outputName);
QString screenIdentifier(const QScreen& screen);

} // namespace tessel
