#include "platform/wayland/IdleClock.h"
#include "platform/wayland/KWinScreenShot.h"
#include "platform/wayland/SurfaceScale.h"
#include "platform/wayland/ToplevelList.h"

#include <gtest/gtest.h>
#include <vector>

namespace tessel {
namespace {

using namespace std::chrono_literals;

TEST(IdleClock, GrowsFromTheThresholdAtTheNoticeAndStopsAtInput) {
    // Notices from the compositor, each `at` after the start.
    struct Notice {
        std::chrono::milliseconds at;
        bool idle;
    };
    const struct {
        const char* name;
        std::vector<Notice> notices;
        std::chrono::milliseconds askedAt;
        double seconds;
    } cases[] = {
        {"no notice yet", {}, 30s, 0},
        {"just went idle", {{10s, true}}, 10s, 1},
        {"idle a while", {{10s, true}}, 70s, 61},
        {"back", {{10s, true}, {20s, false}}, 25s, 0},
        {"idle again later", {{10s, true}, {20s, false}, {40s, true}}, 45s, 6},
        {"a repeated notice keeps the first", {{10s, true}, {30s, true}}, 40s, 31},
        {"a clock read before the notice counts from it", {{10s, true}}, 9s, 1},
    };
    const IdleClock::Instant start;
    for (const auto& c : cases) {
        IdleClock clock(1s);
        for (const Notice& notice : c.notices) {
            if (notice.idle) {
                clock.idled(start + notice.at);
            } else {
                clock.resumed();
            }
        }
        EXPECT_DOUBLE_EQ(clock.idleSeconds(start + c.askedAt), c.seconds) << c.name;
    }
}

// Windows are told apart by their protocol handles; any distinct addresses do.
const int windows[3] = {};
const ToplevelList::Handle editor = &windows[0];
const ToplevelList::Handle terminal = &windows[1];
const ToplevelList::Handle secondTerminal = &windows[2];

class Toplevels : public ::testing::Test {
protected:
    void open(ToplevelList::Handle handle, const char* appId, bool activated) {
        list.add(handle);
        change(handle, appId, activated);
    }
    void change(ToplevelList::Handle handle, const char* appId, bool activated) {
        list.setAppId(handle, QString::fromLatin1(appId));
        list.setActivated(handle, activated);
        list.done(handle);
    }

    ToplevelList list;
};

TEST_F(Toplevels, FrontAppIsTheWindowActivatedLastOnceItsChangesAreDone) {
    open(editor, "org.example.Editor", true);
    open(terminal, "foot", false);
    EXPECT_EQ(list.frontAppId(), QStringLiteral("org.example.Editor"));

    // The compositor may report the new window active before the old one inactive.
    list.setActivated(terminal, true);
    EXPECT_EQ(list.frontAppId(), QStringLiteral("org.example.Editor"));
    list.done(terminal);
    EXPECT_EQ(list.frontAppId(), QStringLiteral("foot"));
    change(editor, "org.example.Editor", false);
    EXPECT_EQ(list.frontAppId(), QStringLiteral("foot"));

    list.remove(terminal);
    EXPECT_EQ(list.frontAppId(), std::nullopt);
}

TEST_F(Toplevels, WindowWithoutAppIdIsNoApp) {
    open(editor, "", true);
    EXPECT_EQ(list.frontAppId(), std::nullopt);
    EXPECT_EQ(list.frontWindow(), editor);
    EXPECT_TRUE(list.runningAppIds().isEmpty());
}

TEST_F(Toplevels, RunningAppsAreListedOnceInTheOrderTheyCame) {
    open(terminal, "foot", false);
    open(editor, "org.example.Editor", false);
    open(secondTerminal, "foot", true);
    EXPECT_EQ(list.runningAppIds(),
              (QStringList{QStringLiteral("foot"), QStringLiteral("org.example.Editor")}));
    EXPECT_EQ(list.windowOf(QStringLiteral("foot")), secondTerminal);

    list.remove(secondTerminal);
    list.remove(terminal);
    EXPECT_EQ(list.runningAppIds(), QStringList{QStringLiteral("org.example.Editor")});
    EXPECT_EQ(list.windowOf(QStringLiteral("foot")), std::nullopt);
}

TEST(SurfaceScale, BuffersAndDamageFollowFractionalScales) {
    const struct {
        double ratio;
        QSize buffer;
        QRect damage;
    } rows[] = {
        {1, {1366, 768}, {10, 10, 3, 3}},
        {1.25, {1708, 960}, {12, 12, 5, 5}},
        {1.5, {2049, 1152}, {15, 15, 5, 5}},
        {2, {2732, 1536}, {20, 20, 6, 6}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ratio);
        EXPECT_EQ(bufferPixels({1366, 768}, row.ratio), row.buffer);
        EXPECT_EQ(bufferDamage({10, 10, 3, 3}, row.ratio, row.buffer), row.damage);
    }
    // Damage at the far edge stays inside a buffer rounded down.
    EXPECT_EQ(bufferDamage({1360, 760, 5, 8}, 1.25, bufferPixels({1365, 768}, 1.25)),
              QRect(1700, 950, 6, 10));
}

// KWin writes the pixels into a pipe and describes them in its answer; they must agree.
TEST(KWinScreenShot, PixelsAreReadAsTheAnswerDescribesThemOrNotAtAll) {
    using namespace Qt::StringLiterals;
    const QVariantMap four{{u"type"_s, u"raw"_s},
                           {u"width"_s, 2u},
                           {u"height"_s, 2u},
                           {u"stride"_s, 12u}, // rows padded past the pixels
                           {u"format"_s, uint(QImage::Format_ARGB32)}};
    const QByteArray pixels =
        QByteArray::fromHex("0000ff00ff000000cdcdcdcd00ff0000ffffffffcdcdcdcd");
    const QImage image = screenShotImage(four, pixels);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 255, 0));

    const std::pair<QString, QVariant> wrong[] = {{u"type"_s, u"png"_s},
                                                  {u"format"_s, 0u},
                                                  {u"format"_s, 999u},
                                                  {u"stride"_s, 4u},
                                                  {u"height"_s, 3u}};
    for (const auto& [key, value] : wrong) {
        QVariantMap results = four;
        results[key] = value;
        EXPECT_TRUE(screenShotImage(results, pixels).isNull()) << key.toStdString();
    }
}

} // namespace
} // namespace tessel
