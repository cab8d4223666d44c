#include "FakeService.h"
#include "WaitFor.h"
#include "platform/gnome/GnomePlatform.h"
#include "platform/gnome/ShellExtension.h"
#include "platform/gnome/ShellHotKeys.h"

#include <QMutex>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;

namespace {

// GNOME's Wayland with no X server to reach and no extension: what Tessel knows comes over
// the bus alone. With the extension, in a real shell: gnome_shell_platform_test.
class OnGnome : public ::testing::Test {
protected:
    OnGnome() { qunsetenv("DISPLAY"); }

    QTemporaryDir config;
    std::unique_ptr<GnomePlatform> platform = std::make_unique<GnomePlatform>(config.path());
};

TEST_F(OnGnome, WithoutTheExtensionEachAbilitySaysHowToEnableIt) {
    const QString enable = u"GNOME needs Tessel's extension for this: gnome-extensions enable "
                           "tessel@corvane.com"_s;
    for (const DesktopAbility ability :
         {DesktopAbility::pointer, DesktopAbility::frontWindow, DesktopAbility::frontApp,
          DesktopAbility::globalShortcuts}) {
        EXPECT_EQ(platform->unavailable(ability), enable);
    }
    EXPECT_TRUE(platform->unavailable(DesktopAbility::screenCapture).has_value());
    EXPECT_FALSE(platform->cursorPosition());
    EXPECT_FALSE(platform->frontWindowRect(std::nullopt));
}

TEST_F(OnGnome, IdleTimeIsMutters) {
    test::FakeService mutter(u"org.gnome.Mutter.IdleMonitor"_s);
    mutter.answer(u"/org/gnome/Mutter/IdleMonitor/Core"_s, [](const QDBusMessage&) {
        return std::optional(QVariantList{qulonglong{90500}});
    });
    EXPECT_DOUBLE_EQ(platform->idleSeconds(), 90.5);
}

// The extension may come after Tessel, or come back after the user turned it off.
TEST_F(OnGnome, HotKeysBoundBeforeTheExtensionComesAreGrabbedWhenItDoes) {
    ShellHotKeys keys(platform->shell());
    EXPECT_EQ(keys.bind(u"toggle"_s, Qt::META | Qt::SHIFT | Qt::Key_P), HotKeys::Grab::unsupported);
    QMutex mutex;
    QStringList grabs;
    test::FakeService extension(u"com.corvane.Tessel.Shell"_s);
    extension.answer(u"/com/corvane/Tessel/Shell"_s, [&](const QDBusMessage& call) {
        const QMutexLocker lock(&mutex);
        grabs << call.member() + u' ' + call.arguments().value(1).toString();
        return std::optional(QVariantList{true});
    });
    EXPECT_TRUE(waitFor([&] {
        const QMutexLocker lock(&mutex);
        return grabs.contains(u"GrabAccelerator <Super><Shift>p"_s);
    }));
}

TEST(ShellAccelerators, NameKeysAsGtkDoes) {
    const std::pair<QKeyCombination, const char*> cases[] = {
        {Qt::META | Qt::Key_1, "<Super>1"},
        {Qt::CTRL | Qt::ALT | Qt::Key_Space, "<Control><Alt>space"},
        {Qt::SHIFT | Qt::Key_F12, "<Shift>F12"},
        {Qt::META | Qt::Key_PageDown, "<Super>Page_Down"},
        {Qt::CTRL | Qt::Key_Comma, "<Control>comma"},
    };
    for (const auto& [keys, accelerator] : cases) {
        EXPECT_EQ(ShellHotKeys::accelerator(keys), QString::fromLatin1(accelerator));
    }
    EXPECT_FALSE(ShellHotKeys::accelerator(Qt::META | Qt::Key_VolumeUp));
}

} // namespace

} // namespace tessel
