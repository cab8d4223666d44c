#pragma once

#include <QDateTime>

#include <algorithm>
#include <compare>

namespace tessel {

// A point in time as seconds since 2001-01-01 00:00:00 UTC, the form stored in the
// settings document. Kept as the stored double so a save and a load give it back exactly.
struct Instant {
    double secondsSinceReference = 0;

    static QDateTime referenceDate() { return QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC); }

    static Instant fromDateTime(const QDateTime& time) {
        return {static_cast<double>(referenceDate().msecsTo(time)) / 1000.0};
    }

    // Clamped to a few thousand years either side, so any stored number converts safely.
    QDateTime toDateTime() const {
        constexpr double limit = 1e11;
        const double seconds = std::clamp(secondsSinceReference, -limit, limit);
        return referenceDate().addMSecs(static_cast<qint64>(seconds * 1000.0));
    }

    Instant plusSeconds(double seconds) const { return {secondsSinceReference + seconds}; }
    double secondsUntil(Instant later) const {
        return later.secondsSinceReference - secondsSinceReference;
    }

    friend auto operator<=>(const Instant&, const Instant&) = default;
};

} // namespace tessel
