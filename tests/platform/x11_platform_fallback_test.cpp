#include "platform/x11/Autostart.h"
#include "platform/x11/DesktopEntries.h"
#include "platform/x11/X11Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
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
    X11Platform platform(config.filePath(QStringLiteral("tessel")));
    EXPECT_FALSE(platform.frontmostApp().has_value());
    EXPECT_TRUE(platform.runningApps().isEmpty());
    EXPECT_FALSE(platform.frontWindowRect(1234).has_value());
    EXPECT_FALSE(platform.compositorRunning());
    for (const ScreenInfo& screen : platform.screens()) {
        EXPECT_TRUE(platform.captureScreen(screen.id, QSize(32, 20)).isNull());
    }
}

TEST_F(WithoutADisplay, TheLoginItemIsAnXdgAutostartEntry) {
    X11Platform platform(config.filePath(QStringLiteral("tessel")));
    const QString entry = config.filePath(QStringLiteral("autostart/com.corvane.Tessel.desktop"));
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
        const QString path = root.filePath(dir + QStringLiteral("/applications/") + relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    DesktopEntries entries() {
        return DesktopEntries(
            {root.filePath(QStringLiteral("home")), root.filePath(QStringLiteral("system"))});
    }

    QTemporaryDir root;
};

TEST_F(DesktopEntryLookup, TheUsersEntriesShadowTheSystems) {
    write(QStringLiteral("system"), QStringLiteral("org.example.Editor.desktop"),
          "[Desktop Entry]\nName=Editor\nStartupWMClass=edit\n");
    write(QStringLiteral("home"), QStringLiteral("org.example.Editor.desktop"),
          "[Desktop Entry]\nName=My Editor\nStartupWMClass=edit\n");
    write(QStringLiteral("home"), QStringLiteral("org.example.Viewer.desktop"),
          "[Desktop Entry]\nName=Viewer\nHidden=true\n");
    write(QStringLiteral("system"), QStringLiteral("org.example.Viewer.desktop"),
          "[Desktop Entry]\nName=Viewer\nStartupWMClass=view\n");

    DesktopEntries lookup = entries();
    EXPECT_EQ(lookup.idForWindowClass(QStringLiteral("Edit"), QStringLiteral("edit")),
              QStringLiteral("org.example.Editor"));
    EXPECT_EQ(lookup.name(QStringLiteral("org.example.Editor")), QStringLiteral("My Editor"));
    EXPECT_FALSE(lookup.idForWindowClass(QStringLiteral("View"), QStringLiteral("view")));
    EXPECT_FALSE(lookup.name(QStringLiteral("org.example.Viewer")));
}

TEST_F(DesktopEntryLookup, MatchesByStartupClassThenByFileName) {
    write(QStringLiteral("system"), QStringLiteral("kde/okular.desktop"),
          "[Desktop Entry]\nName=Okular\n");
    write(QStringLiteral("system"), QStringLiteral("firefox-esr.desktop"),
          "[Desktop Entry]\nName=Firefox ESR\nStartupWMClass=Firefox-esr\n"
          "[Desktop Action new-window]\nName=New Window\nStartupWMClass=nothing\n");
    write(QStringLiteral("system"), QStringLiteral("Navigator.desktop"),
          "[Desktop Entry]\nName=Not Firefox\n");

    DesktopEntries lookup = entries();
    EXPECT_EQ(lookup.idForWindowClass(QStringLiteral("firefox-esr"), QStringLiteral("Navigator")),
              QStringLiteral("firefox-esr"));
    EXPECT_EQ(lookup.name(QStringLiteral("firefox-esr")), QStringLiteral("Firefox ESR"));
    EXPECT_EQ(lookup.idForWindowClass(QStringLiteral("kde-Okular"), QString()),
              QStringLiteral("kde-okular"));
    EXPECT_FALSE(lookup.idForWindowClass(QStringLiteral("nothing"), QString()));
}

TEST_F(DesktopEntryLookup, FindsAnAppByIdThenByIdIgnoringCaseThenByStartupClass) {
    write(QStringLiteral("system"), QStringLiteral("org.gimp.GIMP.desktop"),
          "[Desktop Entry]\nType=Application\nName=GNU Image Manipulation Program\n"
          "Icon=org.gimp.GIMP\nStartupWMClass=gimp-2.10\n");
    write(QStringLiteral("system"), QStringLiteral("org.gimp.gimp.desktop"),
          "[Desktop Entry]\nType=Application\nName=Lower GIMP\n");
    write(QStringLiteral("system"), QStringLiteral("darktable.desktop"),
          "[Desktop Entry]\nType=Application\nName=darktable\nIcon=/opt/dt/icon.svg\n");

    DesktopEntries lookup = entries();
    EXPECT_EQ(lookup.app(QStringLiteral("org.gimp.GIMP")),
              InstalledApp({"org.gimp.GIMP", "GNU Image Manipulation Program", "org.gimp.GIMP"}));
    EXPECT_EQ(lookup.app(QStringLiteral("org.gimp.gimp"))->name, u"Lower GIMP");
    EXPECT_EQ(lookup.app(QStringLiteral("DarkTable")),
              InstalledApp({"darktable", "darktable", "/opt/dt/icon.svg"}));
    EXPECT_EQ(lookup.app(QStringLiteral("GIMP-2.10"))->id, u"org.gimp.GIMP");
    EXPECT_FALSE(lookup.app(QStringLiteral("org.inkscape.Inkscape")));
}

TEST_F(DesktopEntryLookup, ListsOnlyTheApplicationsALauncherShowsByName) {
    write(QStringLiteral("system"), QStringLiteral("zebra.desktop"),
          "[Desktop Entry]\nType=Application\nName=Zebra\n");
    write(QStringLiteral("system"), QStringLiteral("apple.desktop"),
          "[Desktop Entry]\nType=Application\nName=Apple\nIcon=apple\n");
    write(QStringLiteral("system"), QStringLiteral("helper.desktop"),
          "[Desktop Entry]\nType=Application\nName=Helper\nNoDisplay=true\n");
    write(QStringLiteral("system"), QStringLiteral("site.desktop"),
          "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org\n");
    write(QStringLiteral("home"), QStringLiteral("zebra.desktop"),
          "[Desktop Entry]\nType=Application\nName=Zebra\nHidden=true\n");

    DesktopEntries lookup = entries();
    const QList<InstalledApp> apps = lookup.visibleApps();
    ASSERT_EQ(apps.size(), 1);
    EXPECT_EQ(apps[0], InstalledApp({"apple", "Apple", "apple"}));
    EXPECT_EQ(lookup.app(QStringLiteral("helper"))->name, u"Helper");
}

} // namespace
} // namespace tessel
