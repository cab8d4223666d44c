#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace tessel {
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
    printed.code = runCommandLine(QStringList{QStringLiteral("sun")} + args, outStream, errStream)
                       .value_or(-1);
    outStream.flush();
    errStream.flush();
    printed.lines = out.split(u'\n', Qt::SkipEmptyParts);
    return printed;
}

TEST(SunCommand, PrintsSunriseAndSunsetInUtcToTheSecond) {
    const Printed equinox =
        sun({QStringLiteral("--lat"), QStringLiteral("0"), QStringLiteral("--lon"),
             QStringLiteral("0"), QStringLiteral("--date"), QStringLiteral("2024-03-20")});
    EXPECT_EQ(equinox.code, 0);
    EXPECT_EQ(equinox.lines, (QStringList{QStringLiteral("sunrise 2024-03-20T06:03:58Z"),
                                          QStringLiteral("sunset 2024-03-20T18:10:37Z")}));

    const Printed polar =
        sun({QStringLiteral("--lat"), QStringLiteral("78"), QStringLiteral("--lon"),
             QStringLiteral("15"), QStringLiteral("--date"), QStringLiteral("2024-06-21")});
    EXPECT_EQ(polar.lines, QStringList{QStringLiteral("none")});
}

TEST(SunCommand, FindsPlacesOfflineAndNarrowsByRegion) {
    const Printed mumbai = sun({QStringLiteral("--place"), QStringLiteral("Mumbai"),
                                QStringLiteral("--date"), QStringLiteral("2024-03-20")});
    ASSERT_EQ(mumbai.code, 0);
    ASSERT_EQ(mumbai.lines.size(), 3);
    EXPECT_TRUE(mumbai.lines[0].startsWith(QStringLiteral("place Mumbai, India 19.07")));

    const Printed texas = sun({QStringLiteral("--place"), QStringLiteral("Paris, Texas")});
    ASSERT_EQ(texas.code, 0);
    EXPECT_TRUE(
        texas.lines[0].startsWith(QStringLiteral("place Paris, United States of America 33.66")));

    const Printed accents = sun({QStringLiteral("--place"), QStringLiteral("sao paulo, brasil")});
    EXPECT_EQ(accents.code, 1);
    const Printed accented = sun({QStringLiteral("--place"), QStringLiteral("sao paulo, brazil")});
    EXPECT_TRUE(accented.lines.value(0).startsWith(QStringLiteral("place São Paulo, Brazil")));
}

TEST(SunCommand, UnknownPlacesAndBadArgumentsFail) {
    const Printed nowhere = sun({QStringLiteral("--place"), QStringLiteral("Xyzzyville")});
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_EQ(nowhere.err.trimmed(),
              QStringLiteral("tessel: Couldn't find that place. Try a nearby city."));
    EXPECT_TRUE(nowhere.lines.isEmpty());

    EXPECT_EQ(sun({QStringLiteral("--lat"), QStringLiteral("10")}).code, 2);
    EXPECT_EQ(sun({QStringLiteral("--lat"), QStringLiteral("95"), QStringLiteral("--lon"),
                   QStringLiteral("0")})
                  .code,
              1);
    EXPECT_EQ(sun({QStringLiteral("--lat"), QStringLiteral("1"), QStringLiteral("--lon"),
                   QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2024-13-01")})
                  .code,
              1);
    EXPECT_EQ(sun({QStringLiteral("--place"), QStringLiteral("Oslo"), QStringLiteral("--lat"),
                   QStringLiteral("1")})
                  .code,
              2);
}

} // namespace
} // namespace tessel
