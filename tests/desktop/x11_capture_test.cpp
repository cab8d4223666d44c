#include "CaptureNow.h"
#include "TestDesktop.h"
#include "platform/x11/X11Platform.h"

#include <QTemporaryDir>

#include <unistd.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using test::WindowTraits;

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

WindowTraits fullScreen(QColor colour, QRect geometry = test::TestDesktop::screen) {
    return {.geometry = geometry, .colour = colour, .overrideRedirect = true};
}

class X11Capture : public test::DesktopTest {
protected:
    QImage capture() { return captureNow(*platform, platform->screens().value(0).id, sampleSize); }

    QTemporaryDir config;
    std::unique_ptr<X11Platform> platform = std::make_unique<X11Platform>(config.path());
};

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
    EXPECT_TRUE(captureNow(*platform, u"not-a-screen"_s, sampleSize).isNull());
}

TEST_F(X11Capture, LeavesOutTesselsOwnWindows) {
    desktop.openWindow(fullScreen(Qt::white));
    const QImage without = capture();

    desktop.openWindow({.geometry = test::TestDesktop::screen,
                        .colour = QColor(40, 30, 20, 160),
                        .pid = static_cast<uint32_t>(getpid()),
                        .overrideRedirect = true,
                        .argb = true});
    // The compositor really blends our window over the white one.
    ASSERT_TRUE(waitFor([&] {
        const double grey = meanGrey(desktop.screenshot(QRect(900, 500, 100, 100)));
        return grey > 60 && grey < 200;
    }));

    EXPECT_EQ(capture(), without);
    EXPECT_GT(meanGrey(without), 253);
}

} // namespace
} // namespace tessel
