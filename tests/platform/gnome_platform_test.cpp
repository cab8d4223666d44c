#include "StandInShell.h"
#include "WaitFor.h"
#include "platform/gnome/GnomePlatform.h"
#include "platform/gnome/ShellExtension.h"
#include "platform/gnome/ShellHotKeys.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;

namespace {

// GNOME's Wayland with no X server to reach: what Tessel knows comes over the bus alone.
class OnGnome : public ::testing::Test {
protected:
    OnGnome() { qunsetenv("DISPLAY"); }

    void TearDown() override { EXPECT_EQ(shell.violations().join(u'\n').toStdString(), ""); }

    qreal bottom() const { return QGuiApplication::primaryScreen()->geometry().bottom() + 1; }

    // Enables the extension with these answers and waits until the platform finds it.
    void enable(const std::function<void(test::StandInShell::Answers&)>& answers) {
        shell.change(answers);
        shell.enable();
        ASSERT_TRUE(waitFor([&] { return platform->shell().isRunning(); }));
    }

    QTemporaryDir config;
    test::StandInShell shell;
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
    ShellHotKeys keys(platform->shell());
    EXPECT_EQ(keys.bind(u"toggle"_s, Qt::META | Qt::Key_P), HotKeys::Grab::unsupported);
}

TEST_F(OnGnome, IdleTimeIsMutters) {
    test::FakeService mutter(u"org.gnome.Mutter.IdleMonitor"_s);
    mutter.answer(u"/org/gnome/Mutter/IdleMonitor/Core"_s, [](const QDBusMessage&) {
        return std::optional(QVariantList{qulonglong{90500}});
    });
    EXPECT_DOUBLE_EQ(platform->idleSeconds(), 90.5);
}

TEST_F(OnGnome, TheFocusedWindowIsTheFrontAppAndFramesTheSheet) {
    enable(
        [](auto& answers) { answers.focus = {u"org.gnome.TextEditor"_s, 41u, 10, 20, 300, 200}; });
    EXPECT_EQ(platform->unavailable(DesktopAbility::pointer), std::nullopt);
    EXPECT_EQ(platform->frontmostApp()->appId, u"org.gnome.TextEditor"_s);
    EXPECT_EQ(platform->frontWindowRect(41), QRectF(10, bottom() - 220, 300, 200));
    platform->bringToFront(*platform->frontmostApp());
    platform->shell().passInput(0x400012);
    EXPECT_EQ(shell.calls().mid(shell.calls().size() - 2),
              QStringList({u"Activate(41)"_s, u"PassInput(4194322)"_s}));

    QSignalSpy fronts(platform.get(), &Platform::frontAppChanged);
    shell.emitSignal(u"FocusChanged"_s, {u"org.gnome.TextEditor"_s, 41u, 50, 20, 300, 200});
    shell.emitSignal(u"FocusChanged"_s, {u"firefox"_s, 7u, 0, 0, 800, 600});
    ASSERT_TRUE(waitFor([&] { return !fronts.isEmpty(); }));
    EXPECT_EQ(fronts.size(), 1) << "a window moving is not a new front app";
    EXPECT_EQ(platform->frontmostApp()->pid, 7);

    shell.emitSignal(u"FocusChanged"_s, {QString(), 0u, 0, 0, 0, 0});
    ASSERT_TRUE(waitFor([&] { return fronts.size() == 2; }));
    EXPECT_FALSE(platform->frontmostApp());
    EXPECT_FALSE(platform->frontWindowRect(7));
}

TEST_F(OnGnome, RunningAppsFollowTheShell) {
    enable([](auto& answers) { answers.apps = {{u"org.gnome.Nautilus"_s, 12, u"Files"_s}}; });
    EXPECT_EQ(platform->runningApps(), QList<AppInfo>({{u"org.gnome.Nautilus"_s, 12, u"Files"_s}}));

    shell.change([](auto& answers) { answers.apps.clear(); });
    shell.emitSignal(u"RunningAppsChanged"_s, {});
    EXPECT_TRUE(waitFor([&] { return platform->runningApps().isEmpty(); }));
}

TEST_F(OnGnome, ThePointerIsFollowedOnceAskedFor) {
    enable([](auto& answers) { answers.pointer = QPoint(100, 50); });
    EXPECT_EQ(platform->cursorPosition(), QPointF(100, bottom() - 50));
    shell.emitSignal(u"PointerMoved"_s, {120, 60});
    EXPECT_TRUE(waitFor([&] { return platform->cursorPosition() == QPointF(120, bottom() - 60); }));
    EXPECT_EQ(shell.calls().count(u"TrackPointer()"_s), 1);
}

TEST_F(OnGnome, HotKeysAreTheExtensionsGrabs) {
    ShellHotKeys keys(platform->shell());
    QStringList pressed;
    keys.setHandler([&](const QString& name) { pressed << name; });
    // Bound before the extension comes, grabbed when it does.
    EXPECT_EQ(keys.bind(u"toggle"_s, Qt::META | Qt::SHIFT | Qt::Key_P), HotKeys::Grab::unsupported);
    shell.enable();
    ASSERT_TRUE(waitFor(
        [&] { return shell.calls().contains(u"GrabAccelerator(toggle, <Super><Shift>p)"_s); }));
    shell.emitSignal(u"AcceleratorActivated"_s, {u"toggle"_s});
    EXPECT_TRUE(waitFor([&] { return pressed == QStringList{u"toggle"_s}; }));

    shell.change([](auto& answers) { answers.grabbable = false; });
    EXPECT_EQ(keys.bind(u"snooze"_s, Qt::CTRL | Qt::ALT | Qt::Key_F5), HotKeys::Grab::taken);
    keys.unbind(u"toggle"_s);
    EXPECT_TRUE(shell.calls().contains(u"UngrabAccelerator(toggle)"_s));
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
