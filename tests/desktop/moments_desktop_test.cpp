#include "FakeDesktopServices.h"
#include "TestDesktop.h"
#include "art/ArtLibrary.h"
#include "moments/ArtView.h"
#include "moments/MomentPresenter.h"
#include "platform/desktop/DisplayInhibitors.h"
#include "platform/x11/X11Platform.h"

#include <QTemporaryDir>

#include <xcb/xcb.h>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using test::FakeGnomeSession;
using test::FakeKdeInhibit;
using test::FakeLogind;
using test::Inhibitor;

QString xdotool(const QStringList& arguments) {
    return test::xdotool(arguments).value_or(QString());
}

// Children of the root, bottom to top.
std::vector<xcb_window_t> stacking() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, screen->root), nullptr);
    std::vector<xcb_window_t> children;
    if (tree) {
        const xcb_window_t* first = xcb_query_tree_children(tree);
        children.assign(first, first + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    xcb_disconnect(connection);
    return children;
}

class MomentsOnDesktop : public test::DesktopTest {
protected:
    void SetUp() override {
        qputenv("TESSEL_REDUCE_MOTION", "1");
        platform = std::make_unique<X11Platform>(config.path());
    }

    void TearDown() override {
        platform.reset();
        qunsetenv("TESSEL_REDUCE_MOTION");
        DesktopTest::TearDown();
    }

    QTemporaryDir config;
    std::unique_ptr<X11Platform> platform;
};

TEST_F(MomentsOnDesktop, APaintingCoversThePaperTakesTheKeysAndGivesThemBack) {
    test::WindowSpec editorSpec;
    editorSpec.wmClass = "Editor";
    editorSpec.wmInstance = "editor";
    editorSpec.pid = 4242;
    const uint32_t editor = desktop.openWindow(editorSpec);
    desktop.activate(editor);
    test::WindowSpec paperSpec;
    paperSpec.geometry = QRect(0, 0, 1920, 1080);
    paperSpec.overrideRedirect = true;
    paperSpec.argb = true;
    paperSpec.colour = QColor(240, 230, 200, 60);
    const uint32_t paper = desktop.openWindow(paperSpec);

    const ArtLibrary library;
    const Painting painting = library.paintings().front();
    const QColor wall = gallery::collection(painting.collection).wall;
    MomentPresenter presenter(*platform);
    int dismissals = 0;
    presenter.show(
        [&](const ScreenInfo&) {
            return std::make_unique<ArtView>(*platform, painting, library.image(painting));
        },
        [&] {
            ++dismissals;
            presenter.hide();
        },
        1400ms);
    ASSERT_EQ(presenter.windows().size(), 1U);
    const auto moment = static_cast<xcb_window_t>(presenter.windows().front()->winId());

    ASSERT_TRUE(waitFor([&] { return xdotool({"getwindowfocus"}).toUInt() == moment; }));
    const std::vector<xcb_window_t> order = stacking();
    const auto above = [&](xcb_window_t a, xcb_window_t b) {
        return std::find(order.begin(), order.end(), a) > std::find(order.begin(), order.end(), b);
    };
    EXPECT_TRUE(above(moment, paper));
    EXPECT_TRUE(waitFor([&] {
        return desktop.screenshot(QRect(2, 1077, 1, 1)).pixelColor(0, 0).rgb() == wall.rgb();
    })) << "the bare wall in the corner";
    const QImage middle = desktop.screenshot(QRect(860, 440, 200, 200));
    EXPECT_NE(middle.pixelColor(100, 100).rgb(), wall.rgb()) << "the painting in the middle";

    xdotool({"key", "space"});
    ASSERT_TRUE(waitFor([&] { return !presenter.isShowing(); }));
    EXPECT_EQ(dismissals, 1);
    EXPECT_TRUE(waitFor([&] { return xdotool({"getactivewindow"}).toUInt() == editor; }))
        << "the editor has the keys again";
}

TEST_F(MomentsOnDesktop, IdleTimeCountsFromTheLastInput) {
    xdotool({"mousemove", "200", "200"});
    xdotool({"mousemove", "300", "300"});
    EXPECT_LT(platform->idleSeconds(), 1);
    EXPECT_TRUE(waitFor([&] { return platform->idleSeconds() >= 1; }, 5s));
}

TEST_F(MomentsOnDesktop, TheDisplayIsHeldAwakeByAnyOfTheThreeServices) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    EXPECT_FALSE(displayKeptAwake(bus, bus)) << "no service answers";

    FakeLogind logind;
    test::FakeService logindService(u"org.freedesktop.login1"_s);
    ASSERT_TRUE(logindService.add(u"/org/freedesktop/login1"_s, logind));
    logind.inhibitors = {{"sleep:idle", "mpv", "video", "delay", 1000, 1},
                         {"shutdown", "apt", "upgrade", "block", 0, 2}};
    EXPECT_FALSE(displayKeptAwake(bus, bus)) << "idle delayed or only shutdown blocked";
    logind.inhibitors.append({"sleep:idle", "firefox", "video", "block", 1000, 3});
    EXPECT_TRUE(displayKeptAwake(bus, bus));
    logind.inhibitors.clear();

    FakeGnomeSession gnome;
    test::FakeService gnomeService(u"org.gnome.SessionManager"_s);
    ASSERT_TRUE(gnomeService.add(u"/org/gnome/SessionManager"_s, gnome));
    gnome.inhibited = 4; // suspend only
    EXPECT_FALSE(displayKeptAwake(bus, bus));
    gnome.inhibited = 8;
    EXPECT_TRUE(platform->displayKeptAwake());
    gnome.inhibited = 0;

    FakeKdeInhibit kde;
    test::FakeService kdeService(u"org.freedesktop.PowerManagement"_s);
    ASSERT_TRUE(kdeService.add(u"/org/freedesktop/PowerManagement/Inhibit"_s, kde));
    EXPECT_FALSE(displayKeptAwake(bus, bus));
    kde.held = true;
    EXPECT_TRUE(platform->displayKeptAwake());
}

} // namespace
} // namespace tessel
