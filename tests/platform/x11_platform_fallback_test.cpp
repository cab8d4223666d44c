#include "CaptureNow.h"
#include "Files.h"
#include "platform/desktop/Autostart.h"
#include "platform/desktop/DesktopEntries.h"
#include "platform/x11/X11Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

// Runs with Qt's offscreen platform and no X server at all.
class WithoutADisplay : public ::testing::Test {
protected:
    WithoutADisplay() {
        qunsetenv("DISPLAY");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        platform = std::make_unique<X11Platform>(config.filePath(u"tessel"_s));
    }
    ~WithoutADisplay() override { qunsetenv("XDG_CONFIG_HOME"); }

    QTemporaryDir config;
    std::unique_ptr<X11Platform> platform;
};

TEST_F(WithoutADisplay, EveryReadingFallsBackQuietly) {
    EXPECT_FALSE(platform->frontmostApp().has_value());
    EXPECT_TRUE(platform->runningApps().isEmpty());
    EXPECT_FALSE(platform->frontWindowRect(1234).has_value());
    EXPECT_FALSE(platform->compositorRunning());
    for (const ScreenInfo& screen : platform->screens()) {
        EXPECT_TRUE(captureNow(*platform, screen.id, QSize(32, 20)).isNull());
    }
}

TEST_F(WithoutADisplay, TheLoginItemIsAnXdgAutostartEntry) {
    const QString entry = config.filePath(u"autostart/com.corvane.Tessel.desktop"_s);
    EXPECT_FALSE(platform->isLoginItem());
    platform->setLoginItem(true);
    const QByteArray text = test::readFile(entry);
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    // By its absolute path: a login's PATH may not hold it.
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8();
    EXPECT_TRUE(text.contains("\nExec=" + program + "\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nX-GNOME-Autostart-enabled=true\n"));
    // Asking twice for the same changes nothing.
    for (const bool on : {true, false, false}) {
        platform->setLoginItem(on);
        EXPECT_EQ(platform->isLoginItem(), on);
        EXPECT_EQ(QFile::exists(entry), on);
    }
}

// Entries in a user's and the system's data folders, some shadowing others.
TEST(DesktopEntryLookup, FindsAppsByClassIdOrStartupClassAndListsWhatALauncherShows) {
    QTemporaryDir root;
    const std::pair<const char*, QByteArray> files[] = {
        {"system/org.example.Editor", "Name=Editor\nStartupWMClass=edit\n"},
        {"home/org.example.Editor", "Name=My Editor\nStartupWMClass=edit\n"},
        {"home/org.example.Viewer", "Name=Viewer\nHidden=true\n"},
        {"system/org.example.Viewer", "Name=Viewer\nStartupWMClass=view\n"},
        {"system/kde/okular", "Name=Okular\n"},
        {"system/firefox-esr", "Name=Firefox ESR\nStartupWMClass=Firefox-esr\n"
                               "[Desktop Action new-window]\nName=New Window\n"
                               "StartupWMClass=nothing\n"},
        {"system/Navigator", "Name=Not Firefox\n"},
        {"system/org.gimp.GIMP", "Type=Application\nName=GNU Image Manipulation Program\n"
                                 "Icon=org.gimp.GIMP\nStartupWMClass=gimp-2.10\n"},
        {"system/org.gimp.gimp", "Type=Application\nName=Lower GIMP\n"},
        {"system/darktable", "Type=Application\nName=Darktable\nIcon=/opt/dt/icon.svg\n"},
        {"system/apple", "Type=Application\nName=Apple\nIcon=apple\n"},
        {"system/helper", "Type=Application\nName=Helper\nNoDisplay=true\n"},
        {"system/site", "Type=Link\nName=Site\nURL=https://example.org\n"},
    };
    for (const auto& [file, text] : files) {
        const QString path = QString::fromLatin1(file);
        ASSERT_TRUE(test::writeFile(root.filePath(path.section(u'/', 0, 0) + u"/applications/"_s +
                                                  path.section(u'/', 1) + u".desktop"_s),
                                    "[Desktop Entry]\n" + text));
    }
    DesktopEntries lookup({root.filePath(u"home"_s), root.filePath(u"system"_s)});

    const struct {
        const char* className;
        const char* instance;
        std::optional<QString> id;
    } classes[] = {
        {"Edit", "edit", u"org.example.Editor"_s}, // the user's entry shadows the system's
        {"View", "view", std::nullopt},            // a hidden entry hides the system's
        {"firefox-esr", "Navigator", u"firefox-esr"_s},
        {"kde-Okular", "", u"kde-okular"_s},
        {"nothing", "", std::nullopt}, // an action's StartupWMClass is not the app's
    };
    for (const auto& [className, instance, id] : classes) {
        EXPECT_EQ(
            lookup.idForWindowClass(QString::fromLatin1(className), QString::fromLatin1(instance)),
            id)
            << className;
    }
    EXPECT_EQ(lookup.name(u"org.example.Editor"_s), u"My Editor"_s);
    EXPECT_EQ(lookup.name(u"firefox-esr"_s), u"Firefox ESR"_s);
    EXPECT_FALSE(lookup.name(u"org.example.Viewer"_s));

    EXPECT_EQ(lookup.app(u"org.gimp.GIMP"_s),
              InstalledApp({"org.gimp.GIMP", "GNU Image Manipulation Program", "org.gimp.GIMP"}));
    EXPECT_EQ(lookup.app(u"org.gimp.gimp"_s)->name, u"Lower GIMP");
    EXPECT_EQ(lookup.app(u"DarkTable"_s)->id, u"darktable");
    EXPECT_EQ(lookup.app(u"GIMP-2.10"_s)->id, u"org.gimp.GIMP");
    EXPECT_EQ(lookup.app(u"helper"_s)->name, u"Helper");
    EXPECT_FALSE(lookup.app(u"org.inkscape.Inkscape"_s));

    QStringList listed;
    for (const InstalledApp& app : lookup.visibleApps()) {
        listed << app.id;
    }
    EXPECT_EQ(listed,
              (QStringList{u"apple"_s, u"darktable"_s, u"org.gimp.GIMP"_s, u"org.gimp.gimp"_s}));
    EXPECT_EQ(lookup.visibleApps().value(1),
              InstalledApp({"darktable", "Darktable", "/opt/dt/icon.svg"}));
}

} // namespace
} // namespace tessel
