#include "app/SunCommand.h"

#include "core/PlaceSearch.h"
#include "core/SunTimes.h"

#include <cmath>

namespace tessel {

namespace {

const char* const usageText =
    "usage: tessel sun (--lat X --lon Y | --place TEXT) [--date YYYY-MM-DD]";

QString isoSecond(const QDateTime& time) {
    const qint64 seconds = (time.toMSecsSinceEpoch() + 500) / 1000;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

int fail(QTextStream& err, const QString& message) {
    err << message << Qt::endl;
    return 1;
}

} // namespace

int runSun(const QStringList& args, QTextStream& out, QTextStream& err) {
    std::optional<double> latitude;
    std::optional<double> longitude;
    QString place;
    QDate date = QDate::currentDate();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (i + 1 >= args.size()) {
            return fail(err, QString::fromLatin1(usageText));
        }
        const QString& flag = args[i];
        const QString& value = args[++i];
        bool ok = true;
        if (flag == u"--lat") {
            latitude = value.toDouble(&ok);
            ok = ok && std::abs(*latitude) <= 90;
        } else if (flag == u"--lon") {
            longitude = value.toDouble(&ok);
            ok = ok && std::abs(*longitude) <= 180;
        } else if (flag == u"--place") {
            place = value;
        } else if (flag == u"--date") {
            date = QDate::fromString(value, Qt::ISODate);
            ok = date.isValid();
        } else {
            ok = false;
        }
        if (!ok) {
            return fail(err, QStringLiteral("tessel: bad %1 '%2'. %3")
                                 .arg(flag, value, QString::fromLatin1(usageText)));
        }
    }
    const bool byCoordinates = latitude && longitude && place.isEmpty();
    const bool byPlace = !latitude && !longitude && !place.isEmpty();
    if (!byCoordinates && !byPlace) {
        return fail(err, QString::fromLatin1(usageText));
    }
    if (byPlace) {
        const auto found = findPlace(place);
        if (!found) {
            return fail(err, QStringLiteral("Couldn't find that place. Try a nearby city."));
        }
        latitude = found->latitude;
        longitude = found->longitude;
        out << "place " << found->displayName() << ' ' << *latitude << ' ' << *longitude << '\n';
    }
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const auto sun = sunTimes(QDateTime(date, QTime(12, 0), zone), zone, *latitude, *longitude);
    if (!sun) {
        out << "none" << Qt::endl;
        return 0;
    }
    out << "sunrise " << isoSecond(sun->sunrise) << '\n'
        << "sunset " << isoSecond(sun->sunset) << Qt::endl;
    return 0;
}

} // namespace tessel
