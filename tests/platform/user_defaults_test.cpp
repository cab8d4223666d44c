#include "Files.h"
#include "platform/UserDefaults.h"

#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using Json = UserDefaults::Json;

using test::readFile;
using test::writeFile;

TEST(UserDefaults, ValuesSurviveAReopenAndNothingElseIsLeftBehind) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"nested/tessel"_s);
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
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"defaults.json"_s});
}

TEST(UserDefaults, KeysWrittenByAnotherProcessAreKept) {
    QTemporaryDir dir;
    UserDefaults first(dir.path());
    UserDefaults second(dir.path());
    ASSERT_TRUE(first.setValue("KeyboardShortcuts_toggle", false));
    ASSERT_TRUE(second.setValue("settings", Json::object()));
    EXPECT_TRUE(UserDefaults(dir.path()).value("KeyboardShortcuts_toggle"));
}

QStringList setAside(const QString& folder) {
    return QDir(folder).entryList({u"defaults.json.unreadable-*"_s}, QDir::Files);
}

QByteArray nested(int depth) {
    return QByteArray("{\"settings\": ") + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
}

TEST(UserDefaults, UnreadableFilesAreMovedAsideWholeBeforeTheNextSave) {
    const struct {
        const char* what;
        QByteArray bytes;
    } unreadable[] = {
        {"not an object", "[1, 2]"},
        {"a number out of range", R"({"settings": {"customPapers": [{"cloud": 1e999}]}})"},
        {"not UTF-8", "{\"settings\": {\"day\": \"caf\xe9\"}}"},
        {"nested too deep", nested(300000)},
        {"larger than the cap",
         "{\"pad\": \"" + QByteArray(UserDefaults::maxFileBytes, 'x') + "\"}"},
    };
    for (const auto& [what, bytes] : unreadable) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        ASSERT_TRUE(writeFile(dir.filePath(u"defaults.json"_s), bytes));
        UserDefaults defaults(dir.path());
        EXPECT_TRUE(defaults.unreadable());
        EXPECT_FALSE(defaults.value("settings"));
        ASSERT_TRUE(defaults.setValue("settings", Json{{"onboarded", true}}));
        EXPECT_EQ(UserDefaults(dir.path()).value("settings"), (Json{{"onboarded", true}}));
        const QStringList aside = setAside(dir.path());
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(defaults.takeSetAsidePath(), dir.filePath(aside.first()));
        EXPECT_EQ(readFile(dir.filePath(aside.first())), bytes);
        // What a write killed midway left goes at the next start; the set-aside file stays.
        ASSERT_TRUE(writeFile(dir.filePath(u"defaults.json.a1B2c3"_s), "{\"half"));
        defaults.removeAbandonedWrites();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  (QStringList{u"defaults.json"_s, aside.first()}));
    }
}

TEST(UserDefaults, AFileThatCannotBeReadIsNeverReplacedNorMoved) {
    const struct {
        const char* what;
        std::function<void(const QString& path)> make;
    } inaccessible[] = {
        {"a dangling link",
         [](const QString& path) { ASSERT_TRUE(QFile::link(path + u".gone"_s, path)); }},
        {"a folder", [](const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); }},
    };
    for (const auto& [what, make] : inaccessible) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"defaults.json"_s);
        make(path);
        const QFileInfo before(path);
        UserDefaults defaults(dir.path());
        EXPECT_FALSE(defaults.setValue("settings", Json::object()));
        EXPECT_TRUE(defaults.lastError().value_or(QString()).contains(path));
        const QFileInfo after(path);
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.isDir(), before.isDir());
        EXPECT_TRUE(setAside(dir.path()).isEmpty());
    }
}

TEST(UserDefaults, ALinkedFileIsWrittenThroughTheLink) {
    QTemporaryDir dir;
    const QString real = dir.filePath(u"dotfiles/tessel.json"_s);
    ASSERT_TRUE(writeFile(real, R"({"kept": 1})"));
    const QString folder = dir.filePath(u"config"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(real, folder + u"/defaults.json"_s));

    ASSERT_TRUE(UserDefaults(folder).setValue("settings", Json{{"sounds", false}}));
    EXPECT_TRUE(QFileInfo(folder + u"/defaults.json"_s).isSymLink());
    EXPECT_EQ(Json::parse(readFile(real).toStdString()),
              (Json{{"kept", 1}, {"settings", {{"sounds", false}}}}));
}

// TESSEL_CONFIG_DIR, which wins, is how every end-to-end test keeps Tessel's settings apart.
TEST(UserDefaults, ConfigFolderFollowsTheXdgConfigHome) {
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-home");
    EXPECT_EQ(UserDefaults::defaultDirectory(), u"/tmp/xdg-home/tessel"_s);
}

} // namespace
} // namespace tessel
