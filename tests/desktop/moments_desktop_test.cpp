#include "FakeService.h"
#include "TestDesktop.h"
#include "platform/desktop/DisplayInhibitors.h"
#include "platform/x11/X11Platform.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QTemporaryDir>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// One logind inhibitor as ListInhibitors lists it.
struct Inhibitor {
    QString what, who, why, mode;
    uint uid = 0, pid = 0;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Inhibitor& i) {
    argument.beginStructure();
    argument << i.what << i.who << i.why << i.mode << i.uid << i.pid;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Inhibitor& i) {
    argument.beginStructure();
    argument >> i.what >> i.who >> i.why >> i.mode >> i.uid >> i.pid;
    argument.endStructure();
    return argument;
}

} // namespace
} // namespace tessel

Q_DECLARE_METATYPE(tessel::Inhibitor)

namespace tessel {
namespace {

class MomentsOnDesktop : public test::DesktopTest {
protected:
    QTemporaryDir config;
    X11Platform platform{config.path()};
};

TEST_F(MomentsOnDesktop, IdleTimeCountsFromTheLastInput) {
    test::xdotool({u"mousemove"_s, u"200"_s, u"200"_s});
    test::xdotool({u"mousemove"_s, u"300"_s, u"300"_s});
    EXPECT_LT(platform.idleSeconds(), 1);
    EXPECT_TRUE(waitFor([&] { return platform.idleSeconds() >= 1; }, 5s));
}

TEST_F(MomentsOnDesktop, TheDisplayIsHeldAwakeByAnyOfTheThreeServices) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    EXPECT_FALSE(displayKeptAwake(bus, bus)) << "no service answers";

    qDBusRegisterMetaType<Inhibitor>();
    qDBusRegisterMetaType<QList<Inhibitor>>();
    // Read only while displayKeptAwake waits for the answer.
    QList<Inhibitor> inhibitors{{"sleep:idle", "mpv", "video", "delay", 1000, 1},
                                {"shutdown", "apt", "upgrade", "block", 0, 2}};
    test::FakeService logind(u"org.freedesktop.login1"_s);
    logind.answer(u"/org/freedesktop/login1"_s, [&](const QDBusMessage&) {
        return std::optional(QVariantList{QVariant::fromValue(inhibitors)});
    });
    EXPECT_FALSE(displayKeptAwake(bus, bus)) << "idle delayed or only shutdown blocked";
    inhibitors.append({"sleep:idle", "firefox", "video", "block", 1000, 3});
    EXPECT_TRUE(displayKeptAwake(bus, bus));
    inhibitors.clear();

    // GNOME's session manager holds the session idle under flag 8, not suspend's 4.
    std::atomic<uint> gnomeInhibited = 4;
    test::FakeService gnome(u"org.gnome.SessionManager"_s);
    gnome.answer(u"/org/gnome/SessionManager"_s, [&](const QDBusMessage& call) {
        return std::optional(QVariantList{(gnomeInhibited & call.arguments()[0].toUInt()) != 0});
    });
    EXPECT_FALSE(displayKeptAwake(bus, bus));
    gnomeInhibited = 8;
    EXPECT_TRUE(platform.displayKeptAwake());
    gnomeInhibited = 0;

    std::atomic<bool> kdeHeld = false;
    test::FakeService kde(u"org.freedesktop.PowerManagement"_s);
    kde.answer(u"/org/freedesktop/PowerManagement/Inhibit"_s,
               [&](const QDBusMessage&) { return std::optional(QVariantList{kdeHeld.load()}); });
    EXPECT_FALSE(displayKeptAwake(bus, bus));
    kdeHeld = true;
    EXPECT_TRUE(platform.displayKeptAwake());
}

} // namespace
} // namespace tessel
