#include "platform/desktop/ScreenIdentity.h"

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

const MonitorIdentity dell{QStringLiteral("DEL"), QStringLiteral("U2720Q"),
                           QStringLiteral("ABC123"), QStringLiteral("DP-1")};

MonitorIdentity on(MonitorIdentity monitor, const char* output) {
    monitor.outputName = QString::fromLatin1(output);
    return monitor;
}

MonitorIdentity withSerial(MonitorIdentity monitor, const char* serial) {
    monitor.serialNumber = QString::fromLatin1(serial);
    return monitor;
}

// Stored per-display settings name these identifiers: one must never change between versions.
TEST(ScreenIdentity, IsAStableUpperCaseUuidPerMonitor) {
    const QString id = screenIdentifier(dell);
    EXPECT_EQ(id, u"A1D5D39E-9101-5943-AE82-EE256809A00B"_s);
    // The same monitor on another port keeps its identity.
    EXPECT_EQ(id, screenIdentifier(on(dell, "HDMI-1")));
    EXPECT_NE(id, screenIdentifier(withSerial(dell, "ABC124")));
    // Without EDID, only the output tells monitors apart.
    const MonitorIdentity bare{{}, {}, {}, QStringLiteral("screen")};
    EXPECT_NE(screenIdentifier(bare), screenIdentifier(on(bare, "VGA-1")));
}

// Stored per-display settings name today's identifiers, so only twins may get new ones.
TEST(ScreenIdentity, TwinsAreToldApartByConnectorAndUniqueMonitorsKeepTheirIdentifier) {
    const MonitorIdentity twin = withSerial(dell, "");
    const MonitorIdentity placeholder = withSerial(dell, "0");
    const MonitorIdentity laptop{
        QStringLiteral("BOE"), QStringLiteral("0x0A1B"), {}, QStringLiteral("eDP-1")};
    const struct {
        const char* name;
        QList<MonitorIdentity> monitors;
        QList<bool> keepsOwnIdentifier;
    } rows[] = {
        {"one monitor", {dell}, {true}},
        {"two different monitors", {dell, on(withSerial(dell, "XYZ"), "DP-2")}, {true, true}},
        {"twins without serial beside a laptop",
         {laptop, on(twin, "DP-1"), on(twin, "DP-2")},
         {true, false, false}},
        {"twins with a placeholder serial",
         {on(placeholder, "HDMI-1"), on(placeholder, "DP-3")},
         {false, false}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QStringList ids = screenIdentifiers(row.monitors);
        ASSERT_EQ(ids.size(), row.monitors.size());
        EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        for (qsizetype i = 0; i < ids.size(); ++i) {
            EXPECT_EQ(ids[i] == screenIdentifier(row.monitors[i]), row.keepsOwnIdentifier[i]) << i;
        }
    }
    // A twin keeps its identifier whichever port the other one is on.
    EXPECT_EQ(screenIdentifiers({on(twin, "DP-1"), on(twin, "DP-2")})[0],
              screenIdentifiers({on(twin, "DP-2"), on(twin, "DP-1")})[1]);
}

} // namespace
} // namespace tessel
