#include "AppTest.h"
#include "shortcuts/ShortcutKeys.h"

namespace tessel {
namespace {

class RemoteCommands : public AppTest {
protected:
    void SetUp() override { publish(); }
};

TEST_F(RemoteCommands, ForwardToTheRunningTessel) {
    ASSERT_EQ(tessel({u"off"_s}).code, 0);
    EXPECT_FALSE(settings().enabled);
    ASSERT_EQ(tessel({u"on"_s}).code, 0);
    EXPECT_TRUE(settings().enabled);

    const ChildRun paper = tessel({u"paper"_s, u"graph"_s, u"--gsm"_s, u"200"_s});
    ASSERT_EQ(paper.code, 0) << paper.err.toStdString();
    EXPECT_EQ(settings().night, (Slot{u"graph"_s, 200}));
    ASSERT_EQ(tessel({u"paper"_s, u"laid"_s}).code, 0);
    EXPECT_EQ(settings().day, (Slot{u"laid"_s, 200}));

    ASSERT_EQ(tessel({u"snooze"_s, u"45"_s}).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     2700);
    ASSERT_EQ(tessel({QStringLiteral("resume")}).code, 0);
    EXPECT_FALSE(settings().snoozedUntil);

    ASSERT_EQ(tessel({u"focus-filter"_s, u"on"_s, u"--paper"_s, u"felt"_s}).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{true, u"felt"_s}));
    ASSERT_EQ(tessel({u"focus-filter"_s, u"off"_s}).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{false, std::nullopt}));
}

TEST_F(RemoteCommands, StatusPrintsTheLineThenEachScreen) {
    ASSERT_EQ(tessel({u"paper"_s, u"graph"_s, u"--gsm"_s, u"200"_s}).code, 0);
    const ChildRun shown = tessel({u"status"_s});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out, u"On\nA\tBuilt-in Display\tgraph 200 gsm day\nPlatform: fake\n"_s);

    app->store().setFocusFilter(FocusFilter{true, u"felt"_s});
    EXPECT_EQ(tessel({u"status"_s}).out,
              u"Felt by Focus filter\nA\tBuilt-in Display\tfelt 200 gsm day\nPlatform: fake\n"_s);
    app->store().setFocusFilter(FocusFilter{false, std::nullopt});
    EXPECT_EQ(tessel({u"status"_s}).out,
              u"Off by Focus filter\nA\tBuilt-in Display\tno paper\nPlatform: fake\n"_s);

    ASSERT_EQ(tessel({u"off"_s}).code, 0);
    EXPECT_EQ(tessel({u"status"_s}).out, u"Off\nA\tBuilt-in Display\tno paper\nPlatform: fake\n"_s);
}

// A screen name can split neither its line nor its fields, and a hand-edited weight far
// beyond the heaviest reads as the heaviest.
TEST_F(RemoteCommands, StatusFieldsStayOnTheirLine) {
    platform.setScreens({{u"A"_s, u"Built-in\tDisplay\n\x1b[2J"_s, {0, 0, 1440, 900}, 2}});
    app->store().updateSettings([](Settings& s) { s.day.gsm = 1e308; });
    const ChildRun shown = tessel({u"status"_s});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out,
              u"On\nA\tBuilt-in\\tDisplay\\n\\e[2J\tkozo 300 gsm day\nPlatform: fake\n"_s);
}

TEST_F(RemoteCommands, RefusalsAreSaidPlainlyAndExitNonZero) {
    const Settings before = settings();
    const ChildRun heavy = tessel({u"paper"_s, u"graph"_s, u"--gsm"_s, u"400"_s});
    EXPECT_EQ(heavy.code, 1);
    EXPECT_EQ(heavy.err, u"tessel: Weight must be from 60 to 300 gsm, not 400.\n"_s);
    EXPECT_EQ(tessel({u"snooze"_s, u"0"_s}).code, 1);
    EXPECT_EQ(tessel({u"paper"_s, u"graph"_s, u"--gsm"_s, u"0"_s}).code, 1);
    EXPECT_EQ(tessel({u"focus-filter"_s, u"maybe"_s}).code, 2);
    EXPECT_EQ(settings(), before);
}

TEST_F(RemoteCommands, ShortcutsAreBoundByTheRunningTessel) {
    const ChildRun set = tessel({u"shortcut"_s, u"set"_s, u"togglePaper"_s, u"ctrl+alt+p"_s});
    ASSERT_EQ(set.code, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, u"togglePaper\tCtrl+Alt+P\n"_s);
    const QKeyCombination keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P);
    EXPECT_EQ(hotKeys.bound().value(u"togglePaper"_s), keys);
    hotKeys.press(keys);
    EXPECT_FALSE(settings().enabled);

    hotKeys.takeElsewhere(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_R));
    const ChildRun taken = tessel({u"shortcut"_s, u"set"_s, u"readingRuler"_s, u"Ctrl+Alt+R"_s});
    EXPECT_EQ(taken.code, 1);
    EXPECT_EQ(taken.err, QStringLiteral("tessel: Ctrl+Alt+R is already used by another program. "
                                        "Choose another combination.\n"));

    const ChildRun listed = tessel({u"shortcut"_s, u"list"_s});
    EXPECT_TRUE(listed.out.startsWith(u"togglePaper\tCtrl+Alt+P\nsnoozeHour\tnone\n"_s))
        << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(u"readingRuler\tnone\n"_s));

    ASSERT_EQ(tessel({u"shortcut"_s, u"clear"_s, u"togglePaper"_s}).code, 0);
    EXPECT_TRUE(hotKeys.bound().isEmpty());

    // What a desktop's own key binding runs where Tessel cannot bind keys itself.
    ASSERT_EQ(tessel({u"shortcut"_s, u"run"_s, u"togglePaper"_s}).code, 0);
    EXPECT_TRUE(settings().enabled);
}

// Without a panel icon it opens the popover's controls in a window; with one, Settings.
TEST_F(RemoteCommands, ASecondLaunchReopensAndExits) {
    const ChildRun noPanel = tessel({});
    ASSERT_EQ(noPanel.code, 0) << noPanel.err.toStdString();
    EXPECT_TRUE(app->tray().popover().isVisible());
    EXPECT_FALSE(app->windows().window(QStringLiteral("settings")));

    app->tray().show();
    const ChildRun again = tessel({});
    ASSERT_EQ(again.code, 0) << again.err.toStdString();
    ASSERT_TRUE(window(u"settings"_s));
    EXPECT_TRUE(window(u"settings"_s)->isVisible());
    EXPECT_FALSE(window(u"welcome"_s));
}

TEST_F(RemoteCommands, WithoutTesselTheyFailAndShortcutsWaitInTheDefaults) {
    app.reset();
    for (const QStringList& command :
         {QStringList{u"on"_s}, QStringList{u"status"_s}, QStringList{u"snooze"_s, u"10"_s}}) {
        const ChildRun run = tessel(command);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, u"tessel: Tessel is not running. Start it with 'tessel' first.\n"_s);
    }
    const ChildRun stored = tessel({u"shortcut"_s, u"set"_s, u"heavier"_s, u"Super+Up"_s});
    EXPECT_EQ(stored.code, 1); // arrows have no stored key code
    ASSERT_EQ(tessel({u"shortcut"_s, u"set"_s, u"heavier"_s, u"Super+="_s}).code, 0);
    const UserDefaults reread(dir.path());
    EXPECT_EQ(ShortcutKeys::fromJson(*reread.value("KeyboardShortcuts_heavier")),
              QKeyCombination(Qt::MetaModifier, Qt::Key_Equal));
}

// Shutting down gives the name up before anything is torn down, so commands stop finding it.
TEST_F(RemoteCommands, FindNoTesselOnceItShutsDown) {
    ASSERT_EQ(tessel({u"status"_s}).code, 0);
    app->shutDown();
    const ChildRun status = tessel({u"status"_s});
    EXPECT_EQ(status.code, 1);
    EXPECT_TRUE(status.err.contains(u"Tessel is not running")) << status.err.toStdString();
}

} // namespace
} // namespace tessel
