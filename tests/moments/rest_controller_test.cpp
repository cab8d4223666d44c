#include "moments/MomentsTest.h"
#include "moments/RestView.h"

#include <QTest>

#include <climits>

namespace tessel {
namespace {

class Rest : public MomentsTest {
protected:
    void SetUp() override {
        platform.setScreens({screen(u"A"_s), screen(u"B"_s, {1440, 0, 1440, 900})});
        startWithMoments();
        edit([](Settings& s) {
            s.rest = true;
            s.restEvery = 20;
            s.restLength = 20;
        });
    }

    bool resting() const { return rest->presenter().isShowing(); }

    // The idle time the next poll, five seconds on, will read.
    void awayAtNextPoll(double seconds) {
        platform.setIdleSeconds(seconds - 5);
        platform.advance(5s);
    }

    const RestView& view(std::size_t screen = 0) const {
        return static_cast<const RestView&>(rest->presenter().windows().at(screen)->view());
    }
};

TEST_F(Rest, ARestAndAPaintingGiveWayToACallAsItStarts) {
    rest->start();
    art->show();
    ASSERT_TRUE(waitFor([this] { return art->presenter().isShowing(); }));
    platform.startCall();
    EXPECT_FALSE(resting());
    EXPECT_FALSE(art->presenter().isShowing());
}

// Every 20 minutes of use for 20 seconds, counting down to the end, by the choices the settings
// hold; values beyond the choices act as the nearest one and stay stored as they are.
TEST_F(Rest, ComesAfterItsMinutesOfUseForItsLength) {
    const struct {
        int every;
        int length;
        std::chrono::seconds period;
        int shown;
    } rows[] = {{20, 20, 1200s, 20},
                {0, -5, 1200s, 20},
                {61, 61, 3600s, 60},
                {35791395, 1000, 3600s, 60},
                {INT_MAX, INT_MAX, 3600s, 60}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.every);
        startWithMoments();
        edit([&row](Settings& s) {
            s.rest = true;
            s.restEvery = row.every;
            s.restLength = row.length;
        });
        workFor(row.period - 5s);
        EXPECT_FALSE(resting());
        EXPECT_EQ(rest->activeSeconds(), (row.period - 5s).count());
        workFor(5s);
        ASSERT_TRUE(resting());
        EXPECT_EQ(rest->presenter().windows().size(), 2U);
        EXPECT_EQ(view().left(), row.shown);
        platform.advance(std::chrono::seconds(row.shown - 1));
        EXPECT_EQ(view().left(), 1);
        platform.advance(1s);
        EXPECT_FALSE(resting());
        EXPECT_EQ(store->settings().restEvery, row.every);
    }
}

// An absence counts as a rest beyond three rest lengths, and never under a minute; between
// a minute and that, it neither counts nor resets.
TEST_F(Rest, AnAbsenceLongerThanThreeRestLengthsCountsAsARest) {
    for (const auto& [length, longestKept] : {std::pair{20, 60.0}, {30, 90.0}}) {
        SCOPED_TRACE(length);
        edit([length](Settings& s) { s.restLength = length; });
        workFor(600s);
        const int worked = rest->activeSeconds();
        for (const double idle : {60.0, (60 + longestKept) / 2, longestKept}) {
            awayAtNextPoll(idle);
            EXPECT_EQ(rest->activeSeconds(), worked) << idle;
        }
        awayAtNextPoll(longestKept + 1);
        EXPECT_EQ(rest->activeSeconds(), 0);
    }
}

TEST_F(Rest, WaitsForTheFirstPollAfterTheDisplayIsReleased) {
    platform.setDisplayKeptAwake(true);
    workFor(1300s);
    EXPECT_FALSE(resting());
    EXPECT_EQ(rest->activeSeconds(), 1300);
    platform.setDisplayKeptAwake(false);
    workFor(5s);
    EXPECT_TRUE(resting());
}

TEST_F(Rest, CountsNothingWhileOffOrRestingAndASecondStartKeepsTheFirstEnd) {
    edit([](Settings& s) { s.rest = false; });
    workFor(1300s);
    EXPECT_EQ(rest->activeSeconds(), 0);
    edit([](Settings& s) { s.rest = true; });
    rest->start();
    workFor(10s);
    rest->start();
    workFor(5s);
    EXPECT_EQ(rest->activeSeconds(), 0);
    workFor(5s);
    EXPECT_FALSE(resting());
}

TEST_F(Rest, AKeyOrAClickSkipsIt) {
    rest->start();
    QTest::keyClick(rest->presenter().windows().front().get(), Qt::Key_Space);
    EXPECT_FALSE(resting());
    rest->start();
    QTest::mouseClick(rest->presenter().windows().back().get(), Qt::LeftButton);
    EXPECT_FALSE(resting());
}

} // namespace
} // namespace tessel
