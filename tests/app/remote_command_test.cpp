#include "RunningTessel.h"
#include "shortcuts/ShortcutKeys.h"

namespace tessel {
namespace {

using RemoteCommands = RunningTessel;

TEST_F(RemoteCommands, ForwardToTheRunningTessel) {
    ASSERT_EQ(tessel({QStringLiteral("off")}).code, 0);
    EXPECT_FALSE(settings().enabled);
    ASSERT_EQ(tessel({QStringLiteral("on")}).code, 0);
    EXPECT_TRUE(settings().enabled);

    const ChildRun paper = tessel({QStringLiteral("paper"), QStringLiteral("graph"),
                                   QStringLiteral("--gsm"), QStringLiteral("200")});
    ASSERT_EQ(paper.code, 0) << paper.err.toStdString();
    EXPECT_EQ(settings().night, (Slot{QStringLiteral("graph"), 200}));
    ASSERT_EQ(tessel({QStringLiteral("paper"), QStringLiteral("laid")}).code, 0);
    EXPECT_EQ(settings().day, (Slot{QStringLiteral("laid"), 200}));

    ASSERT_EQ(tessel({QStringLiteral("snooze"), QStringLiteral("45")}).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     2700);
    ASSERT_EQ(tessel({QStringLiteral("resume")}).code, 0);
    EXPECT_FALSE(settings().snoozedUntil);

    ASSERT_EQ(tessel({QStringLiteral("focus-filter"), QStringLiteral("on"),
                      QStringLiteral("--paper"), QStringLiteral("felt")})
                  .code,
              0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{true, QStringLiteral("felt")}));
    ASSERT_EQ(tessel({QStringLiteral("focus-filter"), QStringLiteral("off")}).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{false, std::nullopt}));
}

TEST_F(RemoteCommands, StatusPrintsTheLineThenEachScreen) {
    ASSERT_EQ(tessel({QStringLiteral("paper"), QStringLiteral("graph"), QStringLiteral("--gsm"),
                      QStringLiteral("200")})
                  .code,
              0);
    const ChildRun shown = tessel({QStringLiteral("status")});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_EQ(
        shown.out,
        QStringLiteral("On\nSCREEN-A\tBuilt-in Display\tgraph 200 gsm day\nPlatform: fake\n"));

    app->store().setFocusFilter(FocusFilter{true, QStringLiteral("felt")});
    EXPECT_EQ(tessel({QStringLiteral("status")}).out,
              QStringLiteral("Felt by Focus filter\nSCREEN-A\tBuilt-in Display\tfelt 200 gsm "
                             "day\nPlatform: fake\n"));
    app->store().setFocusFilter(FocusFilter{false, std::nullopt});
    EXPECT_EQ(tessel({QStringLiteral("status")}).out,
              QStringLiteral(
                  "Off by Focus filter\nSCREEN-A\tBuilt-in Display\tno paper\nPlatform: fake\n"));

    ASSERT_EQ(tessel({QStringLiteral("off")}).code, 0);
    EXPECT_EQ(tessel({QStringLiteral("status")}).out,
              QStringLiteral("Off\nSCREEN-A\tBuilt-in Display\tno paper\nPlatform: fake\n"));
}

// A screen name can split neither its line nor its fields, and a hand-edited weight far
// beyond the heaviest reads as the heaviest.
TEST_F(RemoteCommands, StatusFieldsStayOnTheirLine) {
    platform.setScreens({{"SCREEN-A", "Built-in\tDisplay\n\x1b[2J", {0, 0, 1440, 900}, 2}});
    app->store().updateSettings([](Settings& s) { s.day.gsm = 1e308; });
    const ChildRun shown = tessel({QStringLiteral("status")});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out,
              QStringLiteral("On\nSCREEN-A\tBuilt-in\\tDisplay\\n\\e[2J\tkozo 300 gsm day\n"
                             "Platform: fake\n"));
}

TEST_F(RemoteCommands, RefusalsAreSaidPlainlyAndExitNonZero) {
    const Settings before = settings();
    const ChildRun heavy = tessel({QStringLiteral("paper"), QStringLiteral("graph"),
                                   QStringLiteral("--gsm"), QStringLiteral("400")});
    EXPECT_EQ(heavy.code, 1);
    EXPECT_EQ(heavy.err, QStringLiteral("tessel: Weight must be from 60 to 300 gsm, not 400.\n"));
    EXPECT_EQ(tessel({QStringLiteral("snooze"), QStringLiteral("0")}).code, 1);
    EXPECT_EQ(tessel({QStringLiteral("paper"), QStringLiteral("graph"), QStringLiteral("--gsm"),
                      QStringLiteral("0")})
                  .code,
              1);
    EXPECT_EQ(tessel({QStringLiteral("focus-filter"), QStringLiteral("maybe")}).code, 2);
    EXPECT_EQ(settings(), before);
}

TEST_F(RemoteCommands, ShortcutsAreBoundByTheRunningTessel) {
    const ChildRun set = tessel({QStringLiteral("shortcut"), QStringLiteral("set"),
                                 QStringLiteral("togglePaper"), QStringLiteral("ctrl+alt+p")});
    ASSERT_EQ(set.code, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, QStringLiteral("togglePaper\tCtrl+Alt+P\n"));
    const QKeyCombination keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P);
    EXPECT_EQ(hotKeys.bound().value(QStringLiteral("togglePaper")), keys);
    hotKeys.press(keys);
    EXPECT_FALSE(settings().enabled);

    hotKeys.takeElsewhere(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_R));
    const ChildRun taken = tessel({QStringLiteral("shortcut"), QStringLiteral("set"),
                                   QStringLiteral("readingRuler"), QStringLiteral("Ctrl+Alt+R")});
    EXPECT_EQ(taken.code, 1);
    EXPECT_EQ(taken.err, QStringLiteral("tessel: Ctrl+Alt+R is already used by another program. "
                                        "Choose another combination.\n"));

    const ChildRun listed = tessel({QStringLiteral("shortcut"), QStringLiteral("list")});
    EXPECT_TRUE(
        listed.out.startsWith(QStringLiteral("togglePaper\tCtrl+Alt+P\nsnoozeHour\tnone\n")))
        << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(QStringLiteral("readingRuler\tnone\n")));

    ASSERT_EQ(
        tessel({QStringLiteral("shortcut"), QStringLiteral("clear"), QStringLiteral("togglePaper")})
            .code,
        0);
    EXPECT_TRUE(hotKeys.bound().isEmpty());
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
    QWidget* settingsWindow = app->windows().window(QStringLiteral("settings"));
    ASSERT_TRUE(settingsWindow);
    EXPECT_TRUE(settingsWindow->isVisible());
    EXPECT_FALSE(app->windows().window(QStringLiteral("welcome")));
}

TEST_F(RemoteCommands, WithoutTesselTheyFailAndShortcutsWaitInTheDefaults) {
    app.reset();
    for (const QStringList& command :
         {QStringList{QStringLiteral("on")}, QStringList{QStringLiteral("status")},
          QStringList{QStringLiteral("snooze"), QStringLiteral("10")}}) {
        const ChildRun run = tessel(command);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err,
                  QStringLiteral("tessel: Tessel is not running. Start it with 'tessel' first.\n"));
    }
    const ChildRun stored = tessel({QStringLiteral("shortcut"), QStringLiteral("set"),
                                    QStringLiteral("heavier"), QStringLiteral("Super+Up")});
    EXPECT_EQ(stored.code, 1); // arrows have no stored key code
    ASSERT_EQ(tessel({QStringLiteral("shortcut"), QStringLiteral("set"), QStringLiteral("heavier"),
                      QStringLiteral("Super+=")})
                  .code,
              0);
    const UserDefaults reread(dir.path());
    EXPECT_EQ(ShortcutKeys::fromJson(*reread.value("KeyboardShortcuts_heavier")),
              QKeyCombination(Qt::MetaModifier, Qt::Key_Equal));
}

// Shutting down gives the name up before anything is torn down, so commands stop finding it.
TEST_F(RemoteCommands, FindNoTesselOnceItShutsDown) {
    ASSERT_EQ(tessel({QStringLiteral("status")}).code, 0);
    app->shutDown();
    const ChildRun status = tessel({QStringLiteral("status")});
    EXPECT_EQ(status.code, 1);
    EXPECT_TRUE(status.err.contains(u"Tessel is not running")) << status.err.toStdString();
}

} // namespace
} // namespace tessel
