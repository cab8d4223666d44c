#include "platform/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using Json = UserDefaults::Json;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(UserDefaults, ValuesSurviveAReopenAndNothingElseIsLeftBehind) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("nested/tessel"));
    {
        UserDefaults defaults(folder);
        EXPECT_FALSE(defaults.value("settings"));
        ASSERT_TRUE(defaults.setValue("settings", Json{{"enabled", false}}));
        ASSERT_TRUE(defaults.setValue("lastUpdateCheck", 1234.5));
        ASSERT_TRUE(defaults.remove("lastUpdateCheck"));
    }
    const UserDefaults reopened(folder);
    EXPECT_EQ(reopened.value("settings"), (Json{{"enabled", false}}));
    EXPECT_FALSE(reopened.value("lastUpdateCheck"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("defaults.json")});
}

TEST(UserDefaults, KeysWrittenByAnotherProcessAreKept) {
    QTemporaryDir dir;
    UserDefaults first(dir.path());
    UserDefaults second(dir.path());
    ASSERT_TRUE(first.setValue("KeyboardShortcuts_toggle", false));
    ASSERT_TRUE(second.setValue("settings", Json::object()));
    EXPECT_TRUE(UserDefaults(dir.path()).value("KeyboardShortcuts_toggle"));
}

TEST(UserDefaults, UnparseableFileIsMovedAsideBeforeTheNextSave) {
    QTemporaryDir dir;
    UserDefaults defaults(dir.path());
    const QByteArray overflow(R"({"settings": {"customPapers": [{"recipe": {"cloud": 1e999}}]}})");
    for (const QByteArray& bad : {QByteArray("{\"settings\": {"), QByteArray("[1, 2]"), overflow}) {
        write(defaults.filePath(), bad);
        UserDefaults reopened(dir.path());
        EXPECT_FALSE(reopened.value("settings"));
        ASSERT_TRUE(reopened.setValue("settings", Json{{"onboarded", true}}));
        EXPECT_EQ(UserDefaults(dir.path()).value("settings"), (Json{{"onboarded", true}}));
    }
    const QStringList aside =
        QDir(dir.path())
            .entryList({QStringLiteral("defaults.json.unreadable-*")}, QDir::Files, QDir::Name);
    ASSERT_EQ(aside.size(), 3);
    QList<QByteArray> kept;
    for (const QString& name : aside) {
        kept << contents(dir.filePath(name));
    }
    EXPECT_TRUE(kept.contains("{\"settings\": {"));
    EXPECT_TRUE(kept.contains("[1, 2]"));
    EXPECT_TRUE(kept.contains(overflow));
}

TEST(UserDefaults, FolderThatCannotBeMadeReportsFailure) {
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("blocker")), "a file where the folder should be");
    UserDefaults defaults(dir.filePath(QStringLiteral("blocker/tessel")));
    EXPECT_FALSE(defaults.setValue("settings", 1));
}

TEST(UserDefaults, ConfigFolderCanBeForced) {
    qputenv("TESSEL_CONFIG_DIR", "/tmp/tessel-forced");
    EXPECT_EQ(UserDefaults::defaultDirectory(), QStringLiteral("/tmp/tessel-forced"));
    qunsetenv("TESSEL_CONFIG_DIR");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-home");
    EXPECT_EQ(UserDefaults::defaultDirectory(), QStringLiteral("/tmp/xdg-home/tessel"));
}

} // namespace
} // namespace tessel
