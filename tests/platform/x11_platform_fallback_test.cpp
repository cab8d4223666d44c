#include "CaptureNow.h"
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
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }

    void TearDown() override {
        qunsetenv("XDG_CONFIG_HOME");
        if (!display.isEmpty()) {
            qputenv("DISPLAY", display);
        }
    }

    QTemporaryDir config;
    QByteArray display;
};

TEST_F(WithoutADisplay, EveryReadingFallsBackQuietly) {
    X11Platform platform(config.filePath(u"tessel"_s));
    EXPECT_FALSE(platform.frontmostApp().has_value());
    EXPECT_TRUE(platform.runningApps().isEmpty());
    EXPECT_FALSE(platform.frontWindowRect(1234).has_value());
    EXPECT_FALSE(platform.compositorRunning());
    for (const ScreenInfo& screen : platform.screens()) {
        EXPECT_TRUE(captureNow(platform, screen.id, QSize(32, 20)).isNull());
    }
}

TEST_F(WithoutADisplay, TheLoginItemIsAnXdgAutostartEntry) {
    X11Platform platform(config.filePath(u"tessel"_s));
    const QString entry = config.filePath(u"autostart/com.corvane.Tessel.desktop"_s);
    EXPECT_FALSE(platform.isLoginItem());

    platform.setLoginItem(true);
    EXPECT_TRUE(platform.isLoginItem());
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    // By its absolute path: a login's PATH may not hold it.
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8();
    ASSERT_TRUE(program.startsWith('/'));
    EXPECT_TRUE(text.contains("\nExec=" + program + "\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nX-GNOME-Autostart-enabled=true\n"));

    platform.setLoginItem(true);
    EXPECT_TRUE(platform.isLoginItem());
    platform.setLoginItem(false);
    EXPECT_FALSE(platform.isLoginItem());
    EXPECT_FALSE(QFile::exists(entry));
    platform.setLoginItem(false);
    EXPECT_FALSE(platform.isLoginItem());
}

class DesktopEntryLookup : public ::testing::Test {
protected:
    void write(const QString& dir, const QString& relative, const QByteArray& text) {
        const QString path = root.filePath(dir + u"/applications/"_s + relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    DesktopEntries entries() {
        return DesktopEntries({root.filePath(u"home"_s), root.filePath(u"system"_s)});
    }

    QTemporaryDir root;
};

TEST_F(DesktopEntryLookup, TheUsersEntriesShadowTheSystems) {
    write(u"system"_s, u"org.example.Editor.desktop"_s,
          "[Desktop Entry]\nName=Editor\nStartupWMClass=edit\n");
    write(u"home"_s, u"org.example.Editor.desktop"_s,
          "[Desktop Entry]\nName=My Editor\nStartupWMClass=edit\n");
    write(u"home"_s, u"org.example.Viewer.desktop"_s,
          "[Desktop Entry]\nName=Viewer\nHidden=true\n");
    write(u"system"_s, u"org.example.Viewer.desktop"_s,
          "[Desktop Entry]\nName=Viewer\nStartupWMClass=view\n");

    DesktopEntries lookup = entries();
    EXPECT_EQ(lookup.idForWindowClass(u"Edit"_s, u"edit"_s), u"org.example.Editor"_s);
    EXPECT_EQ(lookup.name(u"org.example.Editor"_s), u"My Editor"_s);
    EXPECT_FALSE(lookup.idForWindowClass(u"View"_s, u"view"_s));
    EXPECT_FALSE(lookup.name(u"org.example.Viewer"_s));
}

TEST_F(DesktopEntryLookup, MatchesByStartupClassThenByFileName) {
    write(u"system"_s, u"kde/okular.desktop"_s, "[Desktop Entry]\nName=Okular\n");
    write(u"system"_s, u"firefox-esr.desktop"_s,
          "[Desktop Entry]\nName=Firefox ESR\nStartupWMClass=Firefox-esr\n"
          "[Desktop Action new-window]\nName=New Window\nStartupWMClass=nothing\n");
    write(u"system"_s, u"Navigator.desktop"_s, "[Desktop Entry]\nName=Not Firefox\n");

    DesktopEntries lookup = entries();
    EXPECT_EQ(lookup.idForWindowClass(u"firefox-esr"_s, u"Navigator"_s), u"firefox-esr"_s);
    EXPECT_EQ(lookup.name(u"firefox-esr"_s), u"Firefox ESR"_s);
    EXPECT_EQ(lookup.idForWindowClass(u"kde-Okular"_s, QString()), u"kde-okular"_s);
    EXPECT_FALSE(lookup.idForWindowClass(u"nothing"_s, QString()));
}

TEST_F(DesktopEntryLookup, FindsAnAppByIdThenByIdIgnoringCaseThenByStartupClass) {
    write(u"system"_s, u"org.gimp.GIMP.desktop"_s,
          "[Desktop Entry]\nType=Application\nName=GNU Image Manipulation Program\n"
          "Icon=org.gimp.GIMP\nStartupWMClass=gimp-2.10\n");
    write(u"system"_s, u"org.gimp.gimp.desktop"_s,
          "[Desktop Entry]\nType=Application\nName=Lower GIMP\n");
    write(u"system"_s, u"darktable.desktop"_s,
          "[Desktop Entry]\nType=Application\nName=darktable\nIcon=/opt/dt/icon.svg\n");

    DesktopEntries lookup = entries();
    EXPECT_EQ(lookup.app(u"org.gimp.GIMP"_s),
              InstalledApp({"org.gimp.GIMP", "GNU Image Manipulation Program", "org.gimp.GIMP"}));
    EXPECT_EQ(lookup.app(u"org.gimp.gimp"_s)->name, u"Lower GIMP");
    EXPECT_EQ(lookup.app(u"DarkTable"_s),
              InstalledApp({"darktable", "darktable", "/opt/dt/icon.svg"}));
    EXPECT_EQ(lookup.app(u"GIMP-2.10"_s)->id, u"org.gimp.GIMP");
    EXPECT_FALSE(lookup.app(u"org.inkscape.Inkscape"_s));
}

TEST_F(DesktopEntryLookup, ListsOnlyTheApplicationsALauncherShowsByName) {
    write(u"system"_s, u"zebra.desktop"_s, "[Desktop Entry]\nType=Application\nName=Zebra\n");
    write(u"system"_s, u"apple.desktop"_s,
          "[Desktop Entry]\nType=Application\nName=Apple\nIcon=apple\n");
    write(u"system"_s, u"helper.desktop"_s,
          "[Desktop Entry]\nType=Application\nName=Helper\nNoDisplay=true\n");
    write(u"system"_s, u"site.desktop"_s,
          "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org\n");
    write(u"home"_s, u"zebra.desktop"_s,
          "[Desktop Entry]\nType=Application\nName=Zebra\nHidden=true\n");

    DesktopEntries lookup = entries();
    const QList<InstalledApp> apps = lookup.visibleApps();
    ASSERT_EQ(apps.size(), 1);
    EXPECT_EQ(apps[0], InstalledApp({"apple", "Apple", "apple"}));
    EXPECT_EQ(lookup.app(u"helper"_s)->name, u"Helper");
}

} // namespace
} // namespace tessel
