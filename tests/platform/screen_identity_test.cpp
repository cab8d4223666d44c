#include "platform/x11/ScreenIdentity.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ScreenIdentity, IsAStableUpperCaseUuidPerMonitor) {
    const QString id = screenIdentifier(QStringLiteral("DEL"), QStringLiteral("U2720Q"),
                                        QStringLiteral("ABC123"), QStringLiteral("DP-1"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-"
                                                  "[0-9A-F]{4}-[0-9A-F]{12}$"))
                    .match(id)
                    .hasMatch())
        << id.toStdString();
    // The same monitor on another port keeps its identity.
    EXPECT_EQ(id, screenIdentifier(QStringLiteral("DEL"), QStringLiteral("U2720Q"),
                                   QStringLiteral("ABC123"), QStringLiteral("HDMI-1")));
    EXPECT_NE(id, screenIdentifier(QStringLiteral("DEL"), QStringLiteral("U2720Q"),
                                   QStringLiteral("ABC124"), QStringLiteral("DP-1")));
}

TEST(ScreenIdentity, MonitorsWithoutEdidAreKnownByTheirOutput) {
    const QString first = screenIdentifier({}, {}, {}, QStringLiteral("screen"));
    EXPECT_EQ(first, screenIdentifier({}, {}, {}, QStringLiteral("screen")));
    EXPECT_NE(first, screenIdentifier({}, {}, {}, QStringLiteral("VGA-1")));
}

} // namespace
} // namespace tessel
