#include "CommandTest.h"

namespace tessel {
namespace {

class SunCommand : public CommandTest {
protected:
    static Outcome sun(const QStringList& arguments) {
        return run(QStringList{u"sun"_s} + arguments);
    }
    static QStringList lines(const Outcome& outcome) {
        return outcome.out.split(u'\n', Qt::SkipEmptyParts);
    }
};

TEST_F(SunCommand, PrintsSunriseAndSunsetInUtcToTheSecond) {
    const Outcome equinox =
        sun({u"--lat"_s, u"0"_s, u"--lon"_s, u"0"_s, u"--date"_s, u"2024-03-20"_s});
    EXPECT_EQ(equinox.code, 0);
    EXPECT_EQ(lines(equinox),
              (QStringList{u"sunrise 2024-03-20T06:03:58Z"_s, u"sunset 2024-03-20T18:10:37Z"_s}));
    EXPECT_EQ(lines(sun({u"--lat"_s, u"78"_s, u"--lon"_s, u"15"_s, u"--date"_s, u"2024-06-21"_s})),
              QStringList{u"none"_s});
}

TEST_F(SunCommand, FindsPlacesOfflineAndNarrowsByRegion) {
    const struct {
        QString place;
        QString found;
    } places[] = {
        {u"Mumbai"_s, u"place Mumbai, India 19.07"_s},
        {u"Paris, Texas"_s, u"place Paris, United States of America 33.66"_s},
        {u"sao paulo, brazil"_s, u"place São Paulo, Brazil"_s},
    };
    for (const auto& [place, found] : places) {
        const Outcome outcome = sun({u"--place"_s, place, u"--date"_s, u"2024-03-20"_s});
        EXPECT_EQ(outcome.code, 0) << place.toStdString();
        EXPECT_EQ(lines(outcome).size(), 3);
        EXPECT_TRUE(outcome.out.startsWith(found)) << outcome.out.toStdString();
    }
}

TEST_F(SunCommand, UnknownPlacesAndBadArgumentsFail) {
    const Outcome nowhere = sun({u"--place"_s, u"Xyzzyville"_s});
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_EQ(nowhere.err, u"tessel: Couldn't find that place. Try a nearby city.\n"_s);
    EXPECT_TRUE(nowhere.out.isEmpty());
    EXPECT_EQ(sun({u"--place"_s, u"sao paulo, brasil"_s}).code, 1);
    EXPECT_EQ(sun({u"--lat"_s, u"10"_s}).code, 2);
    EXPECT_EQ(sun({u"--lat"_s, u"95"_s, u"--lon"_s, u"0"_s}).code, 1);
    EXPECT_EQ(sun({u"--lat"_s, u"1"_s, u"--lon"_s, u"1"_s, u"--date"_s, u"2024-13-01"_s}).code, 1);
    EXPECT_EQ(sun({u"--place"_s, u"Oslo"_s, u"--lat"_s, u"1"_s}).code, 2);
}

} // namespace
} // namespace tessel
