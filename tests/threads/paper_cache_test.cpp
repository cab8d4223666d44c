#include "MachineTest.h"
#include "core/PaperCache.h"
#include "paper/HeightField.h"

#include <QSignalSpy>
#include <QThreadPool>

namespace tessel {
namespace {

const Recipe kozo = Paper::builtIn().at(0).recipe;
const Recipe felt = Paper::find(u"felt"_s, {}).recipe;

// The day tile once shaded, from a field the cache has or makes.
QImage shadedTile(PaperCache& cache, const Recipe& recipe, double gsm) {
    std::optional<QImage> tile;
    waitFor([&] { return (tile = cache.tile(recipe, gsm, false)).has_value(); });
    return tile.value_or(QImage());
}

// The app synthesises on pool threads, the commands on the main thread: the same bits.
TEST(HeightField, SameBitsOnAnyThread) {
    std::vector<float> pooled;
    QThreadPool::globalInstance()->start([&] { pooled = heightField(kozo, 1024); });
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(heightField(kozo, 1024), pooled);
}

// The cache's tests show 119.6 and 120.4 sharing a tile and 120.5 having its own.
TEST(TileKey, RoundsTheWeightHalvesAwayFromZero) {
    EXPECT_EQ(TileKey::of(kozo, -0.5, false).gsm, -1);
    Recipe reseeded = kozo;
    reseeded.seed += 1;
    EXPECT_NE(TileKey::of(kozo, 120, false), TileKey::of(reseeded, 120, false));
}

TEST(PaperCacheTiles, OneJobPerRecipeThenTilesShadedFromTheField) {
    PaperCache cache;
    QSignalSpy arrivals(&cache, &PaperCache::paperArrived);
    EXPECT_FALSE(cache.tile(kozo, 120, false));
    EXPECT_TRUE(cache.isGenerating(kozo));
    EXPECT_FALSE(cache.tile(kozo, 150, true));
    ASSERT_TRUE(waitFor([&] { return arrivals.count() > 0; }));
    EXPECT_FALSE(waitFor([&] { return arrivals.count() > 1; }, std::chrono::milliseconds(200)));
    EXPECT_FALSE(cache.isGenerating(kozo));

    const QImage day = shadedTile(cache, kozo, 120.4);
    EXPECT_EQ(day.size(), QSize(1024, 1024));
    EXPECT_EQ(cache.tile(kozo, 119.6, false)->cacheKey(), day.cacheKey());
    EXPECT_NE(shadedTile(cache, kozo, 120.5).cacheKey(), day.cacheKey());
}

TEST(PaperCacheTiles, PastTwoTilesTheLeastRecentlyUsedGoes) {
    PaperCache cache;
    cache.tile(kozo, 60, false);
    ASSERT_TRUE(waitFor([&] { return cache.hasHeightField(kozo); }));
    QHash<int, qint64> shaded;
    for (const int gsm : {60, 61, 60, 62}) {
        shaded.insert(gsm, shadedTile(cache, kozo, gsm).cacheKey());
    }
    EXPECT_EQ(cache.tile(kozo, 60, false)->cacheKey(), shaded.value(60)) << "used again: kept";
    EXPECT_NE(shadedTile(cache, kozo, 61).cacheKey(), shaded.value(61)) << "oldest: shaded anew";
}

// Jobs still running when the cache goes are waited for, and deliver nothing.
TEST(PaperCacheTiles, ACacheGoingWhileItsJobsRunWaitsForThem) {
    PaperCache cache;
    cache.tile(kozo, 120, false);
    cache.tile(felt, 120, true);
    cache.makePreviews(Paper::builtIn().mid(0, 3));
}

TEST(PaperCachePreviews, EveryPaperGetsOneAndTheyCanBeReplaced) {
    PaperCache cache;
    const QList<Paper> papers = Paper::builtIn();
    cache.makePreviews(papers);
    ASSERT_TRUE(waitFor([&] { return cache.previews().size() == papers.size(); }));
    const QImage graph = cache.previews().value(u"graph"_s);
    EXPECT_EQ(graph.size(), QSize(256, 256));
    EXPECT_EQ(graph.format(), QImage::Format_Grayscale8);

    QSignalSpy changes(&cache, &PaperCache::previewsChanged);
    cache.setPreview(u"graph"_s, std::nullopt);
    EXPECT_FALSE(cache.previews().contains(u"graph"_s));
    cache.setPreview(u"graph"_s, std::nullopt);
    EXPECT_EQ(changes.count(), 1);
    cache.makePreviews(papers);
    ASSERT_TRUE(waitFor([&] { return cache.previews().contains(u"graph"_s); }));
}

using CachedStore = MachineTest;

TEST_F(CachedStore, ScreensWaitForTheirFieldAndRefreshWhenItArrives) {
    startStore();
    EXPECT_EQ(overlay->lastSync.pending, QSet<QString>{u"A"_s});
    EXPECT_TRUE(overlay->lastSync.tiles.isEmpty());
    ASSERT_TRUE(waitFor([&] { return overlay->lastSync.tiles.contains(u"A"_s); }));
    EXPECT_TRUE(overlay->lastSync.pending.isEmpty());
    ASSERT_TRUE(waitFor([&] { return store->previews().size() == 12; }));
}

TEST_F(CachedStore, SwitchingPaperDropsTheOldFieldAtTheNextRefresh) {
    Store& s = startStore();
    ASSERT_TRUE(waitFor([&] { return s.cache().hasHeightField(kozo); }));
    s.setEditedSlot(Slot{u"felt"_s, 120});
    EXPECT_FALSE(s.cache().hasHeightField(kozo));
    EXPECT_TRUE(s.cache().isGenerating(felt));
    EXPECT_TRUE(waitFor([&] { return s.cache().hasHeightField(felt); })) << "kept as it arrives";
}

} // namespace
} // namespace tessel
