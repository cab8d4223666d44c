#include "app/SunCommand.h"

#include "core/PlaceSearch.h"
#include "core/SettingLimits.h"
#include "core/SunTimes.h"

#include <variant>

namespace tessel {

namespace {

const QString form =
    QStringLiteral("tessel sun (--lat X --lon Y | --place TEXT) [--date YYYY-MM-DD]");
constexpr int halfSecondMs = 500;
constexpr int msPerSecond = 1000;
constexpr int noon = 12;

QString isoSecond(const QDateTime& time) {
    const qint64 seconds = (time.toMSecsSinceEpoch() + halfSecondMs) / msPerSecond;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

std::optional<double> degrees(const QString& text, SettingRange<double> range) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && range.contains(value) ? std::optional(value) : std::nullopt;
}

struct Coordinates {
    double latitude;
    double longitude;
};

// The place asked for, or the exit status after saying what is wrong.
std::variant<Coordinates, int> placeAskedFor(const QCommandLineParser& parser,
                                             const CommandIO& io) {
    const bool byCoordinates = parser.isSet(QStringLiteral("lat")) &&
                               parser.isSet(QStringLiteral("lon")) &&
                               !parser.isSet(QStringLiteral("place"));
    const bool byName = !parser.isSet(QStringLiteral("lat")) &&
                        !parser.isSet(QStringLiteral("lon")) &&
                        parser.isSet(QStringLiteral("place"));
    if (!byCoordinates && !byName) {
        return io.usage(form);
    }
    if (byName) {
        const auto found = findPlace(parser.value(QStringLiteral("place")));
        if (!found) {
            return io.fail(QStringLiteral("Couldn't find that place. Try a nearby city."));
        }
        io.out << "place " << found->displayName() << ' ' << found->latitude << ' '
               << found->longitude << '\n';
        return Coordinates{found->latitude, found->longitude};
    }
    const auto latitude = degrees(parser.value(QStringLiteral("lat")), limits::latitude);
    const auto longitude = degrees(parser.value(QStringLiteral("lon")), limits::longitude);
    if (!latitude || !longitude) {
        return io.fail(
            QStringLiteral("bad %1 '%2'. usage: %3")
                .arg(latitude ? QStringLiteral("--lon") : QStringLiteral("--lat"),
                     parser.value(latitude ? QStringLiteral("lon") : QStringLiteral("lat")), form));
    }
    return Coordinates{*latitude, *longitude};
}

} // namespace

int runSunCommand(const QStringList& arguments, const CommandIO& io) {
    QCommandLineParser parser;
    for (const char* name : {"lat", "lon", "place", "date"}) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("VALUE")));
    }
    const auto positional = io.parse(parser, arguments.mid(1), form);
    if (!positional) {
        return commandMisused;
    }
    if (!positional->isEmpty()) {
        return io.usage(form);
    }
    QDate date = QDate::currentDate();
    if (parser.isSet(QStringLiteral("date"))) {
        date = QDate::fromString(parser.value(QStringLiteral("date")), Qt::ISODate);
        if (!date.isValid()) {
            return io.fail(QStringLiteral("bad --date '%1'. usage: %2")
                               .arg(parser.value(QStringLiteral("date")), form));
        }
    }
    const auto asked = placeAskedFor(parser, io);
    if (const auto* status = std::get_if<int>(&asked)) {
        return *status;
    }
    const Coordinates place = std::get<Coordinates>(asked);
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const auto sun =
        sunTimes(QDateTime(date, QTime(noon, 0), zone), zone, place.latitude, place.longitude);
    if (!sun) {
        io.out << "none" << Qt::endl;
        return commandSucceeded;
    }
    io.out << "sunrise " << isoSecond(sun->sunrise) << '\n'
           << "sunset " << isoSecond(sun->sunset) << Qt::endl;
    return commandSucceeded;
}

} // namespace tessel
