#include "FakeDesktopServices.h"
#include "TestDesktop.h"
#include "platform/desktop/PowerSource.h"
#include "platform/desktop/SleepWatcher.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/XConnection.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDataStream>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>

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

// An XSETTINGS manager such as xfsettingsd: it owns the screen's selection and publishes
// Net/ThemeName on its window.
class ThemeManager {
public:
    explicit ThemeManager(const QByteArray& theme) {
        m_window = xcb_generate_id(m_x.get());
        xcb_create_window(m_x.get(), XCB_COPY_FROM_PARENT, m_window, m_x.root(), 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        publish(theme);
        const xcb_atom_t selection = m_x.atom("_XSETTINGS_S0");
        xcb_set_selection_owner(m_x.get(), m_window, selection, XCB_CURRENT_TIME);
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = m_x.root();
        message.type = m_x.atom("MANAGER");
        message.data.data32[1] = selection;
        message.data.data32[2] = m_window;
        xcb_send_event(m_x.get(), 0, m_x.root(), XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        m_x.flush();
    }

    ~ThemeManager() {
        xcb_destroy_window(m_x.get(), m_window);
        m_x.flush();
    }

    // Little-endian, one text setting.
    void publish(const QByteArray& theme) {
        const QByteArray name = "Net/ThemeName";
        QByteArray data;
        QDataStream out(&data, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint32{0} << ++m_serial << quint32{1};
        out << quint8{1} << quint8{0} << static_cast<quint16>(name.size());
        writePadded(out, name);
        out << m_serial << static_cast<quint32>(theme.size());
        writePadded(out, theme);
        const xcb_atom_t property = m_x.atom("_XSETTINGS_SETTINGS");
        xcb_change_property(m_x.get(), XCB_PROP_MODE_REPLACE, m_window, property, property, 8,
                            static_cast<uint32_t>(data.size()), data.constData());
        m_x.flush();
    }

private:
    static void writePadded(QDataStream& out, QByteArray text) {
        text.append(QByteArray((4 - text.size() % 4) % 4, '\0'));
        out.writeRawData(text.constData(), static_cast<int>(text.size()));
    }

    XConnection m_x;
    xcb_window_t m_window = 0;
    quint32 m_serial = 0;
};

// Without the portal's colour scheme: GNOME's, then the GTK theme, each followed as it changes.
TEST_F(DesktopServices, AppearanceFallsBackToGnomeAndTheGtkThemeAndFollowsThem) {
    QProcess probe;
    probe.start(QStringLiteral("gsettings"),
                {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                 QStringLiteral("color-scheme")});
    ASSERT_TRUE(probe.waitForFinished() && probe.exitCode() == 0)
        << "gsettings or the GNOME interface schema is missing";
    FakePortal portal; // no preference
    FakeService service(portalService);
    ASSERT_TRUE(service.add(portalPath, portal));
    const auto write = [&](const QString& path, const QByteArray& text) {
        QDir(config.path()).mkpath(QFileInfo(path).path());
        QFile file(config.filePath(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    const auto gnomeScheme = [](const char* scheme) {
        QProcess::execute(QStringLiteral("gsettings"),
                          {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"),
                           QStringLiteral("color-scheme"), QString::fromLatin1(scheme)});
    };
    const QString gtk3 = QStringLiteral("gtk-3.0/settings.ini");
    const QString gtk4 = QStringLiteral("gtk-4.0/settings.ini");
    const auto platform = makePlatform();
    ASSERT_FALSE(platform->systemIsDark());
    QSignalSpy spy(platform.get(), &Platform::appearanceChanged);
    std::optional<ThemeManager> manager;

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
        {"a settings manager starts with a dark theme", [&] { manager.emplace("Greybird-dark"); },
         true},
        {"it changes to a light theme", [&] { manager->publish("Greybird"); }, false},
        {"GNOME prefers dark", [&] { gnomeScheme("prefer-dark"); }, true},
        {"the portal prefers light",
         [&] {
             settingChanged(service, QStringLiteral("org.freedesktop.appearance"),
                            QStringLiteral("color-scheme"), QVariant::fromValue(2u));
         },
         false},
    };
    int changes = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        ++changes;
        ASSERT_TRUE(waitFor([&] { return spy.size() == changes; }));
        EXPECT_EQ(platform->systemIsDark(), step.dark);
    }
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
