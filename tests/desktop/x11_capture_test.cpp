#include "CaptureNow.h"
#include "TestDesktop.h"
#include "platform/x11/X11Platform.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <unistd.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using test::WindowSpec;

constexpr QSize sampleSize(32, 20);

double meanGrey(const QImage& image, QRect area = {}) {
    if (area.isNull()) {
        area = image.rect();
    }
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (area.width() * area.height());
}

WindowSpec fullScreen(QColor colour, QRect geometry = QRect(0, 0, 1920, 1080)) {
    WindowSpec wanted;
    wanted.geometry = geometry;
    wanted.colour = colour;
    wanted.overrideRedirect = true;
    return wanted;
}

class X11Capture : public test::DesktopTest {
protected:
    void SetUp() override {
        platform = std::make_unique<X11Platform>(config.path());
        ASSERT_FALSE(platform->screens().isEmpty());
        screen = platform->screens().front().id;
    }

    void TearDown() override {
        platform.reset();
        DesktopTest::TearDown();
    }

    QImage capture() const { return captureNow(*platform, screen, sampleSize); }

    QTemporaryDir config;
    std::unique_ptr<X11Platform> platform;
    QString screen;
};

TEST_F(X11Capture, CompositorPresenceFollowsTheSelectionOwner) {
    EXPECT_TRUE(platform->compositorRunning());
    QSignalSpy spy(platform.get(), &Platform::compositorChanged);

    desktop.stopCompositor();
    EXPECT_TRUE(waitFor([&] { return spy.size() == 1; }));
    EXPECT_FALSE(platform->compositorRunning());

    desktop.startCompositor();
    EXPECT_TRUE(waitFor([&] { return spy.size() == 2; }));
    EXPECT_TRUE(platform->compositorRunning());
}

TEST_F(X11Capture, SamplesWhatOtherWindowsShowWhereTheyShowIt) {
    for (const bool composited : {true, false}) {
        SCOPED_TRACE(composited ? "with a compositor" : "without a compositor");
        if (!composited) {
            desktop.stopCompositor();
            ASSERT_TRUE(waitFor([&] { return !platform->compositorRunning(); }));
        }
        desktop.openWindow(fullScreen(Qt::white));
        desktop.openWindow(fullScreen(Qt::black, QRect(0, 0, 960, 1080)));

        const QImage image = capture();
        ASSERT_EQ(image.size(), sampleSize);
        EXPECT_LT(meanGrey(image, QRect(0, 0, 16, 20)), 2);
        EXPECT_GT(meanGrey(image, QRect(16, 0, 16, 20)), 253);
        desktop.closeAllWindows();
    }
}

TEST_F(X11Capture, LeavesOutTesselsOwnWindows) {
    desktop.openWindow(fullScreen(Qt::white));
    const QImage without = capture();

    WindowSpec paper = fullScreen(QColor(40, 30, 20, 160));
    paper.argb = true;
    paper.pid = static_cast<uint32_t>(getpid());
    desktop.openWindow(paper);
    // The compositor really blends our window over the white one.
    ASSERT_TRUE(waitFor([&] {
        const double grey = meanGrey(desktop.screenshot(QRect(900, 500, 100, 100)));
        return grey > 60 && grey < 200;
    }));

    EXPECT_EQ(capture(), without);
    EXPECT_GT(meanGrey(without), 253);
}

TEST_F(X11Capture, UnknownScreensGiveNoImage) {
    EXPECT_TRUE(captureNow(*platform, u"not-a-screen"_s, sampleSize).isNull());
    EXPECT_TRUE(platform->screenCaptureAllowed());
}

} // namespace
} // namespace tessel
