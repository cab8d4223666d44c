#include "app/CommandLine.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

struct Outcome {
    std::optional<int> code;
    QString out;
    QString err;
};

Outcome run(const QStringList& args) {
    Outcome result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.code = runCommandLine(args, out, err);
    out.flush();
    err.flush();
    return result;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class CommandLine : public ::testing::Test {
protected:
    CommandLine() { qputenv("TESSEL_CONFIG_DIR", dir.path().toLocal8Bit()); }
    ~CommandLine() override { qunsetenv("TESSEL_CONFIG_DIR"); }
    QTemporaryDir dir;
};

TEST_F(CommandLine, NoArgumentsStartsTheApplication) {
    EXPECT_FALSE(run({}).code);
}

TEST_F(CommandLine, SettingsShowPrintsWhatTheReaderMakesOfAFile) {
    const QString path = dir.filePath(QStringLiteral("doc.json"));
    write(path, R"({"enabled": false, "rulerHeight": "tall", "unknown": 1})");
    const Outcome shown =
        run({QStringLiteral("settings"), QStringLiteral("show"), QStringLiteral("--file"), path});
    EXPECT_EQ(shown.code, 0);
    EXPECT_TRUE(shown.out.startsWith(QStringLiteral("{\"enabled\":false,\"day\":")));
    EXPECT_TRUE(shown.out.contains(QStringLiteral("\"rulerHeight\":46.0")));
    EXPECT_FALSE(shown.out.contains(QStringLiteral("unknown")));
    EXPECT_EQ(shown.out.count(u'\n'), 1);

    write(path, "not json at all");
    const Outcome garbage =
        run({QStringLiteral("settings"), QStringLiteral("show"), QStringLiteral("--file"), path});
    EXPECT_EQ(garbage.code, 0);
    EXPECT_TRUE(garbage.out.startsWith(QStringLiteral("{\"enabled\":true,")));
}

TEST_F(CommandLine, UnreadableFileIsAnError) {
    const Outcome missing = run({QStringLiteral("settings"), QStringLiteral("show"),
                                 QStringLiteral("--file"), dir.filePath(QStringLiteral("none"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")));
}

TEST_F(CommandLine, SettingsShowWithoutFileReadsTheStoredSettings) {
    write(dir.filePath(QStringLiteral("defaults.json")), R"({"settings": {"onboarded": true}})");
    const Outcome shown = run({QStringLiteral("settings"), QStringLiteral("show")});
    EXPECT_TRUE(shown.out.contains(QStringLiteral("\"onboarded\":true")));
}

TEST_F(CommandLine, PaperListIncludesCustomPapersOneLineEach) {
    const QByteArray recipe = R"({"cloud": 1, "grain": 1, "tooth": 0, "toothSize": 24,
        "fibres": 0, "fibreDensity": 0, "fibreLength": 60, "fibreWidth": 0.8, "flecks": 0,
        "pattern": "none", "patternAmount": 0, "warmth": 0, "seed": 5})";
    write(dir.filePath(QStringLiteral("defaults.json")),
          R"({"settings": {"customPapers": [{"id": "mine", "name": "Mine", "recipe": )" + recipe +
              R"(}, {"id": "a\tb\nc\u001b[2J\\", "name": "Two\nlines", "recipe": )" + recipe +
              "}]}}");
    const QStringList lines =
        run({QStringLiteral("paper"), QStringLiteral("list")}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.first(), QStringLiteral("kozo\tKozo\tLong mulberry fibres, soft and even"));
    EXPECT_EQ(lines[12], QStringLiteral("mine\tMine\tYour paper"));
    EXPECT_EQ(lines.last(), QStringLiteral(R"(a\tb\nc\e[2J\\)") + u'\t' +
                                QStringLiteral("Two lines\tYour paper"));
}

TEST_F(CommandLine, UnknownCommandsAndExtraArgumentsAreErrors) {
    EXPECT_EQ(run({QStringLiteral("frobnicate")}).code, 1);
    EXPECT_EQ(run({QStringLiteral("paper"), QStringLiteral("list"), QStringLiteral("x")}).code, 1);
    EXPECT_EQ(
        run({QStringLiteral("settings"), QStringLiteral("show"), QStringLiteral("--file")}).code,
        1);
    EXPECT_EQ(run({QStringLiteral("--help")}).code, 0);
}

} // namespace
} // namespace tessel

namespace tessel {
namespace {

TEST_F(CommandLine, SettingsSetChangesOneFieldAndRefusesWhatDoesNotRead) {
    const auto set = [](const char* key, const char* value) {
        return run({QStringLiteral("settings"), QStringLiteral("set"), QString::fromLatin1(key),
                    QString::fromLatin1(value)});
    };
    EXPECT_EQ(set("onboarded", "true").code, 0);
    EXPECT_EQ(set("day", R"({"paper": "laid", "gsm": 90})").code, 0);
    EXPECT_EQ(set("schedule", R"({"mode": "custom"})").code, 1);
    EXPECT_EQ(set("rulerHeight", "tall").code, 1);
    EXPECT_EQ(set("colour", "1").code, 1);
    const QString shown = run({QStringLiteral("settings"), QStringLiteral("show")}).out;
    EXPECT_TRUE(shown.contains(QStringLiteral("\"onboarded\":true")));
    EXPECT_TRUE(shown.contains(QStringLiteral(R"("day":{"paper":"laid","gsm":90.0})")));
}

} // namespace
} // namespace tessel
