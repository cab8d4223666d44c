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

TEST(SunTimes, KnownDaysToTheSecond) {
    const auto equinox = sunTimes(utc(2024, 3, 20), QTimeZone::utc(), 0, 0);
    ASSERT_TRUE(equinox);
    EXPECT_EQ(toSecond(equinox->sunrise), utc(2024, 3, 20, 6, 3, 58));
    EXPECT_EQ(toSecond(equinox->sunset), utc(2024, 3, 20, 18, 10, 37));

    const auto london = sunTimes(utc(2024, 6, 21), QTimeZone::utc(), 51.5, -0.12);
    ASSERT_TRUE(london);
    EXPECT_EQ(toSecond(london->sunrise), utc(2024, 6, 21, 3, 43, 17));
    EXPECT_EQ(toSecond(london->sunset), utc(2024, 6, 21, 20, 21, 32));
}

TEST(SunTimes, PolarDayAndNightHaveNone) {
    EXPECT_FALSE(sunTimes(utc(2024, 6, 21), QTimeZone::utc(), 78, 15));
    EXPECT_FALSE(sunTimes(utc(2024, 12, 21), QTimeZone::utc(), 78, 15));
}

TEST(SunTimes, LocalNightIsBracketedFarFromGreenwich) {
    const QTimeZone auckland("Pacific/Auckland");
    Schedule night{Schedule::Mode::sunsetToSunrise, u"Auckland"_s, -36.85, 174.76};
    // Local winter: sunrise about 07:30, sunset about 17:10.
    EXPECT_TRUE(inSchedule(night, QDateTime(QDate(2024, 6, 21), QTime(23, 0), auckland), auckland));
    EXPECT_TRUE(inSchedule(night, QDateTime(QDate(2024, 6, 21), QTime(5, 0), auckland), auckland));
    EXPECT_FALSE(
        inSchedule(night, QDateTime(QDate(2024, 6, 21), QTime(12, 0), auckland), auckland));

    const QTimeZone honolulu("Pacific/Honolulu");
    night.latitude = 21.3;
    night.longitude = -157.86;
    EXPECT_TRUE(inSchedule(night, QDateTime(QDate(2024, 6, 21), QTime(22, 0), honolulu), honolulu));
    EXPECT_FALSE(
        inSchedule(night, QDateTime(QDate(2024, 6, 21), QTime(13, 0), honolulu), honolulu));
}

struct WindowCase {
    int from;
    int to;
    int hour;
    int minute;
    bool inside;
};

TEST(InSchedule, CustomWindows) {
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
}

TEST(InSchedule, SunsetToSunriseWithoutAPlaceOrSunIsAlwaysInside) {
    Schedule s{Schedule::Mode::sunsetToSunrise, {}, {}, {}, 0, 0};
    EXPECT_TRUE(inSchedule(s, utc(2024, 6, 21, 12), QTimeZone::utc()));
    s.latitude = 78;
    EXPECT_TRUE(inSchedule(s, utc(2024, 6, 21, 12), QTimeZone::utc()));
    s.longitude = 15;
    EXPECT_TRUE(inSchedule(s, utc(2024, 6, 21, 12), QTimeZone::utc()));
    s.latitude = 51.5;
    EXPECT_FALSE(inSchedule(s, utc(2024, 6, 21, 12), QTimeZone::utc()));
}

// The first line of GeoNames' answer; countries and regions stand at their largest city.
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
    EXPECT_FALSE(findPlace(QStringLiteral("Xyzzyville")).has_value());
}

} // namespace
} // namespace tessel
