#include "AppTest.h"
#include "CommandTest.h"

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using CommandLine = CommandTest;

TEST_F(CommandLine, NoArgumentsStartsTheApplication) {
    EXPECT_FALSE(run({}).code);
}

TEST_F(CommandLine, SettingsShowPrintsWhatTheReaderMakesOfAFile) {
    const QString path =
        write(u"doc.json"_s, R"({"enabled": false, "rulerHeight": "tall", "unknown": 1})");
    const Outcome shown = run({u"settings"_s, u"show"_s, u"--file"_s, path});
    EXPECT_EQ(shown.code, 0);
    EXPECT_TRUE(shown.out.startsWith(u"{\"enabled\":false,\"day\":"_s));
    EXPECT_TRUE(shown.out.contains(u"\"rulerHeight\":46.0"_s));
    EXPECT_FALSE(shown.out.contains(u"unknown"_s));
    EXPECT_EQ(shown.out.count(u'\n'), 1);

    write(u"doc.json"_s, "not json at all");
    const Outcome garbage = run({u"settings"_s, u"show"_s, u"--file"_s, path});
    EXPECT_EQ(garbage.code, 0);
    EXPECT_TRUE(garbage.out.startsWith(u"{\"enabled\":true,"_s));
}

TEST_F(CommandLine, UnreadableFileIsAnError) {
    const Outcome missing = run({u"settings"_s, u"show"_s, u"--file"_s, dir.filePath(u"none"_s)});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains(u"Couldn't read"_s));

    const Outcome endless = run({u"settings"_s, u"show"_s, u"--file"_s, u"/dev/zero"_s});
    EXPECT_EQ(endless.code, 1);
    EXPECT_TRUE(endless.err.contains(u"larger than"_s)) << endless.err.toStdString();
}

TEST_F(CommandLine, SettingsShowWithoutFileReadsTheStoredSettings) {
    write(u"defaults.json"_s, R"({"settings": {"onboarded": true}})");
    const Outcome shown = run({u"settings"_s, u"show"_s});
    EXPECT_TRUE(shown.out.contains(u"\"onboarded\":true"_s));
}

TEST_F(CommandLine, PaperListIncludesCustomPapersOneLineEach) {
    const QByteArray recipe = R"({"cloud": 1, "grain": 1, "tooth": 0, "toothSize": 24,
        "fibres": 0, "fibreDensity": 0, "fibreLength": 60, "fibreWidth": 0.8, "flecks": 0,
        "pattern": "none", "patternAmount": 0, "warmth": 0, "seed": 5})";
    write(u"defaults.json"_s,
          R"({"settings": {"customPapers": [{"id": "mine", "name": "Mine", "recipe": )" + recipe +
              R"(}, {"id": "a\tb\nc\u001b[2J\\", "name": "Two\nlines", "recipe": )" + recipe +
              "}]}}");
    const QStringList lines = run({u"paper"_s, u"list"_s}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.first(), u"kozo\tKozo\tLong mulberry fibres, soft and even"_s);
    EXPECT_EQ(lines[12], u"mine\tMine\tYour paper"_s);
    EXPECT_EQ(lines.last(), uR"(a\tb\nc\e[2J\\)"_s + u'\t' + u"Two lines\tYour paper"_s);
}

TEST_F(CommandLine, UnknownCommandsAndExtraArgumentsAreMisuse) {
    EXPECT_EQ(run({u"frobnicate"_s}).code, 2);
    EXPECT_EQ(run({u"paper"_s, u"list"_s, u"x"_s}).code, 2);
    EXPECT_EQ(run({u"settings"_s, u"show"_s, u"--file"_s}).code, 2);
    EXPECT_EQ(run({u"--help"_s}).code, 0);
}

Outcome setSetting(const char* key, const char* value) {
    return CommandTest::run(
        {u"settings"_s, u"set"_s, QString::fromLatin1(key), QString::fromUtf8(value)});
}

TEST_F(CommandLine, SettingsSetChangesOneField) {
    EXPECT_EQ(setSetting("onboarded", "true").code, 0);
    EXPECT_EQ(setSetting("day", R"({"paper": "laid", "gsm": 90})").code, 0);
    EXPECT_EQ(setSetting("snoozedUntil", "812345678").code, 0);
    EXPECT_EQ(setSetting("snoozedUntil", "null").code, 0);
    const QString shown = run({u"settings"_s, u"show"_s}).out;
    EXPECT_TRUE(shown.contains(u"\"onboarded\":true"_s));
    EXPECT_TRUE(shown.contains(uR"("day":{"paper":"laid","gsm":90.0})"_s));
    EXPECT_FALSE(shown.contains(u"snoozedUntil"_s));
}

TEST_F(CommandLine, SettingsSetRefusesWhatTheSettingCannotTakeAndWritesNothing) {
    ASSERT_EQ(setSetting("onboarded", "true").code, 0);
    const QByteArray before = read(u"defaults.json"_s);
    const struct {
        const char* key;
        const char* value;
        const char* says;
    } refused[] = {
        {"day", R"({"paper": "kozo", "gsm": 1e308})", "gsm must be from 60 to 300"},
        {"day", R"({"paper": "nosuch", "gsm": 100})", "nosuch is not a paper"},
        {"day", R"({"paper": "kozo"})", R"(day must be an object with "paper" and "gsm")"},
        {"restEvery", R"("abc")", "restEvery must be a whole number"},
        {"restEvery", "35791395", "restEvery must be from 20 to 60"},
        {"art", R"({"enabled": true, "idleMinutes": 2147483647, "collections": []})",
         "idleMinutes must be from 1 to 30"},
        {"art", R"({"enabled": true, "idleMinutes": 5, "collections": [], "folder": "Pictures"})",
         "folder must be an absolute path"},
        {"schedule", R"({"mode": "custom"})", "schedule must be an object with"},
        {"lamp", R"({"id": "torch", "strength": 0.5})", "torch is not a lamp"},
        {"rulerHeight", "tall", "rulerHeight must be a number"},
        {"colour", "1", "colour is not a setting"},
    };
    for (const auto& [key, value, says] : refused) {
        const Outcome outcome = setSetting(key, value);
        EXPECT_EQ(outcome.code, 1) << key << ' ' << value;
        EXPECT_TRUE(outcome.err.contains(QString::fromUtf8(says))) << outcome.err.toStdString();
        EXPECT_EQ(read(u"defaults.json"_s), before) << key << ' ' << value;
    }
}

// Started outside any desktop: Tessel itself says so in one line instead of Qt's abort, and
// the commands that need no display still work.
TEST_F(CommandLine, WithoutADisplayOnlyTesselItselfRefusesToStart) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("TESSEL_CONFIG_DIR"), dir.path());
    // No Tessel answers on a bus that is not there, so import changes the stored settings.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-bus")));
    const auto tessel = [&](const QStringList& arguments) {
        return runChild(QStringLiteral(TESSEL_BINARY), arguments, environment);
    };

    const ChildRun started = tessel({});
    EXPECT_EQ(started.code, 1);
    EXPECT_TRUE(started.err.startsWith(u"tessel: no display")) << started.err.toStdString();
    EXPECT_EQ(started.err.count(u'\n'), 1) << started.err.toStdString();

    const QString document = dir.filePath(QStringLiteral("graph.tessel"));
    const QString preview = dir.filePath(QStringLiteral("preview.png"));
    for (const QStringList& command : {
             QStringList{QStringLiteral("settings"), QStringLiteral("show")},
             QStringList{QStringLiteral("paper"), QStringLiteral("list")},
             QStringList{QStringLiteral("export"), QStringLiteral("preview"),
                         QStringLiteral("kozo"), QStringLiteral("-o"), preview},
             QStringList{QStringLiteral("sun"), QStringLiteral("--place"), QStringLiteral("Oslo")},
             QStringList{QStringLiteral("export-paper"), QStringLiteral("graph"), document},
             QStringList{QStringLiteral("import"), document},
         }) {
        const ChildRun run = tessel(command);
        EXPECT_EQ(run.code, 0) << command.join(u' ').toStdString() << ": " << run.err.toStdString();
    }
}

} // namespace
} // namespace tessel
