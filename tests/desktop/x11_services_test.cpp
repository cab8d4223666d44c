#include "FakeService.h"
#include "Files.h"
#include "TestDesktop.h"
#include "platform/desktop/PowerSource.h"
#include "platform/desktop/SleepWatcher.h"
#include "platform/x11/X11Platform.h"

#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString upowerService = u"org.freedesktop.UPower"_s;
const QString upowerPath = u"/org/freedesktop/UPower"_s;
const QString appearance = u"org.freedesktop.appearance"_s;
constexpr uint prefersDark = 1;
constexpr uint prefersLight = 2;

// The services under test talk to the private session bus of the test desktop, where each
// test serves the stand-ins it needs.
class DesktopServices : public test::DesktopTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        // GSettings in a file under the private config home, never the user's own.
        qputenv("GSETTINGS_BACKEND", "keyfile");
    }

    void TearDown() override {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("GSETTINGS_BACKEND");
        qunsetenv("TESSEL_REDUCE_MOTION");
        DesktopTest::TearDown();
    }

    std::unique_ptr<X11Platform> makePlatform() {
        return std::make_unique<X11Platform>(config.filePath(u"tessel"_s));
    }

    // The settings portal as xdg-desktop-portal serves it: ReadOne, and the older Read whose
    // answer is wrapped in a second variant; a portal from before ReadOne has Read alone.
    void servePortal(bool readOne = true) {
        portal.emplace(u"org.freedesktop.portal.Desktop"_s);
        portal->answer(portalPath, [this, readOne](const QDBusMessage& call) {
            const QString key = call.arguments().value(1).toString();
            const QVariant value =
                key == u"color-scheme" ? QVariant(colorScheme.load()) : QVariant(animations.load());
            const auto wrapped = QVariant::fromValue(QDBusVariant(value));
            if (call.member() == u"Read") {
                return std::optional(QVariantList{QVariant::fromValue(QDBusVariant(wrapped))});
            }
            return call.member() == u"ReadOne" && readOne ? std::optional(QVariantList{wrapped})
                                                          : std::nullopt;
        });
    }

    void settingChanged(const QString& group, const QString& key, const QVariant& value) {
        portal->emitSignal(portalPath, u"org.freedesktop.portal.Settings"_s, u"SettingChanged"_s,
                           {group, key, QVariant::fromValue(QDBusVariant(value))});
    }

    void write(const QString& path, const QByteArray& text) {
        ASSERT_TRUE(test::writeFile(config.filePath(path), text));
    }

    QTemporaryDir config;
    std::atomic<uint> colorScheme{0};
    std::atomic<bool> animations{true};
    std::optional<test::FakeService> portal;
};

// Changes the portal announces are followed through the GNOME fallbacks below.
TEST_F(DesktopServices, AppearanceIsReadFromTheSettingsPortalOldOrNew) {
    colorScheme = prefersDark;
    for (const bool readOne : {true, false}) {
        servePortal(readOne);
        EXPECT_TRUE(makePlatform()->systemIsDark()) << readOne;
    }
}

// Without the portal's colour scheme: GNOME's, then the GTK theme, each followed as it changes.
TEST_F(DesktopServices, AppearanceFallsBackToGnomeAndTheGtkThemeAndFollowsThem) {
    servePortal(); // with no preference
    const QString gtk3 = u"gtk-3.0/settings.ini"_s;
    const QString gtk4 = u"gtk-4.0/settings.ini"_s;
    const auto platform = makePlatform();
    ASSERT_FALSE(platform->systemIsDark());
    QSignalSpy spy(platform.get(), &Platform::appearanceChanged);
    // A running XSETTINGS manager, which rereads its file when told to.
    std::unique_ptr<test::ChildProcess> manager;
    const QString managed = u"xsettingsd.conf"_s;

    const struct {
        const char* name;
        std::function<void()> change;
        bool dark;
    } steps[] = {
        {"GTK 3 names a dark theme",
         [&] { write(gtk3, "[Settings]\ngtk-theme-name=Adwaita-dark\n"); }, true},
        {"and then a light one", [&] { write(gtk3, "[Settings]\ngtk-theme-name=Adwaita\n"); },
         false},
        {"GTK 4 prefers dark",
         [&] { write(gtk4, "[Settings]\ngtk-application-prefer-dark-theme=true\n"); }, true},
        {"GTK 4 no longer does", [&] { QFile::remove(config.filePath(gtk4)); }, false},
        {"a settings manager starts with a dark theme",
         [&] {
             write(managed, "Net/ThemeName \"Greybird-dark\"\n");
             manager = std::make_unique<test::ChildProcess>(
                 std::vector<std::string>{"xsettingsd", "-c",
                                          config.filePath(managed).toStdString()},
                 config.filePath(u"xsettingsd.log"_s));
         },
         true},
        {"it changes to a light theme",
         [&] {
             write(managed, "Net/ThemeName \"Greybird\"\n");
             ::kill(manager->pid(), SIGHUP);
         },
         false},
        {"GNOME prefers dark",
         [&] {
             EXPECT_TRUE(test::runTool(u"gsettings"_s, {u"set"_s, u"org.gnome.desktop.interface"_s,
                                                        u"color-scheme"_s, u"prefer-dark"_s}))
                 << "the GNOME interface schema is missing";
         },
         true},
        {"the portal prefers light",
         [&] { settingChanged(appearance, u"color-scheme"_s, prefersLight); }, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const qsizetype before = spy.size();
        step.change();
        ASSERT_TRUE(waitFor([&] { return spy.size() == before + 1; }));
        EXPECT_EQ(platform->systemIsDark(), step.dark);
    }
}

TEST_F(DesktopServices, ReduceMotionFromGnomeKdeOrTheEnvironment) {
    servePortal();
    EXPECT_FALSE(makePlatform()->reduceMotion());
    animations = false;
    EXPECT_TRUE(makePlatform()->reduceMotion());

    animations = true;
    const auto platform = makePlatform();
    qputenv("TESSEL_REDUCE_MOTION", "1");
    EXPECT_TRUE(platform->reduceMotion());
    qunsetenv("TESSEL_REDUCE_MOTION");
    write(u"kdeglobals"_s,
          "[General]\nAnimationDurationFactor=1\n[KDE]\nAnimationDurationFactor=0\n");
    EXPECT_TRUE(platform->reduceMotion());
    write(u"kdeglobals"_s, "[KDE]\nAnimationDurationFactor=0.5\n");
    EXPECT_FALSE(platform->reduceMotion());
    settingChanged(u"org.gnome.desktop.interface"_s, u"enable-animations"_s, false);
    EXPECT_TRUE(waitFor([&] { return platform->reduceMotion(); }));
}

TEST_F(DesktopServices, PowerFollowsUPower) {
    test::FakeService upower(upowerService);
    upower.answer(upowerPath, [](const QDBusMessage& call) {
        return test::property(call, u"OnBattery"_s, true);
    });
    PowerSource power(QDBusConnection::sessionBus(), config.path());
    EXPECT_TRUE(power.onBattery());

    QList<bool> seen;
    QObject::connect(&power, &PowerSource::changed, [&] { seen << power.onBattery(); });
    const auto announce = [&](bool onBattery) {
        upower.emitSignal(upowerPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s,
                          {upowerService, QVariantMap{{u"OnBattery"_s, onBattery}}, QStringList()});
    };
    // The first change is waited for, so that the ones after it cannot overtake it.
    announce(false);
    ASSERT_TRUE(waitFor([&] { return !seen.isEmpty(); }));
    announce(false);
    announce(true);
    ASSERT_TRUE(waitFor([&] { return seen.size() >= 2; }));
    EXPECT_EQ(seen, (QList<bool>{false, true})) << "an unchanged value was announced as a change";
}

TEST_F(DesktopServices, WithoutUPowerTheMainsSuppliesDecide) {
    PowerSource power(QDBusConnection::sessionBus(), config.path());
    EXPECT_FALSE(power.onBattery()) << "no information means mains";
    const struct {
        const char* supply;
        QByteArray type;
        QByteArray online;
        bool onBattery;
    } supplies[] = {
        {"BAT0", "Battery", "0", false},
        {"AC", "Mains", "0", true},
        {"ADP1", "Mains", "1", false},
    };
    for (const auto& [supply, type, online, onBattery] : supplies) {
        write(QString::fromLatin1(supply) + u"/type"_s, type + '\n');
        write(QString::fromLatin1(supply) + u"/online"_s, online + '\n');
        EXPECT_EQ(power.onBattery(), onBattery) << supply;
    }
}

TEST_F(DesktopServices, WakingFromSleepIsAnnounced) {
    test::FakeService login(u"org.freedesktop.login1"_s);
    SleepWatcher watcher(QDBusConnection::sessionBus());
    // A round trip on the watcher's connection: the bus has its subscription after this.
    QDBusConnection::sessionBus().interface()->isServiceRegistered(u"x.y"_s);
    QSignalSpy spy(&watcher, &SleepWatcher::woke);
    for (const bool sleeping : {true, false}) {
        login.emitSignal(u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
                         u"PrepareForSleep"_s, {sleeping});
    }
    ASSERT_TRUE(waitFor([&] { return !spy.isEmpty(); }));
    EXPECT_EQ(spy.size(), 1);
}

} // namespace
} // namespace tessel
