#include "AppTest.h"
#include "app/Intents.h"
#include "shortcuts/ShortcutKeys.h"
#include "studio/PaperFile.h"

#include <QSignalSpy>
#include <QUrl>

namespace tessel {
namespace {

class RemoteCommands : public AppTest {
protected:
    void SetUp() override { publish(); }
};

// Each command is one change of the settings, so that Day and Night are never stored apart.
TEST_F(RemoteCommands, ForwardToTheRunningTesselUpToTheBounds) {
    app->store().updateSettings([](Settings& s) {
        s.day = {u"kozo"_s, 110};
        s.night = {u"felt"_s, 170};
    });
    ASSERT_EQ(tessel({u"off"_s}).code, 0);
    EXPECT_FALSE(settings().enabled);
    QSignalSpy changes(&app->store(), &Store::settingsChanged);
    const ChildRun paper = tessel({u"paper"_s, u"graph"_s});
    ASSERT_EQ(paper.code, 0) << paper.err;
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(settings().day, (Slot{u"graph"_s, 110}));
    EXPECT_EQ(settings().night, (Slot{u"graph"_s, 170}));
    EXPECT_TRUE(settings().enabled);
    for (const int gsm : {60, 300}) {
        ASSERT_EQ(tessel({u"paper"_s, u"laid"_s, u"--gsm"_s, QString::number(gsm)}).code, 0);
        EXPECT_EQ(settings().day, (Slot{u"laid"_s, double(gsm)}));
        EXPECT_EQ(settings().night, (Slot{u"laid"_s, double(gsm)}));
    }

    for (const int minutes : {1, 720}) {
        ASSERT_EQ(tessel({u"snooze"_s, QString::number(minutes)}).code, 0);
        EXPECT_DOUBLE_EQ(
            Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
            minutes * 60);
    }
    ASSERT_EQ(tessel({u"resume"_s}).code, 0);
    EXPECT_FALSE(settings().snoozedUntil);

    // The filter is held, never saved.
    ASSERT_EQ(tessel({u"focus-filter"_s, u"on"_s, u"--paper"_s, u"felt"_s}).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{true, u"felt"_s}));
    platform.advance(std::chrono::minutes(1));
    EXPECT_EQ(savedSettings(), settings());
    EXPECT_EQ(settings().day.paper, u"laid"_s);
    ASSERT_EQ(tessel({u"focus-filter"_s, u"off"_s}).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{false, std::nullopt}));
    ASSERT_EQ(tessel({u"on"_s}).code, 0);
    EXPECT_TRUE(settings().enabled);
}

TEST_F(RemoteCommands, StatusPrintsTheLineThenEachScreen) {
    ASSERT_EQ(tessel({u"paper"_s, u"graph"_s, u"--gsm"_s, u"200"_s}).code, 0);
    EXPECT_EQ(tessel({u"status"_s}).out,
              u"On\nA\tBuilt-in Display\tgraph 200 gsm day\nPlatform: fake\n"_s);

    app->store().setFocusFilter(FocusFilter{true, u"felt"_s});
    EXPECT_EQ(tessel({u"status"_s}).out,
              u"Felt by Focus filter\nA\tBuilt-in Display\tfelt 200 gsm day\nPlatform: fake\n"_s);
    app->store().setFocusFilter(FocusFilter{false, std::nullopt});
    EXPECT_EQ(tessel({u"status"_s}).out,
              u"Off by Focus filter\nA\tBuilt-in Display\tno paper\nPlatform: fake\n"_s);

    // A screen name can split neither its line nor its fields, and a hand-edited weight far
    // beyond the heaviest reads as the heaviest.
    platform.setScreens({{u"A"_s, u"Built-in\tDisplay\n\x1b[2J"_s, {0, 0, 1440, 900}, 2}});
    app->store().setFocusFilter(std::nullopt);
    app->store().updateSettings([](Settings& s) { s.day.gsm = 1e308; });
    EXPECT_EQ(tessel({u"status"_s}).out,
              u"On\nA\tBuilt-in\\tDisplay\\n\\e[2J\tgraph 300 gsm day\nPlatform: fake\n"_s);
}

TEST_F(RemoteCommands, RefusalsAreSaidPlainlyAndExitNonZero) {
    const Settings before = settings();
    const ChildRun heavy = tessel({u"paper"_s, u"graph"_s, u"--gsm"_s, u"400"_s});
    EXPECT_EQ(heavy.code, 1);
    EXPECT_EQ(heavy.err, u"tessel: Weight must be from 60 to 300 gsm, not 400.\n"_s);
    // Refused by the running Tessel rather than by the command.
    EXPECT_EQ(tessel({u"snooze"_s, u"721"_s}).err,
              u"tessel: Minutes must be from 1 to 720, not 721.\n"_s);
    EXPECT_EQ(tessel({u"focus-filter"_s, u"maybe"_s}).code, 2);
    EXPECT_EQ(settings(), before);
}

TEST_F(RemoteCommands, ShortcutsAreBoundByTheRunningTessel) {
    const ChildRun set = tessel({u"shortcut"_s, u"set"_s, u"togglePaper"_s, u"ctrl+alt+p"_s});
    ASSERT_EQ(set.code, 0) << set.err;
    EXPECT_EQ(set.out, u"togglePaper\tCtrl+Alt+P\n"_s);
    const QKeyCombination keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P);
    EXPECT_EQ(hotKeys.bound().value(u"togglePaper"_s), keys);

    hotKeys.takeElsewhere(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_R));
    const ChildRun taken = tessel({u"shortcut"_s, u"set"_s, u"readingRuler"_s, u"Ctrl+Alt+R"_s});
    EXPECT_EQ(taken.code, 1);
    EXPECT_EQ(taken.err, QStringLiteral("tessel: Ctrl+Alt+R is already used by another program. "
                                        "Choose another combination.\n"));

    // Every shortcut, under the name it is stored by.
    EXPECT_EQ(tessel({u"shortcut"_s, u"list"_s}).out,
              u"togglePaper\tCtrl+Alt+P\nsnoozeHour\tnone\nnextPaper\tnone\nheavier\tnone\n"
              u"lighter\tnone\nfocusSheet\tnone\nreadingRuler\tnone\n"_s);

    ASSERT_EQ(tessel({u"shortcut"_s, u"clear"_s, u"togglePaper"_s}).code, 0);
    EXPECT_TRUE(hotKeys.bound().isEmpty());

    // What a desktop's own key binding runs where Tessel cannot bind keys itself.
    ASSERT_EQ(tessel({u"shortcut"_s, u"run"_s, u"togglePaper"_s}).code, 0);
    EXPECT_FALSE(settings().enabled);
}

// A second launch asks the running Tessel to reopen, which without a panel icon shows the
// popover's controls in a window, and exits.
TEST_F(RemoteCommands, ASecondLaunchReopensAndExits) {
    const ChildRun again = tessel({});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_TRUE(app->tray().popover().isVisible());
}

// Shutting down gives the name up before anything is torn down, so commands stop finding it;
// shortcuts set then wait in the defaults for the next start.
TEST_F(RemoteCommands, WithoutTesselTheyFailAndShortcutsWaitInTheDefaults) {
    ASSERT_EQ(tessel({u"status"_s}).code, 0);
    app->shutDown();
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

// What the desktop's automation sends: the same intents, each action's value checked.
TEST_F(RemoteCommands, BusActionsTakeTheirDefaultsAndRefuseWhatTheyCannotTake) {
    ASSERT_EQ(action(u"snooze"_s, u"[]"_s).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     Intents::defaultSnooze * 60);
    const Settings before = settings();
    // Each action, its value and what the refusal says.
    const std::tuple<const char*, const char*, const char*> refused[] = {
        {"set-paper", "[<('graph', 59)>]", "Weight must be from 60 to 300 gsm, not 59."},
        {"set-paper", "[<('graph', 301)>]", "Weight must be from 60 to 300 gsm, not 301."},
        {"set-paper", "[<('mine', 120)>]", "There is no paper \"mine\"."},
        {"snooze", "[<0>]", "Minutes must be from 1 to 720, not 0."},
        {"snooze", "[<'ten'>]", "The action \"snooze\" takes one value of type i."},
        {"set-focus-filter", "[<(true, 'Felt')>]", "There is no paper \"Felt\"."},
        {"set-paper-on", "[<1>]", "takes one value of type b"},
        {"lay-it-down", "[]", "Tessel has no action \"lay-it-down\""},
    };
    for (const auto& [name, parameter, message] : refused) {
        const ChildRun run = action(QString::fromLatin1(name), QString::fromLatin1(parameter));
        EXPECT_NE(run.code, 0) << parameter;
        EXPECT_TRUE(run.err.contains(u"org.freedesktop.DBus.Error.InvalidArgs"_s)) << run.err;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(message))) << run.err;
    }
    EXPECT_EQ(settings(), before);
    EXPECT_FALSE(app->store().focusFilter());
}

// Papers go to the running Tessel from the command line and as the desktop opens them, all of
// them or, when any is not a paper, none.
TEST_F(RemoteCommands, PapersAreImportedByTheRunningTesselAllOrNone) {
    const QString path = write(u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    const QString bad = write(u"bad.tessel"_s, "paper");
    const auto open = [this](const QStringList& uris) {
        return gdbus(u"org.freedesktop.Application.Open"_s,
                     {u"['%1']"_s.arg(uris.join(u"', '"_s)), u"{}"_s});
    };
    const ChildRun refused =
        open({QUrl::fromLocalFile(path).toString(), QUrl::fromLocalFile(bad).toString()});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(u"InvalidArgs"_s)) << refused.err;
    EXPECT_TRUE(refused.err.contains(u"%1 is not a Tessel paper"_s.arg(bad)));
    const ChildRun remote = open({u"https://example.com/a.tessel"_s});
    EXPECT_TRUE(remote.err.contains(u"is not a file"_s)) << remote.err;
    EXPECT_TRUE(settings().customPapers.isEmpty());

    const ChildRun imported = tessel({u"import"_s, path});
    ASSERT_EQ(imported.code, 0) << imported.err;
    ASSERT_EQ(settings().customPapers.size(), 1);
    EXPECT_EQ(imported.out, settings().customPapers[0].id + u'\n');

    // As the file manager starts it for several files.
    const ChildRun opened = tessel({path, path});
    ASSERT_EQ(opened.code, 0) << opened.err;
    const QList<CustomPaper> papers = settings().customPapers;
    ASSERT_EQ(papers.size(), 3);
    EXPECT_EQ(opened.out, papers[1].id + u'\n' + papers[2].id + u'\n');
    EXPECT_TRUE(waitFor([&] { return app->store().previews().contains(papers[2].id); }));
}

} // namespace
} // namespace tessel
