#include "TestDesktop.h"
#include "platform/x11/X11Platform.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <unistd.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using test::WindowSpec;

// Each test sees only the desktop entries it writes, never the machine's own.
class X11Windows : public test::DesktopTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.isValid());
        qputenv("XDG_DATA_HOME", data.filePath(u"home"_s).toUtf8());
        qputenv("XDG_DATA_DIRS", data.path().toUtf8());
        writeEntry(u"org.example.Notes"_s,
                   "[Desktop Entry]\nName=Notes\nStartupWMClass=NotesWindow\n");
        writeEntry(u"scribble"_s, "[Desktop Entry]\nName=Scribble Pad\n");
        writeEntry(u"org.example.Gone"_s,
                   "[Desktop Entry]\nName=Gone\nStartupWMClass=Gone\nHidden=true\n");
        platform = std::make_unique<X11Platform>(data.filePath(u"config"_s));
        frontApps = std::make_unique<QSignalSpy>(platform.get(), &Platform::frontAppChanged);
    }

    void TearDown() override {
        frontApps.reset();
        platform.reset();
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
        DesktopTest::TearDown();
    }

    void writeEntry(const QString& id, const QByteArray& text) {
        QDir().mkpath(data.filePath(u"applications"_s));
        QFile file(data.filePath(u"applications/"_s + id + u".desktop"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static WindowSpec app(const QByteArray& className, uint32_t pid) {
        WindowSpec wanted;
        wanted.wmInstance = className.toLower();
        wanted.wmClass = className;
        wanted.pid = pid;
        return wanted;
    }

    // Activates the window and waits until the platform's latest report is an app with that
    // id. The window manager may already have focused the window when it was mapped, so the
    // report can come before the activation.
    std::optional<AppInfo> activateAndWait(uint32_t window, const QString& expectedId) {
        desktop.activate(window);
        const auto latest = [&]() -> std::optional<AppInfo> {
            return frontApps->isEmpty() ? std::nullopt
                                        : frontApps->last().at(0).value<std::optional<AppInfo>>();
        };
        waitFor([&] { return latest() && latest()->appId == expectedId; });
        return latest();
    }

    QTemporaryDir data;
    std::unique_ptr<X11Platform> platform;
    std::unique_ptr<QSignalSpy> frontApps;
};

TEST_F(X11Windows, FrontAppFollowsActivationThroughTheIdFallbacks) {
    WindowSpec gtk = app("Thing", 4001);
    gtk.gtkApplicationId = "org.example.Thing";
    const uint32_t gtkWindow = desktop.openWindow(gtk);
    const uint32_t notesWindow = desktop.openWindow(app("NotesWindow", 4002));
    const uint32_t scribbleWindow = desktop.openWindow(app("Scribble", 4003));
    const uint32_t plainWindow = desktop.openWindow(app("PlainEditor", 4004));
    const uint32_t goneWindow = desktop.openWindow(app("Gone", 4005));

    struct Case {
        uint32_t window;
        QString id;
        QString name;
        qint32 pid;
    };
    const Case cases[] = {
        {gtkWindow, u"org.example.Thing"_s, u"Thing"_s, 4001},
        {notesWindow, u"org.example.Notes"_s, u"Notes"_s, 4002},
        {scribbleWindow, u"scribble"_s, u"Scribble Pad"_s, 4003},
        {plainWindow, u"plaineditor"_s, u"PlainEditor"_s, 4004},
        {goneWindow, u"gone"_s, u"Gone"_s, 4005},
    };
    for (const Case& c : cases) {
        const std::optional<AppInfo> reported = activateAndWait(c.window, c.id);
        ASSERT_TRUE(reported.has_value()) << c.id.toStdString();
        EXPECT_EQ(reported->appId, c.id);
        EXPECT_EQ(reported->name, c.name);
        EXPECT_EQ(reported->pid, c.pid);
        EXPECT_EQ(platform->frontmostApp(), reported);
    }
}

TEST_F(X11Windows, WindowsOfThisProcessAreTessels) {
    WindowSpec own = app("SomethingElse", static_cast<uint32_t>(getpid()));
    own.gtkApplicationId = "org.example.Pretender";
    const uint32_t window = desktop.openWindow(own);
    const std::optional<AppInfo> reported = activateAndWait(window, Platform::ownAppId());
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(reported->appId, Platform::ownAppId());
    EXPECT_EQ(reported->pid, getpid());
}

TEST_F(X11Windows, RunningAppsAreTheClientListGroupedByApp) {
    desktop.openWindow(app("NotesWindow", 4200));
    desktop.openWindow(app("NotesWindow", 4200));
    desktop.openWindow(app("PlainEditor", 4201));
    WindowSpec anonymous;
    desktop.openWindow(anonymous);

    const QList<AppInfo> apps = platform->runningApps();
    ASSERT_EQ(apps.size(), 2);
    EXPECT_EQ(apps[0], (AppInfo{u"org.example.Notes"_s, 4200, u"Notes"_s}));
    EXPECT_EQ(apps[1], (AppInfo{u"plaineditor"_s, 4201, u"PlainEditor"_s}));
}

TEST_F(X11Windows, FrontWindowRectIsTheTopmostNormalFrameInYUpPoints) {
    WindowSpec lower = app("PlainEditor", 4300);
    lower.geometry = QRect(50, 60, 300, 200);
    WindowSpec upper = lower;
    upper.geometry = QRect(500, 400, 640, 480);
    WindowSpec dialog = lower;
    dialog.geometry = QRect(900, 100, 200, 100);
    dialog.windowTypes = {"_NET_WM_WINDOW_TYPE_DIALOG"};

    desktop.openWindow(lower);
    const uint32_t upperWindow = desktop.openWindow(upper);
    const uint32_t dialogWindow = desktop.openWindow(dialog);
    desktop.activate(upperWindow);
    desktop.activate(dialogWindow);

    const QRect frame = desktop.frameGeometry(upperWindow);
    ASSERT_GT(frame.height(), upper.geometry.height()) << "openbox draws a title bar";
    const std::optional<QRectF> rect = platform->frontWindowRect(4300);
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(*rect,
              QRectF(frame.x(), 1080 - frame.y() - frame.height(), frame.width(), frame.height()));

    // Neither has a window of its own, and the active window is a dialog.
    EXPECT_FALSE(platform->frontWindowRect(4301).has_value());
    EXPECT_FALSE(platform->frontWindowRect(std::nullopt).has_value());

    // A small palette above it does not count as the window being read.
    WindowSpec palette = lower;
    palette.geometry = QRect(700, 100, 20, 20);
    desktop.activate(desktop.openWindow(palette));
    EXPECT_EQ(platform->frontWindowRect(4300), rect);
}

TEST_F(X11Windows, TheFirstStandardWindowTypeDecidesWhetherAWindowIsTheFrontOne) {
    const struct {
        std::vector<QByteArray> types;
        bool front;
    } rows[] = {
        {{}, true},
        {{"_NET_WM_WINDOW_TYPE_NORMAL"}, true},
        {{"_KDE_NET_WM_WINDOW_TYPE_OVERRIDE", "_NET_WM_WINDOW_TYPE_NORMAL"}, true},
        {{"_NET_WM_WINDOW_TYPE_UTILITY"}, false},
        {{"_KDE_NET_WM_WINDOW_TYPE_OVERRIDE", "_NET_WM_WINDOW_TYPE_DIALOG"}, false},
    };
    uint32_t pid = 4400;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.types.empty() ? "no type" : row.types.back().constData());
        WindowSpec editor = app("PlainEditor", ++pid);
        editor.windowTypes = row.types;
        const uint32_t window = desktop.openWindow(editor);
        desktop.activate(window);
        const QRect frame = desktop.frameGeometry(window);
        const QRectF expected(frame.x(), 1080 - frame.y() - frame.height(), frame.width(),
                              frame.height());
        EXPECT_EQ(platform->frontWindowRect(pid),
                  row.front ? std::optional(expected) : std::nullopt);
        desktop.closeWindow(window);
    }
}

TEST_F(X11Windows, WindowsWithoutAProcessGetTheActiveWindowsFrame) {
    WindowSpec anonymous;
    anonymous.geometry = QRect(300, 200, 500, 400);
    const uint32_t window = desktop.openWindow(anonymous);
    desktop.activate(window);
    const QRect frame = desktop.frameGeometry(window);
    const QRectF expected(frame.x(), 1080 - frame.y() - frame.height(), frame.width(),
                          frame.height());
    for (const std::optional<qint32> pid : {std::optional<qint32>(), std::optional(4501)}) {
        EXPECT_TRUE(waitFor([&] { return platform->frontWindowRect(pid) == expected; }))
            << (pid ? "a process without windows" : "no process");
    }
}

TEST_F(X11Windows, DesktopSwitchesAreAnnounced) {
    QSignalSpy spy(platform.get(), &Platform::desktopChanged);
    desktop.switchDesktop(1);
    EXPECT_TRUE(waitFor([&] { return spy.size() == 1; }));
    desktop.switchDesktop(0);
    EXPECT_TRUE(waitFor([&] { return spy.size() == 2; }));
}

TEST_F(X11Windows, TheScreenSaverEndingWakesTheScreens) {
    QSignalSpy spy(platform.get(), &Platform::screensWoke);
    desktop.forceScreenSaver(true);
    desktop.forceScreenSaver(false);
    EXPECT_TRUE(waitFor([&] { return spy.size() == 1; }));
}

} // namespace
} // namespace tessel
