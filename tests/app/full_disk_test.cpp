#include "AppTest.h"

namespace tessel {
namespace {

constexpr int cannotMount = 77;

// Runs one tessel command in its config folder on a small, full tmpfs in a private mount
// namespace, then again once there is room. Prints what it found, one fact a line.
const char* const fullDiskScript = R"(
folder=$1; seed=$2; target=$3; tessel=$4; shift 4
mkdir -p "$folder" && mount -t tmpfs -o size=256k tmpfs "$folder" && cd "$folder" || exit 77
cp "$seed" defaults.json
cp "$seed" "$target"
cat /dev/zero > filler 2>/dev/null
TESSEL_CONFIG_DIR="$folder" "$tessel" "$@"
echo "full: exit $?"
cmp -s "$seed" "$target" && echo "full: kept"
ls -A | grep -v -x -e defaults.json -e filler -e "$target" | sed 's/^/stray: /'
rm filler
TESSEL_CONFIG_DIR="$folder" "$tessel" "$@"
echo "room: exit $?"
cmp -s "$seed" "$target" || echo "room: written"
)";

using FullDisk = AppTest;

TEST_F(FullDisk, KeepsTheOldFileAndSaysWhyThenSucceedsOnceThereIsRoom) {
    // Where this cannot run, a lost file would go unnoticed: fail rather than skip.
    ASSERT_EQ(runChild(u"unshare"_s, {u"-m"_s, u"true"_s}).code, 0)
        << "cannot make a private mount namespace; run the tests as root, as CI does";
    const QString seed =
        write(u"seed.json"_s, R"({"settings": {"sounds": true, "onboarded": true}, "other": [1]})");
    const std::pair<const char*, QStringList> cases[] = {
        {"defaults.json", {u"settings"_s, u"set"_s, u"sounds"_s, u"false"_s}},
        {"paper.tessel", {u"export-paper"_s, u"kozo"_s, u"paper.tessel"_s}},
    };
    for (const auto& [target, command] : cases) {
        SCOPED_TRACE(target);
        const QString folder = dir.filePath(QString::fromLatin1(target) + u".full"_s);
        const ChildRun run = runChild(
            u"unshare"_s,
            QStringList{u"-m"_s, u"sh"_s, u"-c"_s, QString::fromLatin1(fullDiskScript), u"sh"_s,
                        folder, seed, QString::fromLatin1(target), QStringLiteral(TESSEL_BINARY)} +
                command);
        ASSERT_NE(run.code, cannotMount) << "cannot mount a tmpfs in a private mount namespace";
        EXPECT_EQ(run.out.split(u'\n', Qt::SkipEmptyParts),
                  (QStringList{u"full: exit 1"_s, u"full: kept"_s, u"room: exit 0"_s,
                               u"room: written"_s}))
            << run.err;
        EXPECT_TRUE(run.err.contains(u"No space left on device"_s)) << run.err;
    }
}

} // namespace
} // namespace tessel
