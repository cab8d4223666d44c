#include "DesktopTest.h"
#include "FakeDesktopServices.h"
#include "platform/x11/PowerSource.h"
#include "platform/x11/SleepWatcher.h"
#include "platform/x11/X11Platform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace tessel {
namespace {

using test::FakePortal;
using test::FakeService;
using test::FakeUPower;

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString upowerService = QStringLiteral("org.freedesktop.UPower");
const QString upowerPath = QStringLiteral("/org/freedesktop/UPower");

// The services under test talk to the private session bus of the test desktop, where each
// test registers the fakes it needs.
class DesktopServices : public test::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) {
            return;
        }
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
        return std::make_unique<X11Platform>(config.filePath(QStringLiteral("tessel")));
    }

    static void settingChanged(FakeService& service, const QString& group, const QString& key,
                               const QVariant& value) {
        service.emitSignal(portalPath, QStringLiteral("org.freedesktop.portal.Settings"),
                           QStringLiteral("SettingChanged"),
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
    settingChanged(service, QStringLiteral("org.freedesktop.appearance"),
                   QStringLiteral("color-scheme"), QVariant::fromValue(2u));
    ASSERT_TRUE(test::waitUntil([&] { return spy.size() == 1; }));
    EXPECT_FALSE(platform->systemIsDark());

    settingChanged(service, QStringLiteral("org.freedesktop.appearance"),
                   QStringLiteral("color-scheme"), QVariant::fromValue(1u));
    ASSERT_TRUE(test::waitUntil([&] { return spy.size() == 2; }));
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
    QFile kdeglobals(config.filePath(QStringLiteral("kdeglobals")));
    ASSERT_TRUE(kdeglobals.open(QIODevice::WriteOnly));
    kdeglobals.write("[General]\nAnimationDurationFactor=1\n[KDE]\nAnimationDurationFactor=0\n");
    kdeglobals.close();
    EXPECT_TRUE(platform->reduceMotion());

    ASSERT_TRUE(kdeglobals.open(QIODevice::WriteOnly));
    kdeglobals.write("[KDE]\nAnimationDurationFactor=0.5\n");
    kdeglobals.close();
    EXPECT_FALSE(platform->reduceMotion());

    settingChanged(service, QStringLiteral("org.gnome.desktop.interface"),
                   QStringLiteral("enable-animations"), false);
    EXPECT_TRUE(test::waitUntil([&] { return platform->reduceMotion(); }));
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
        service.emitSignal(
            upowerPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"),
            {upowerService, QVariantMap{{QStringLiteral("OnBattery"), battery}}, QStringList()});
    };
    announce(false);
    ASSERT_TRUE(test::waitUntil([&] { return !spy.isEmpty(); }));
    EXPECT_FALSE(power.onBattery());
    // Each announcement is waited for, so that the next one cannot overtake it.
    announce(false); // no change
    announce(true);
    ASSERT_TRUE(test::waitUntil([&] { return spy.size() >= 2; }));
    EXPECT_TRUE(power.onBattery());
    EXPECT_FALSE(test::waitUntil([&] { return spy.size() > 2; }, std::chrono::milliseconds(300)))
        << "an unchanged value was announced as a change";
}

TEST_F(DesktopServices, WithoutUPowerTheMainsSuppliesDecide) {
    const auto supply = [&](const QString& name, const QByteArray& type, const QByteArray& online) {
        QDir(config.path()).mkpath(name);
        for (const auto& [file, text] : {std::pair{QStringLiteral("type"), type},
                                         std::pair{QStringLiteral("online"), online}}) {
            QFile f(config.filePath(name + u'/' + file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(text + '\n');
        }
    };
    PowerSource power(QDBusConnection::sessionBus(), config.path());
    EXPECT_FALSE(power.onBattery()) << "no information means mains";

    supply(QStringLiteral("BAT0"), "Battery", "0");
    EXPECT_FALSE(power.onBattery());
    supply(QStringLiteral("AC"), "Mains", "0");
    EXPECT_TRUE(power.onBattery());
    supply(QStringLiteral("ADP1"), "Mains", "1");
    EXPECT_FALSE(power.onBattery());
}

TEST_F(DesktopServices, WakingFromSleepIsAnnounced) {
    FakeService login(QStringLiteral("org.freedesktop.login1"));
    SleepWatcher watcher(QDBusConnection::sessionBus());
    // A round trip on the watcher's connection: the bus has its subscription after this.
    QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("x.y"));
    QSignalSpy spy(&watcher, &SleepWatcher::woke);
    const auto prepare = [&](bool sleeping) {
        login.emitSignal(QStringLiteral("/org/freedesktop/login1"),
                         QStringLiteral("org.freedesktop.login1.Manager"),
                         QStringLiteral("PrepareForSleep"), {sleeping});
    };
    prepare(true);
    prepare(false);
    ASSERT_TRUE(test::waitUntil([&] { return !spy.isEmpty(); }));
    EXPECT_EQ(spy.size(), 1);
}

} // namespace
} // namespace tessel
