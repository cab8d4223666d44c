#include "SessionTest.h"
#include "TestGnome.h"
#include "platform/gnome/GnomePlatform.h"
#include "platform/gnome/ShellExtension.h"
#include "platform/gnome/ShellHotKeys.h"

#include <QGuiApplication>
#include <QScreen>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;

// The platform in this process, told by Tessel's extension in a real GNOME Shell what XWayland
// cannot tell: the focused native window, the running apps, the pointer and hot keys.
class GnomePlatformOnShell : public test::SessionTest<test::TestGnome> {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        platform = std::make_unique<GnomePlatform>(config.path());
        ASSERT_TRUE(waitFor([&] { return platform->shell().isRunning(); }));
    }

    // Global frames are y up from the bottom of this process's primary screen.
    static qreal yUp(qreal y, qreal height = 0) {
        return QGuiApplication::primaryScreen()->geometry().bottom() + 1 - y - height;
    }

    std::optional<QString> frontAppId() const {
        const auto front = platform->frontmostApp();
        return front ? front->appId : std::nullopt;
    }

    QTemporaryDir config;
    std::unique_ptr<GnomePlatform> platform;
};

TEST_F(GnomePlatformOnShell, TheFocusedWindowIsTheFrontAppWithItsFrameAmongTheRunningApps) {
    const auto left = openWindow("org.example.Left");
    ASSERT_TRUE(waitFor([&] { return frontAppId() == u"org.example.Left"_s; }));
    EXPECT_EQ(platform->frontmostApp()->pid, left->pid());
    EXPECT_EQ(platform->frontWindowRect(left->pid()), QRectF(0, yUp(0, 720), 1280, 720));
    EXPECT_FALSE(platform->unavailable(DesktopAbility::frontWindow));

    auto right = openWindow("org.example.Right");
    EXPECT_TRUE(waitFor([&] { return frontAppId() == u"org.example.Right"_s; }));
    const auto running = [&] {
        QStringList ids;
        for (const AppInfo& app : platform->runningApps()) {
            ids << app.appId.value_or(QString());
        }
        ids.sort();
        return ids;
    };
    EXPECT_TRUE(waitFor([&] {
        return running() == QStringList{u"org.example.Left"_s, u"org.example.Right"_s};
    })) << running().join(u' ').toStdString();

    platform->bringToFront({u"org.example.Left"_s, left->pid(), {}});
    EXPECT_TRUE(waitFor([&] { return frontAppId() == u"org.example.Left"_s; }));
    right.reset();
    EXPECT_TRUE(waitFor([&] { return running() == QStringList{u"org.example.Left"_s}; }));
}

TEST_F(GnomePlatformOnShell, ThePointerIsFollowed) {
    for (const QPoint at : {QPoint(300, 200), QPoint(500, 400)}) {
        session->movePointer(at);
        EXPECT_TRUE(waitFor([&] {
            return platform->cursorPosition() == QPointF(at.x(), yUp(at.y()));
        })) << at.x();
    }
}

// A press reaching Tessel through the shell's grab is the Tessel-on-GNOME hot key test's.
TEST_F(GnomePlatformOnShell, HotKeysAreTheShellsGrabs) {
    ShellHotKeys keys(platform->shell());
    const QKeyCombination superShiftP = Qt::META | Qt::SHIFT | Qt::Key_P;
    ASSERT_EQ(keys.bind(u"toggle"_s, superShiftP), HotKeys::Grab::ok);
    EXPECT_EQ(keys.bind(u"snooze"_s, superShiftP), HotKeys::Grab::taken);
    keys.unbind(u"toggle"_s);
    EXPECT_EQ(keys.bind(u"snooze"_s, superShiftP), HotKeys::Grab::ok);
}

} // namespace
} // namespace tessel
