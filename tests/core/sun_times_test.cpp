#include "core/PlaceSearch.h"
#include "core/SunTimes.h"

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

QDateTime utc(int y, int m, int d, int h = 12, int min = 0, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC);
}

QDateTime toSecond(const QDateTime& t) {
    return QDateTime::fromSecsSinceEpoch((t.toMSecsSinceEpoch() + 500) / 1000, Qt::UTC);
}

// The equator's equinox and the polar day are the command line's to show.
TEST(SunTimes, KnownDaysToTheSecondAndNoneInThePolarNight) {
    const auto london = sunTimes(utc(2024, 6, 21), QTimeZone::utc(), 51.5, -0.12);
    ASSERT_TRUE(london);
    EXPECT_EQ(toSecond(london->sunrise), utc(2024, 6, 21, 3, 43, 17));
    EXPECT_EQ(toSecond(london->sunset), utc(2024, 6, 21, 20, 21, 32));
    EXPECT_FALSE(sunTimes(utc(2024, 12, 21), QTimeZone::utc(), 78, 15));
}

struct WindowCase {
    int from;
    int to;
    int hour;
    int minute;
    bool inside;
};

TEST(InSchedule, CustomWindowsAndSunsetToSunriseAsTheLocalNight) {
    const WindowCase cases[] = {
        {1080, 420, 17, 59, false}, {1080, 420, 18, 0, true},  {1080, 420, 6, 59, true},
        {1080, 420, 7, 0, false},   {540, 1020, 8, 59, false}, {540, 1020, 9, 0, true},
        {540, 1020, 17, 0, false},  {600, 600, 3, 0, true},
    };
    for (const WindowCase& c : cases) {
        const Schedule s{Schedule::Mode::custom, {}, {}, {}, c.from, c.to};
        EXPECT_EQ(inSchedule(s, utc(2026, 1, 5, c.hour, c.minute, 59), QTimeZone::utc()), c.inside)
            << c.from << "-" << c.to << " at " << c.hour << ":" << c.minute;
    }

    // Without a place, or where the sun neither rises nor sets, it is always inside.
    const struct {
        const char* zone;
        std::optional<double> latitude;
        std::optional<double> longitude;
        std::vector<std::pair<int, bool>> insideAtHour;
    } places[] = {
        {"Pacific/Auckland", -36.85, 174.76, {{23, true}, {5, true}, {12, false}}},
        {"Pacific/Honolulu", 21.3, -157.86, {{22, true}, {13, false}}},
        {"UTC", {}, {}, {{12, true}}},
        {"UTC", 78, {}, {{12, true}}},
        {"UTC", 78, 15, {{12, true}}},
        {"UTC", 51.5, 15, {{12, false}}},
    };
    for (const auto& place : places) {
        const QTimeZone zone(place.zone);
        const Schedule night{Schedule::Mode::sunsetToSunrise, {}, place.latitude, place.longitude};
        for (const auto& [hour, inside] : place.insideAtHour) {
            const QDateTime at(QDate(2024, 6, 21), QTime(hour, 0), zone);
            EXPECT_EQ(inSchedule(night, at, zone), inside) << place.zone << " " << hour;
        }
    }
}

// The first line of GeoNames' answer; countries and regions stand at their largest city. A
// place it does not know is the command line's and the Schedule pane's to show.
TEST(FindPlace, APlaceNamedInFullBeatsACityThatOnlyStartsWithTheText) {
    const struct {
        const char* typed;
        const char* stored;
        double latitude;
    } rows[] = {
        {"France", "France", 48.85},
        {"Franceville", "Franceville, Gabon", -1.63},
        {"Armenia", "Armenia", 40.18},
        {"Bavaria", "Bavaria, Germany", 48.14},
        {"Georgia, United States", "Georgia, United States of America", 33.75},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const std::optional<Place> place = findPlace(QString::fromUtf8(row.typed));
        ASSERT_TRUE(place.has_value());
        EXPECT_EQ(place->displayName(), QString::fromUtf8(row.stored));
        EXPECT_NEAR(place->latitude, row.latitude, 0.05);
    }
}

} // namespace
} // namespace tessel
