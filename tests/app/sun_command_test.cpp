#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

struct Printed {
    int code = -1;
    QStringList lines;
    QString err;
};

Printed sun(const QStringList& args) {
    Printed printed;
    QString out;
    QTextStream outStream(&out);
    QTextStream errStream(&printed.err);
    printed.code = runCommandLine(QStringList{u"sun"_s} + args, outStream, errStream).value_or(-1);
    outStream.flush();
    errStream.flush();
    printed.lines = out.split(u'\n', Qt::SkipEmptyParts);
    return printed;
}

TEST(SunCommand, PrintsSunriseAndSunsetInUtcToTheSecond) {
    const Printed equinox =
        sun({u"--lat"_s, u"0"_s, u"--lon"_s, u"0"_s, u"--date"_s, u"2024-03-20"_s});
    EXPECT_EQ(equinox.code, 0);
    EXPECT_EQ(equinox.lines,
              (QStringList{u"sunrise 2024-03-20T06:03:58Z"_s, u"sunset 2024-03-20T18:10:37Z"_s}));

    const Printed polar =
        sun({u"--lat"_s, u"78"_s, u"--lon"_s, u"15"_s, u"--date"_s, u"2024-06-21"_s});
    EXPECT_EQ(polar.lines, QStringList{u"none"_s});
}

TEST(SunCommand, FindsPlacesOfflineAndNarrowsByRegion) {
    const Printed mumbai = sun({u"--place"_s, u"Mumbai"_s, u"--date"_s, u"2024-03-20"_s});
    ASSERT_EQ(mumbai.code, 0);
    ASSERT_EQ(mumbai.lines.size(), 3);
    EXPECT_TRUE(mumbai.lines[0].startsWith(u"place Mumbai, India 19.07"_s));

    const Printed texas = sun({u"--place"_s, u"Paris, Texas"_s});
    ASSERT_EQ(texas.code, 0);
    EXPECT_TRUE(texas.lines[0].startsWith(u"place Paris, United States of America 33.66"_s));

    const Printed accents = sun({u"--place"_s, u"sao paulo, brasil"_s});
    EXPECT_EQ(accents.code, 1);
    const Printed accented = sun({u"--place"_s, u"sao paulo, brazil"_s});
    EXPECT_TRUE(accented.lines.value(0).startsWith(u"place São Paulo, Brazil"_s));
}

TEST(SunCommand, UnknownPlacesAndBadArgumentsFail) {
    const Printed nowhere = sun({u"--place"_s, u"Xyzzyville"_s});
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_EQ(nowhere.err.trimmed(), u"tessel: Couldn't find that place. Try a nearby city."_s);
    EXPECT_TRUE(nowhere.lines.isEmpty());

    EXPECT_EQ(sun({u"--lat"_s, u"10"_s}).code, 2);
    EXPECT_EQ(sun({u"--lat"_s, u"95"_s, u"--lon"_s, u"0"_s}).code, 1);
    EXPECT_EQ(sun({u"--lat"_s, u"1"_s, u"--lon"_s, u"1"_s, u"--date"_s, u"2024-13-01"_s}).code, 1);
    EXPECT_EQ(sun({u"--place"_s, u"Oslo"_s, u"--lat"_s, u"1"_s}).code, 2);
}

} // namespace
} // namespace tessel
