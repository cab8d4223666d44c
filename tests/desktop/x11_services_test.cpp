#include "FakeDesktopServices.h"
#include "TestDesktop.h"
#include "platform/x11/PowerSource.h"
#include "platform/x11/SleepWatcher.h"
#include "platform/x11/X11Platform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using test::FakePortal;
using test::FakeService;
using test::FakeUPower;

const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString upowerService = u"org.freedesktop.UPower"_s;
const QString upowerPath = u"/org/freedesktop/UPower"_s;

// The services under test talk to the private session bus of the test desktop, where each
// test registers the fakes it needs.
class DesktopServices : public test::DesktopTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }

    void TearDown() override {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("TESSEL_REDUCE_MOTION");
        DesktopTest::TearDown();
    }

    std::unique_ptr<X11Platform> makePlatform() {
        return std::make_unique<X11Platform>(config.filePath(u"tessel"_s));
    }

    static void settingChanged(FakeService& service, const QString& group, const QString& key,
                               const QVariant& value) {
        service.emitSignal(portalPath, u"org.freedesktop.portal.Settings"_s, u"SettingChanged"_s,
                           {group, key, QVariant::fromValue(QDBusVariant(value))});
    }

    QTemporaryDir config;
};

TEST_F(DesktopServices, AppearanceFollowsTheSettingsPortal) {
    FakePortal portal;
    portal.colorScheme = 1;
    FakeService service(portalService);
    ASSERT_TRUE(service.add(portalPath, portal));

    const auto platform = makePlatform();
    EXPECT_TRUE(platform->systemIsDark());

    QSignalSpy spy(platform.get(), &Platform::appearanceChanged);
    settingChanged(service, u"org.freedesktop.appearance"_s, u"color-scheme"_s,
                   QVariant::fromValue(2u));
    ASSERT_TRUE(waitFor([&] { return spy.size() == 1; }));
    EXPECT_FALSE(platform->systemIsDark());

    settingChanged(service, u"org.freedesktop.appearance"_s, u"color-scheme"_s,
                   QVariant::fromValue(1u));
    ASSERT_TRUE(waitFor([&] { return spy.size() == 2; }));
    EXPECT_TRUE(platform->systemIsDark());
}

TEST_F(DesktopServices, AnOlderPortalIsReadThroughItsNestedVariant) {
    FakePortal values;
    values.colorScheme = 1;
    test::OldFakePortal portal(values);
    FakeService service(portalService);
    ASSERT_TRUE(service.add(portalPath, portal));

    EXPECT_TRUE(makePlatform()->systemIsDark());
}

TEST_F(DesktopServices, ReduceMotionFromGnomeKdeOrTheEnvironment) {
    FakePortal portal;
    FakeService service(portalService);
    ASSERT_TRUE(service.add(portalPath, portal));

    portal.animations = true;
    EXPECT_FALSE(makePlatform()->reduceMotion());

    qputenv("TESSEL_REDUCE_MOTION", "1");
    EXPECT_TRUE(makePlatform()->reduceMotion());
    qunsetenv("TESSEL_REDUCE_MOTION");

    portal.animations = false;
    EXPECT_TRUE(makePlatform()->reduceMotion());

    portal.animations = true;
    const auto platform = makePlatform();
    QFile kdeglobals(config.filePath(u"kdeglobals"_s));
    ASSERT_TRUE(kdeglobals.open(QIODevice::WriteOnly));
    kdeglobals.write("[General]\nAnimationDurationFactor=1\n[KDE]\nAnimationDurationFactor=0\n");
    kdeglobals.close();
    EXPECT_TRUE(platform->reduceMotion());

    ASSERT_TRUE(kdeglobals.open(QIODevice::WriteOnly));
    kdeglobals.write("[KDE]\nAnimationDurationFactor=0.5\n");
    kdeglobals.close();
    EXPECT_FALSE(platform->reduceMotion());

    settingChanged(service, u"org.gnome.desktop.interface"_s, u"enable-animations"_s, false);
    EXPECT_TRUE(waitFor([&] { return platform->reduceMotion(); }));
}

TEST_F(DesktopServices, PowerFollowsUPower) {
    FakeUPower upower;
    upower.battery = true;
    FakeService service(upowerService);
    ASSERT_TRUE(service.add(upowerPath, upower));

    PowerSource power(QDBusConnection::sessionBus(), config.path());
    EXPECT_TRUE(power.onBattery());

    QSignalSpy spy(&power, &PowerSource::changed);
    const auto announce = [&](bool battery) {
        service.emitSignal(upowerPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s,
                           {upowerService, QVariantMap{{u"OnBattery"_s, battery}}, QStringList()});
    };
    announce(false);
    ASSERT_TRUE(waitFor([&] { return !spy.isEmpty(); }));
    EXPECT_FALSE(power.onBattery());
    // Each announcement is waited for, so that the next one cannot overtake it.
    announce(false); // no change
    announce(true);
    ASSERT_TRUE(waitFor([&] { return spy.size() >= 2; }));
    EXPECT_TRUE(power.onBattery());
    EXPECT_FALSE(waitFor([&] { return spy.size() > 2; }, std::chrono::milliseconds(300)))
        << "an unchanged value was announced as a change";
}

TEST_F(DesktopServices, WithoutUPowerTheMainsSuppliesDecide) {
    const auto supply = [&](const QString& name, const QByteArray& type, const QByteArray& online) {
        QDir(config.path()).mkpath(name);
        for (const auto& [file, text] :
             {std::pair{u"type"_s, type}, std::pair{u"online"_s, online}}) {
            QFile f(config.filePath(name + u'/' + file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(text + '\n');
        }
    };
    PowerSource power(QDBusConnection::sessionBus(), config.path());
    EXPECT_FALSE(power.onBattery()) << "no information means mains";

    supply(u"BAT0"_s, "Battery", "0");
    EXPECT_FALSE(power.onBattery());
    supply(u"AC"_s, "Mains", "0");
    EXPECT_TRUE(power.onBattery());
    supply(u"ADP1"_s, "Mains", "1");
    EXPECT_FALSE(power.onBattery());
}

TEST_F(DesktopServices, WakingFromSleepIsAnnounced) {
    FakeService login(u"org.freedesktop.login1"_s);
    SleepWatcher watcher(QDBusConnection::sessionBus());
    // A round trip on the watcher's connection: the bus has its subscription after this.
    QDBusConnection::sessionBus().interface()->isServiceRegistered(u"x.y"_s);
    QSignalSpy spy(&watcher, &SleepWatcher::woke);
    const auto prepare = [&](bool sleeping) {
        login.emitSignal(u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
                         u"PrepareForSleep"_s, {sleeping});
    };
    prepare(true);
    prepare(false);
    ASSERT_TRUE(waitFor([&] { return !spy.isEmpty(); }));
    EXPECT_EQ(spy.size(), 1);
}

} // namespace
} // namespace tessel
