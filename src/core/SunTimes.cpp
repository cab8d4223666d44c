#include "core/SunTimes.h"

#include <cmath>

namespace tessel {

namespace {

constexpr double degreesToRadians = 0.017453292519943295;
constexpr double cosineOfSunriseZenith = -0.014538080502496963; // zenith 90.833°

double sinDeg(double degrees) {
    return std::sin(degrees * degreesToRadians);
}
double cosDeg(double degrees) {
    return std::cos(degrees * degreesToRadians);
}
double tanDeg(double degrees) {
    return std::tan(degrees * degreesToRadians);
}
double degrees(double radians) {
    return radians / degreesToRadians;
}

int minutesOfDay(const QDateTime& time, const QTimeZone& zone) {
    const QTime local = time.toTimeZone(zone).time();
    return local.hour() * 60 + local.minute();
}

} // namespace

std::optional<SunTimes> sunTimes(const QDateTime& time, const QTimeZone& zone, double latitude,
                                 double longitude) {
    const QDate day = time.toTimeZone(zone).date();
    const QDateTime noon(day, QTime(12, 0), Qt::UTC);
    if (!noon.isValid()) {
        return std::nullopt;
    }
    const double t =
        (static_cast<double>(noon.toSecsSinceEpoch()) / 86400 + 2440587.5 - 2451545) / 36525;
    const double l0 = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
    const double m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double c = sinDeg(m) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                     sinDeg(2 * m) * (0.019993 - 0.000101 * t) + sinDeg(3 * m) * 0.000289;
    const double omega = 125.04 - 1934.136 * t;
    const double lambda = l0 + c - 0.00569 - 0.00478 * sinDeg(omega);
    const double epsilon0 =
        23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
    const double epsilon = epsilon0 + 0.00256 * cosDeg(omega);
    const double delta = degrees(std::asin(sinDeg(epsilon) * sinDeg(lambda)));
    const double cosH = (cosineOfSunriseZenith - sinDeg(latitude) * sinDeg(delta)) /
                        (cosDeg(latitude) * cosDeg(delta));
    if (std::isnan(cosH) || std::abs(cosH) > 1) {
        return std::nullopt;
    }
    const double y = std::pow(tanDeg(epsilon / 2), 2);
    const double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double equationOfTime =
        4 *
        degrees(y * sinDeg(2 * l0) - 2 * e * sinDeg(m) + 4 * e * y * sinDeg(m) * cosDeg(2 * l0) -
                0.5 * y * y * sinDeg(4 * l0) - 1.25 * e * e * sinDeg(2 * m));
    const double hourAngle = degrees(std::acos(cosH));
    const double noonMinutes = 720 - 4 * longitude - equationOfTime;
    const QDateTime midnight = noon.addSecs(-43200);
    const auto at = [&](double minutes) {
        return midnight.addMSecs(static_cast<qint64>(std::llround(minutes * 60 * 1000)));
    };
    return SunTimes{at(noonMinutes - 4 * hourAngle), at(noonMinutes + 4 * hourAngle)};
}

bool inSchedule(const Schedule& schedule, const QDateTime& time, const QTimeZone& zone) {
    const int now = minutesOfDay(time, zone);
    int from = 0;
    int to = 0;
    switch (schedule.mode) {
    case Schedule::Mode::always:
        return true;
    case Schedule::Mode::sunsetToSunrise: {
        if (!schedule.latitude || !schedule.longitude) {
            return true;
        }
        const auto sun = sunTimes(time, zone, *schedule.latitude, *schedule.longitude);
        if (!sun) {
            return true;
        }
        from = minutesOfDay(sun->sunset, zone);
        to = minutesOfDay(sun->sunrise, zone);
        break;
    }
    case Schedule::Mode::custom:
        from = schedule.from;
        to = schedule.to;
        break;
    }
    if (from == to) {
        return true;
    }
    return from < to ? (from <= now && now < to) : (now >= from || now < to);
}

} // namespace tessel
