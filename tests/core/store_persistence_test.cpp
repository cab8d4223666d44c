#include "MachineTest.h"

#include <QFile>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace tessel {
namespace {

using StorePersistence = MachineTest;

TEST_F(StorePersistence, ABurstOfChangesIsWrittenAtOnceAndAgainAfterTheLast) {
    Store& s = startStore();
    s.updateSettings([](Settings& x) { x.rulerHeight = 30; });
    EXPECT_EQ(savedSettings()->rulerHeight, 30);

    for (int height = 31; height <= 130; ++height) {
        s.updateSettings([height](Settings& x) { x.rulerHeight = height; });
    }
    EXPECT_EQ(savedSettings()->rulerHeight, 30);

    platform.advance(SettingsPersistence::writeSpacing);
    EXPECT_EQ(savedSettings()->rulerHeight, 130);
}

TEST_F(StorePersistence, FlushAndTheStoresEndWriteAWaitingChangeAtOnce) {
    Store& s = startStore();
    s.updateSettings([](Settings& x) { x.sounds = false; });
    s.updateSettings([](Settings& x) { x.haptics = false; });
    EXPECT_TRUE(savedSettings()->haptics);
    s.flushSettings();
    EXPECT_FALSE(savedSettings()->haptics);

    s.updateSettings([](Settings& x) { x.ruler = true; });
    store.reset();
    EXPECT_TRUE(savedSettings()->ruler);
}

TEST_F(StorePersistence, AFailedSaveKeepsTheChangeAndSaysSoUntilASaveSucceeds) {
    Store& s = startStore();
    // The settings folder turns into a file: no write can succeed, as on a full disk.
    const QString folder = dir.path();
    const QString movedAway = folder + u".away"_s;
    ASSERT_TRUE(QDir().rename(folder, movedAway));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    s.updateSettings([](Settings& x) { x.rest = true; });
    EXPECT_TRUE(s.settings().rest);
    EXPECT_EQ(s.status(), u"Couldn't save settings"_s);
    EXPECT_TRUE(s.saveError());

    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(movedAway, folder));
    platform.advance(SettingsPersistence::writeSpacing);
    s.updateSettings([](Settings& x) { x.ruler = true; });
    EXPECT_FALSE(s.saveError());
    EXPECT_NE(s.status(), u"Couldn't save settings"_s);
    EXPECT_TRUE(savedSettings()->rest);
    EXPECT_TRUE(savedSettings()->ruler);
}

// Writes Day and Night together, over and over, telling the parent after each write.
[[noreturn]] void writeForever(const QString& folder, int progress) {
    UserDefaults defaults(folder);
    Settings settings = settingsFromJson(*defaults.value("settings")).value();
    for (bool flip = false;; flip = !flip) {
        const QString paper = flip ? u"laid"_s : u"graph"_s;
        settings.day.paper = paper;
        settings.night.paper = paper;
        if (defaults.setValue("settings", toJson(settings))) {
            const char tick = 1;
            static_cast<void>(::write(progress, &tick, 1));
        }
    }
}

TEST(SettingsCrashSafety, AWriterKilledAtAnyMomentLeavesAWholeFile) {
    constexpr int kills = 200;
    constexpr int customPapers = 40;
    QTemporaryDir dir;
    Settings seeded;
    for (int i = 0; i < customPapers; ++i) {
        seeded.customPapers.append({u"custom-%1"_s.arg(i), u"P"_s, {}});
    }
    ASSERT_TRUE(UserDefaults(dir.path()).setValue("settings", toJson(seeded)));

    std::mt19937 random(7);
    for (int round = 0; round < kills; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            writeForever(dir.path(), pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        // Let the writer finish a few saves, so the kill lands somewhere inside a later one.
        char ticks[4];
        const auto wanted = static_cast<size_t>(random() % sizeof ticks);
        for (size_t got = 0; got < wanted;) {
            const ssize_t n = ::read(pipeEnds[0], ticks, wanted - got);
            ASSERT_GT(n, 0);
            got += static_cast<size_t>(n);
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(pipeEnds[0]);

        const UserDefaults reread(dir.path());
        ASSERT_FALSE(reread.unreadable()) << "round " << round;
        const Settings stored = settingsFromJson(*reread.value("settings")).value();
        ASSERT_EQ(stored.customPapers.size(), customPapers) << "round " << round;
        ASSERT_EQ(stored.day.paper, stored.night.paper) << "round " << round;
    }
    UserDefaults(dir.path()).removeAbandonedWrites();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"defaults.json"_s});
}

} // namespace
} // namespace tessel
