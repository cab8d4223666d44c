#include "Files.h"
#include "TestDesktop.h"
#include "platform/GlobalFrames.h"
#include "platform/x11/X11Platform.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <unistd.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using test::WindowTraits;

WindowTraits app(const QByteArray& className, uint32_t pid) {
    return {.wmInstance = className.toLower(), .wmClass = className, .pid = pid};
}

// Each test sees only the desktop entry it writes, never the machine's own; how entries are
// matched to windows is in DesktopEntryLookup.
class X11Windows : public test::DesktopTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.isValid());
        qputenv("XDG_DATA_HOME", data.filePath(u"home"_s).toUtf8());
        qputenv("XDG_DATA_DIRS", data.path().toUtf8());
        ASSERT_TRUE(test::writeFile(data.filePath(u"applications/org.example.Notes.desktop"_s),
                                    "[Desktop Entry]\nName=Notes\nStartupWMClass=NotesWindow\n"));
        platform = std::make_unique<X11Platform>(data.filePath(u"config"_s));
    }

    void TearDown() override {
        platform.reset();
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
        DesktopTest::TearDown();
    }

    // The window's frame as the platform reports frames: in points, y up.
    QRectF yUpFrame(uint32_t window) const {
        return toYUpRect(desktop.frameGeometry(window), test::TestDesktop::screen.height());
    }

    QTemporaryDir data;
    std::unique_ptr<X11Platform> platform;
};

TEST_F(X11Windows, FrontAppFollowsActivationThroughTheIdFallbacks) {
    const auto own = static_cast<qint32>(getpid());
    WindowTraits gtk = app("Thing", 4001);
    gtk.gtkApplicationId = "org.example.Thing";
    WindowTraits ours = app("SomethingElse", own);
    ours.gtkApplicationId = "org.example.Pretender";
    const struct {
        WindowTraits window;
        AppInfo reported;
    } cases[] = {
        {gtk, {u"org.example.Thing"_s, 4001, u"Thing"_s}},
        {app("NotesWindow", 4002), {u"org.example.Notes"_s, 4002, u"Notes"_s}},
        {app("PlainEditor", 4004), {u"plaineditor"_s, 4004, u"PlainEditor"_s}},
        {ours, {Platform::ownAppId(), own, u"Tessel"_s}},
    };
    // The window manager may focus a window as it maps it, before it is activated.
    QSignalSpy reports(platform.get(), &Platform::frontAppChanged);
    const auto latest = [&] {
        return reports.isEmpty() ? std::nullopt
                                 : reports.last().at(0).value<std::optional<AppInfo>>();
    };
    for (const auto& [window, reported] : cases) {
        SCOPED_TRACE(reported.appId->toStdString());
        desktop.activate(desktop.openWindow(window));
        EXPECT_TRUE(
            waitFor([&] { return latest() == reported && platform->frontmostApp() == reported; }));
    }
}

TEST_F(X11Windows, RunningAppsAreTheClientListGroupedByApp) {
    desktop.openWindow(app("NotesWindow", 4200));
    desktop.openWindow(app("NotesWindow", 4200));
    desktop.openWindow(app("PlainEditor", 4201));
    desktop.openWindow({});
    EXPECT_EQ(platform->runningApps(),
              (QList<AppInfo>{{u"org.example.Notes"_s, 4200, u"Notes"_s},
                              {u"plaineditor"_s, 4201, u"PlainEditor"_s}}));
}

TEST_F(X11Windows, FrontWindowRectIsTheAppsTopmostNormalFrame) {
    WindowTraits lower = app("PlainEditor", 4300);
    lower.geometry = QRect(50, 60, 300, 200);
    WindowTraits upper = lower;
    upper.geometry = QRect(500, 400, 640, 480);
    WindowTraits dialog = lower;
    dialog.geometry = QRect(900, 100, 200, 100);
    dialog.windowTypes = {"_NET_WM_WINDOW_TYPE_DIALOG"};

    desktop.openWindow(lower);
    const uint32_t upperWindow = desktop.openWindow(upper);
    const uint32_t dialogWindow = desktop.openWindow(dialog);
    desktop.activate(upperWindow);
    desktop.activate(dialogWindow);

    ASSERT_GT(desktop.frameGeometry(upperWindow).height(), upper.geometry.height())
        << "openbox draws a title bar";
    EXPECT_EQ(platform->frontWindowRect(4300), yUpFrame(upperWindow));
    EXPECT_FALSE(platform->frontWindowRect(4301).has_value()) << "a process without windows";

    // A small palette above it does not count as the window being read.
    WindowTraits palette = lower;
    palette.geometry = QRect(700, 100, 20, 20);
    desktop.activate(desktop.openWindow(palette));
    EXPECT_EQ(platform->frontWindowRect(4300), yUpFrame(upperWindow));
}

// The active window is the front one by the first standard type it names; a window without a
// process stands for whichever process is asked about.
TEST_F(X11Windows, TheActiveWindowIsTheFrontOneByItsTypeAndProcess) {
    const struct {
        std::vector<QByteArray> types;
        std::optional<uint32_t> pid;
        std::optional<qint32> asked;
        bool front;
    } rows[] = {
        {{}, 4401, 4401, true},
        {{"_KDE_NET_WM_WINDOW_TYPE_OVERRIDE", "_NET_WM_WINDOW_TYPE_NORMAL"}, 4403, 4403, true},
        {{"_NET_WM_WINDOW_TYPE_UTILITY"}, 4404, 4404, false},
        {{"_KDE_NET_WM_WINDOW_TYPE_OVERRIDE", "_NET_WM_WINDOW_TYPE_DIALOG"}, 4405, 4405, false},
        {{}, std::nullopt, std::nullopt, true},
        {{}, std::nullopt, 4501, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.types.empty() ? "no type" : row.types.back().constData());
        SCOPED_TRACE(row.pid ? "a process" : "no process");
        WindowTraits editor = app("PlainEditor", 0);
        editor.pid = row.pid;
        editor.windowTypes = row.types;
        const uint32_t window = desktop.openWindow(editor);
        desktop.activate(window);
        const auto expected = row.front ? std::optional(yUpFrame(window)) : std::nullopt;
        EXPECT_TRUE(waitFor([&] { return platform->frontWindowRect(row.asked) == expected; }));
        desktop.closeAllWindows();
    }
}

TEST_F(X11Windows, DesktopSwitchesAndTheScreenSaverEndingAreAnnounced) {
    QSignalSpy switches(platform.get(), &Platform::desktopChanged);
    desktop.switchDesktop(1);
    EXPECT_TRUE(waitFor([&] { return switches.size() == 1; }));
    desktop.switchDesktop(0);
    EXPECT_TRUE(waitFor([&] { return switches.size() == 2; }));

    QSignalSpy wakes(platform.get(), &Platform::screensWoke);
    desktop.forceScreenSaver(true);
    desktop.forceScreenSaver(false);
    EXPECT_TRUE(waitFor([&] { return wakes.size() == 1; }));
}

} // namespace
} // namespace tessel
