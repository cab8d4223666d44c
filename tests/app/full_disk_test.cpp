#include "AppTest.h"

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

using FullDisk = AppTest;

TEST_F(FullDisk, KeepsTheOldFileAndSaysWhyThenSucceedsOnceThereIsRoom) {
    if (runChild(u"unshare"_s, {u"-m"_s, u"true"_s}).code != 0) {
        GTEST_SKIP() << "no private mount namespace here";
    }
    const QString seed =
        write(u"seed.json"_s, R"({"settings": {"sounds": true, "onboarded": true}, "other": [1]})");
    const std::pair<const char*, QStringList> cases[] = {
        {"defaults.json", {u"settings"_s, u"set"_s, u"sounds"_s, u"false"_s}},
        {"paper.tessel", {u"export-paper"_s, u"kozo"_s, u"$FOLDER/paper.tessel"_s}},
    };
    for (const auto& [target, command] : cases) {
        SCOPED_TRACE(target);
        const QString folder = dir.filePath(QString::fromLatin1(target) + u".full"_s);
        ASSERT_TRUE(QDir().mkpath(folder));
        QStringList arguments{u"-m"_s,
                              u"sh"_s,
                              u"-c"_s,
                              QString::fromLatin1(fullDiskScript),
                              u"full-disk"_s,
                              folder,
                              seed,
                              QString::fromLatin1(target),
                              QStringLiteral(TESSEL_BINARY)};
        for (QString argument : command) {
            arguments << argument.replace(u"$FOLDER"_s, folder);
        }
        const ChildRun run = runChild(u"unshare"_s, arguments);
        if (run.code == 77) {
            GTEST_SKIP() << "cannot mount a tmpfs here";
        }
        const QStringList facts = run.out.split(u'\n', Qt::SkipEmptyParts);
        EXPECT_TRUE(facts.contains(u"full: exit 1"_s)) << run.out;
        EXPECT_TRUE(facts.contains(u"full: kept"_s)) << run.out;
        EXPECT_TRUE(run.err.contains(u"No space left on device"_s)) << run.err;
        EXPECT_TRUE(facts.contains(u"room: exit 0"_s)) << run.err;
        EXPECT_TRUE(facts.contains(u"room: written"_s));
        EXPECT_FALSE(run.out.contains(u"stray: "_s)) << run.out;
    }
}

} // namespace
} // namespace tessel
