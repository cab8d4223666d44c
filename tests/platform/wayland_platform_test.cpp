#include "SessionTest.h"
#include "TestSway.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPlatform.h"

#include <QPainter>
#include <QTemporaryDir>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;

// The platform in this process, on the suite's sway with its one 1280×720 output.
class WaylandPlatformOnSway : public test::SessionTest<test::TestSway> {
protected:
    std::unique_ptr<WaylandPlatform> platform() const {
        auto connection = WaylandPlatform::connectToLayerShell();
        EXPECT_TRUE(connection);
        return connection ? std::make_unique<WaylandPlatform>(std::move(connection), dir.path())
                          : nullptr;
    }

    QTemporaryDir dir;
};

TEST_F(WaylandPlatformOnSway, FrontWindowFrameFollowsSwaysFocus) {
    const auto left = openWindow("org.example.Left");
    const auto right = openWindow("org.example.Right");
    ASSERT_TRUE(session->command(u"[app_id=.] fullscreen disable"_s));
    const auto wayland = platform();
    ASSERT_TRUE(wayland);
    EXPECT_FALSE(wayland->unavailable(DesktopAbility::frontWindow));
    const auto front = [&] { return wayland->frontWindowRect(std::nullopt); };
    EXPECT_TRUE(waitFor([&] { return front() == QRectF(640, 0, 640, 720); }));
    ASSERT_TRUE(session->command(u"focus left"_s));
    EXPECT_TRUE(waitFor([&] { return front() == QRectF(0, 0, 640, 720); }))
        << front().value_or(QRectF()).width();
}

TEST_F(WaylandPlatformOnSway, ACaptureTakesOurOwnPaperBackOut) {
    const auto red = openWindow("org.example.Red", "ff0000");
    const auto wayland = platform();
    ASSERT_TRUE(wayland);
    EXPECT_FALSE(wayland->unavailable(DesktopAbility::screenCapture));
    const ScreenInfo screen = wayland->screens().value(0);
    const auto paper = wayland->overlaySurfaces()(screen, [](QPainter& painter, const QRegion&) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(painter.window(), QColor(240, 228, 200, 160));
    });
    paper->show();
    const QPoint middle(640, 360);
    ASSERT_TRUE(waitFor([&] { return session->pixel(middle).green() > 100; })) << "no paper shows";

    QImage captured;
    wayland->captureScreen(screen.id, QSize(32, 20), [&](QImage image) { captured = image; });
    ASSERT_TRUE(waitFor([&] { return !captured.isNull(); }));
    EXPECT_EQ(captured.size(), QSize(32, 20));
    // Rounding in the blend comes back magnified by 1 / (1 − a).
    constexpr int slack = 4;
    const QColor under = captured.pixelColor(16, 10);
    EXPECT_NEAR(under.red(), 255, slack);
    EXPECT_NEAR(under.green(), 0, slack);
    EXPECT_NEAR(under.blue(), 0, slack);
}

} // namespace
} // namespace tessel
