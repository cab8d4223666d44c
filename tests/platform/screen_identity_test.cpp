#include "platform/x11/ScreenIdentity.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

TEST(ScreenIdentity, IsAStableUpperCaseUuidPerMonitor) {
    const QString id = screenIdentifier(u"DEL"_s, u"U2720Q"_s, u"ABC123"_s, u"DP-1"_s);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-"
                                                  "[0-9A-F]{4}-[0-9A-F]{12}$"))
                    .match(id)
                    .hasMatch())
        << id.toStdString();
    // The same monitor on another port keeps its identity.
    EXPECT_EQ(id, screenIdentifier(u"DEL"_s, u"U2720Q"_s, u"ABC123"_s, u"HDMI-1"_s));
    EXPECT_NE(id, screenIdentifier(u"DEL"_s, u"U2720Q"_s, u"ABC124"_s, u"DP-1"_s));
}

TEST(ScreenIdentity, MonitorsWithoutEdidAreKnownByTheirOutput) {
    const QString first = screenIdentifier({}, {}, {}, u"screen"_s);
    EXPECT_EQ(first, screenIdentifier({}, {}, {}, u"screen"_s));
    EXPECT_NE(first, screenIdentifier({}, {}, {}, u"VGA-1"_s));
}

} // namespace
} // namespace tessel
