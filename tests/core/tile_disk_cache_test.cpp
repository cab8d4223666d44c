#include "WaitFor.h"
#include "core/PaperCache.h"
#include "core/TileDiskCache.h"
#include "support/Files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

namespace tessel {
namespace {

constexpr int smallTile = 16;
const Recipe kozo = Paper::builtIn().at(0).recipe;
const TileKey dayKozo = TileKey::of(kozo, 120, false);

QImage patternTile(int size, int shade) {
    QImage tile(size, size, QImage::Format_RGBA8888_Premultiplied);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            tile.setPixel(x, y, qRgba((x * 7 + shade) % 128, (y * 5) % 128, shade % 128, 128));
        }
    }
    return tile;
}

qint64 folderBytes(const QString& path) {
    qint64 total = 0;
    for (const QFileInfo& file : QDir(path).entryInfoList(QDir::Files)) {
        total += file.size();
    }
    return total;
}

TEST(TileDiskCache, GivesBackWhatItKeptForTheSameKeyOnly) {
    QTemporaryDir folder;
    const TileDiskCache cache(folder.path());
    const QImage tile = patternTile(smallTile, 3);
    cache.write(dayKozo, tile);

    EXPECT_EQ(cache.read(dayKozo, smallTile), tile);
    EXPECT_FALSE(cache.read(TileKey::of(kozo, 120, true), smallTile));
    EXPECT_FALSE(cache.read(TileKey::of(kozo, 121, false), smallTile));
    EXPECT_FALSE(cache.read(dayKozo, smallTile * 2));

    const TileDiskCache nextEngine(folder.path(), TileDiskCache::defaultByteLimit,
                                   paperEngineVersion + 1);
    EXPECT_FALSE(nextEngine.read(dayKozo, smallTile));
}

// Each damage is done to a good file; the read misses and the file is gone.
TEST(TileDiskCache, RefusesAndRemovesDamagedFiles) {
    const std::vector<std::pair<const char*, std::function<void(QByteArray&)>>> damages{
        {"truncated", [](QByteArray& bytes) { bytes.chop(1); }},
        {"one pixel flipped", [](QByteArray& bytes) { bytes[bytes.size() - 5] ^= 0x40; }},
        {"header flipped", [](QByteArray& bytes) { bytes[2] ^= 0x01; }},
        {"longer", [](QByteArray& bytes) { bytes.append('x'); }},
        {"foreign", [](QByteArray& bytes) { bytes = QByteArrayLiteral("{\"not\": \"a tile\"}"); }},
        {"empty", [](QByteArray& bytes) { bytes.clear(); }},
    };
    for (const auto& [name, damage] : damages) {
        SCOPED_TRACE(name);
        QTemporaryDir folder;
        const TileDiskCache cache(folder.path());
        cache.write(dayKozo, patternTile(smallTile, 9));
        const QString path = cache.pathOf(dayKozo, smallTile);
        QByteArray bytes = test::readFile(path);
        damage(bytes);
        ASSERT_TRUE(test::writeFile(path, bytes));

        EXPECT_FALSE(cache.read(dayKozo, smallTile));
        EXPECT_FALSE(QFile::exists(path));
    }
}

void setLastUse(const QString& path, QDateTime when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST(TileDiskCache, KeepsWithinItsLimitDroppingTheLeastRecentlyUsed) {
    QTemporaryDir folder;
    constexpr int keptFiles = 4;
    const qint64 oneFile = [&] {
        const TileDiskCache probe(folder.path());
        probe.write(dayKozo, patternTile(smallTile, 0));
        return folderBytes(folder.path());
    }();
    const TileDiskCache cache(folder.path(), oneFile * keptFiles);
    const QDateTime now = QDateTime::currentDateTime();
    setLastUse(cache.pathOf(dayKozo, smallTile), now.addSecs(-90 * 60));
    std::vector<TileKey> keys;
    for (int hoursAgo = 1; hoursAgo < keptFiles; ++hoursAgo) {
        keys.push_back(TileKey::of(kozo, 100 + hoursAgo, false));
        cache.write(keys.back(), patternTile(smallTile, hoursAgo));
        setLastUse(cache.pathOf(keys.back(), smallTile), now.addSecs(-3600 * hoursAgo));
    }
    ASSERT_TRUE(cache.read(keys[2], smallTile)); // the oldest, used just now

    const TileKey newest = TileKey::of(kozo, 200, false);
    cache.write(newest, patternTile(smallTile, 200));
    EXPECT_LE(folderBytes(folder.path()), oneFile * keptFiles);
    EXPECT_FALSE(cache.read(keys[1], smallTile));
    for (const TileKey& kept : {dayKozo, keys[0], keys[2], newest}) {
        EXPECT_TRUE(cache.read(kept, smallTile)) << kept.gsm;
    }
}

TEST(PaperCacheOnDisk, ALaunchWithAKeptTileSynthesisesNothing) {
    QTemporaryDir folder;
    QImage made;
    {
        PaperCache first(folder.path());
        EXPECT_FALSE(first.tile(kozo, 120, false));
        ASSERT_TRUE(waitFor([&] { return first.tile(kozo, 120, false).has_value(); }));
        made = *first.tile(kozo, 120, false);
    } // waits for the write

    PaperCache next(folder.path());
    QSignalSpy arrivals(&next, &PaperCache::paperArrived);
    EXPECT_FALSE(next.tile(kozo, 120, false));
    ASSERT_TRUE(waitFor([&] { return arrivals.count() > 0; }));
    EXPECT_FALSE(next.isGenerating(kozo));
    EXPECT_FALSE(next.hasHeightField(kozo));
    EXPECT_EQ(next.tile(kozo, 120, false), made);
}

} // namespace
} // namespace tessel
