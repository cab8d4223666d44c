#include "StoreFixture.h"

#include <QSignalSpy>

namespace tessel {
namespace {

using namespace std::chrono_literals;

// Greys whose luma is just under or at the thresholds.
constexpr int grey031 = 79;  // 0.3098
constexpr int grey040 = 102; // 0.4000
constexpr int grey045 = 115; // 0.4510

class StoreSampling : public StoreTest {
protected:
    Store& startSampling(bool dark) {
        platform.setDark(dark);
        return startWith([](Settings& s) { s.dayNight = Settings::DayNight::screen; });
    }
    bool judgedDark() { return store->displayDark().value(QStringLiteral("A")); }
};

TEST(Luminance, WhiteIsOneAndBlackIsZero) {
    QImage white(64, 40, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_DOUBLE_EQ(ScreenSampler::luminance(white), 1.0);
    QImage black(64, 40, QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_DOUBLE_EQ(ScreenSampler::luminance(black), 0.0);
}

TEST_F(StoreSampling, ThresholdsKeepAScreenFromFlickering) {
    platform.setScreenGrey(QStringLiteral("A"), grey040);
    startSampling(false);
    EXPECT_FALSE(judgedDark()); // light stays light at 0.40

    platform.setScreenGrey(QStringLiteral("A"), grey031);
    platform.advance(3s);
    EXPECT_TRUE(judgedDark());
    EXPECT_TRUE(layers().value(QStringLiteral("A")).night);

    platform.setScreenGrey(QStringLiteral("A"), grey040);
    platform.advance(3s);
    EXPECT_TRUE(judgedDark()); // dark stays dark below 0.45

    platform.setScreenGrey(QStringLiteral("A"), grey045);
    platform.advance(3s);
    EXPECT_FALSE(judgedDark());

    platform.setDark(true);
    platform.setScreenGrey(QStringLiteral("A"), grey040);
    platform.advance(3s);
    EXPECT_FALSE(judgedDark()); // the last judgement holds, not the appearance
}

TEST_F(StoreSampling, FirstPassJudgesAgainstTheAppearance) {
    platform.setScreenGrey(QStringLiteral("A"), grey040);
    startSampling(true);
    EXPECT_TRUE(judgedDark());
}

TEST_F(StoreSampling, LeavingScreenModeStopsSamplingAndForgetsJudgements) {
    platform.setScreenGrey(QStringLiteral("A"), 0);
    Store& s = startSampling(false);
    EXPECT_FALSE(s.displayDark().isEmpty());

    s.updateSettings([](Settings& x) { x.dayNight = Settings::DayNight::system; });
    EXPECT_FALSE(layers().value(QStringLiteral("A")).night);
    platform.advance(3s);
    EXPECT_TRUE(s.displayDark().isEmpty());

    s.updateSettings([](Settings& x) { x.dayNight = Settings::DayNight::screen; });
    EXPECT_TRUE(judgedDark()); // a pass runs at once
}

TEST_F(StoreSampling, FailedCaptureLeavesTheScreenToTheAppearance) {
    platform.setScreenGrey(QStringLiteral("A"), 0);
    Store& s = startSampling(false);
    platform.clearScreenGrey(QStringLiteral("A"));
    QSignalSpy announced(&s, &Store::displayDarkChanged);
    platform.advance(3s);
    EXPECT_TRUE(s.displayDark().isEmpty());
    EXPECT_FALSE(layers().value(QStringLiteral("A")).night);
    platform.advance(3s);
    EXPECT_EQ(announced.count(), 1);
}

TEST_F(StoreSampling, NoPermissionMeansNoSampling) {
    platform.setCaptureAllowed(false);
    platform.setScreenGrey(QStringLiteral("A"), 0);
    Store& s = startSampling(false);
    EXPECT_FALSE(s.screenAccess());
    EXPECT_TRUE(s.displayDark().isEmpty());
}

} // namespace
} // namespace tessel
