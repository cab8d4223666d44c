#include "ChildRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

// Runs one tessel command with its config folder on a small, full tmpfs in a private mount
// namespace, then again once there is room. Prints what it found, one fact a line.
const char* const fullDiskScript = R"(
folder=$1; seed=$2; target=$3; tessel=$4; shift 4
mount -t tmpfs -o size=256k tmpfs "$folder" || exit 77
cp "$seed" "$folder/defaults.json"
cp "$seed" "$folder/$target"
cat /dev/zero > "$folder/filler" 2>/dev/null
TESSEL_CONFIG_DIR="$folder" "$tessel" "$@"
echo "full: exit $?"
cmp -s "$seed" "$folder/$target" && echo "full: kept"
ls -A "$folder" | grep -v -x -e defaults.json -e filler -e "$target" | sed 's/^/stray: /'
rm "$folder/filler"
TESSEL_CONFIG_DIR="$folder" "$tessel" "$@"
echo "room: exit $?"
cmp -s "$seed" "$folder/$target" || echo "room: written"
)";

struct FullDiskCase {
    const char* name;
    const char* target;
    QStringList command;
};

class FullDisk : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDisk, KeepsTheOldFileAndSaysWhyThenSucceedsOnceThereIsRoom) {
    if (runChild(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("true")}).code !=
        0) {
        GTEST_SKIP() << "no private mount namespace here";
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString seed = dir.filePath(QStringLiteral("seed.json"));
    QFile seedFile(seed);
    ASSERT_TRUE(seedFile.open(QIODevice::WriteOnly));
    seedFile.write(R"({"settings": {"sounds": true, "onboarded": true}, "other": [1, 2, 3]})");
    seedFile.close();

    QStringList arguments{QStringLiteral("-m"),
                          QStringLiteral("sh"),
                          QStringLiteral("-c"),
                          QString::fromLatin1(fullDiskScript),
                          QStringLiteral("full-disk"),
                          folder,
                          seed,
                          QString::fromLatin1(GetParam().target),
                          QStringLiteral(TESSEL_BINARY)};
    arguments += GetParam().command;
    for (QString& argument : arguments) {
        argument.replace(QStringLiteral("$FOLDER"), folder);
    }
    const ChildRun run = runChild(QStringLiteral("unshare"), arguments);
    if (run.code == 77) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    const QStringList facts = run.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(facts.contains(QStringLiteral("full: exit 1"))) << run.out.toStdString();
    EXPECT_TRUE(facts.contains(QStringLiteral("full: kept"))) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("No space left on device")))
        << run.err.toStdString();
    EXPECT_TRUE(facts.contains(QStringLiteral("room: exit 0"))) << run.err.toStdString();
    EXPECT_TRUE(facts.contains(QStringLiteral("room: written")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("stray: "))) << run.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullDisk,
    ::testing::Values(FullDiskCase{"SettingsSet",
                                   "defaults.json",
                                   {QStringLiteral("settings"), QStringLiteral("set"),
                                    QStringLiteral("sounds"), QStringLiteral("false")}},
                      FullDiskCase{"ExportPaper",
                                   "paper.tessel",
                                   {QStringLiteral("export-paper"), QStringLiteral("kozo"),
                                    QStringLiteral("$FOLDER/paper.tessel")}}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace tessel
