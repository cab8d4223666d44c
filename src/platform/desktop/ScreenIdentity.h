#pragma once

#include <QList>
#include <QString>

class QScreen;

namespace tessel {

// What a monitor says of itself over EDID, and the connector it hangs on.
struct MonitorIdentity {
    QString manufacturer;
    QString model;
    QString serialNumber;
    QString outputName;
};

// A UUID-formatted identifier (upper-case 8-4-4-4-12) for the monitor behind a screen,
// derived from its EDID identity, or from the output name when the monitor reports none.
// The same monitor gives the same identifier across restarts.
QString screenIdentifier(const MonitorIdentity& monitor);

// One identifier per monitor, in order. Monitors whose EDID identities are alike (twins with
// an empty or placeholder serial) are told apart by their connector as well; every other
// monitor keeps the identifier it has on its own.
QStringList screenIdentifiers(const QList<MonitorIdentity>& monitors);

// The identifier of a screen among the ones connected now.
QString screenIdentifier(const QScreen& screen);

} // namespace tessel
