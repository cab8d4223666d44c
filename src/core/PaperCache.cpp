#include "core/PaperCache.h"

#include "paper/HeightField.h"
#include "paper/TileShading.h"

#include <QHashFunctions>

#include <cmath>
#include <malloc.h>

namespace tessel {

namespace {

// Tiles are for the screen the user looks at; previews can wait.
constexpr int tilePriority = 1;
constexpr int previewPriority = 0;
// Tiles are kept as windows paint them, so that no window needs a converted copy of its own.
constexpr QImage::Format paintedFormat = QImage::Format_ARGB32_Premultiplied;
// The paper on screen and the one before it; others read back from disk quickly.
constexpr qsizetype tileCacheLimit = 2;

} // namespace

PaperCache::PaperCache(std::optional<QString> cacheDirectory) {
    m_diskWrites.setMaxThreadCount(1);
    if (cacheDirectory) {
        m_disk.emplace(*cacheDirectory + QStringLiteral("/tiles"));
    }
}

PaperCache::~PaperCache() {
    m_pool.clear(); // queued jobs are no longer wanted; running ones finish in m_pool's destructor
}

std::optional<QImage> PaperCache::tile(const Recipe& recipe, double gsm, bool night) {
    const TileKey key = TileKey::of(recipe, gsm, night);
    if (const auto cached = m_tiles.constFind(key); cached != m_tiles.cend()) {
        m_recent.removeOne(key);
        m_recent.append(key);
        return *cached;
    }
    if (const auto field = m_heights.constFind(recipe); field != m_heights.cend()) {
        shade(key, *field);
        return std::nullopt;
    }
    if (m_disk && !m_notOnDisk.contains(key)) {
        load(key);
    } else {
        generate(recipe);
    }
    return std::nullopt;
}

// Shaded at the rounded weight, so that a tile read from disk is the one shading would make.
void PaperCache::shade(const TileKey& key, const SharedField& field) {
    if (m_shading.contains(key)) {
        return;
    }
    m_shading.insert(key);
    m_pool.start(
        [this, key, field] {
            const QImage shaded =
                shadeTile(*field, tileSize, key.night, key.gsm, key.recipe.warmth);
            if (m_disk && !shaded.isNull()) {
                m_diskWrites.start([disk = *m_disk, key, shaded] { disk.write(key, shaded); });
            }
            QMetaObject::invokeMethod(
                this,
                [this, key, painted = shaded.convertToFormat(paintedFormat)] {
                    m_shading.remove(key);
                    // Without memory for the tile the screen waits; asking again would loop.
                    if (painted.isNull()) {
                        return;
                    }
                    remember(key, painted);
                    releaseScratch();
                    Q_EMIT paperArrived();
                },
                Qt::QueuedConnection);
        },
        tilePriority);
}

void PaperCache::remember(const TileKey& key, const QImage& tile) {
    m_tiles.insert(key, tile);
    m_recent.removeOne(key);
    m_recent.append(key);
    while (m_recent.size() > tileCacheLimit) {
        m_tiles.remove(m_recent.takeFirst());
    }
}

// Synthesis leaves its scratch memory free but resident in the threads' malloc arenas; once a
// burst of work is over, it goes back to the system, off the main thread.
void PaperCache::releaseScratch() {
    if (m_generating.isEmpty() && m_loading.isEmpty() && m_shading.isEmpty()) {
        m_diskWrites.start([] { malloc_trim(0); });
    }
}

void PaperCache::load(const TileKey& key) {
    if (m_loading.contains(key)) {
        return;
    }
    m_loading.insert(key);
    m_pool.start(
        [this, disk = *m_disk, key] {
            std::optional<QImage> tile = disk.read(key, tileSize);
            if (tile) {
                *tile = tile->convertToFormat(paintedFormat);
            }
            QMetaObject::invokeMethod(
                this,
                [this, key, tile = std::move(tile)] {
                    m_loading.remove(key);
                    if (tile) {
                        remember(key, *tile);
                    } else {
                        m_notOnDisk.insert(key);
                    }
                    releaseScratch();
                    Q_EMIT paperArrived();
                },
                Qt::QueuedConnection);
        },
        tilePriority);
}

void PaperCache::generate(const Recipe& recipe) {
    if (m_generating.contains(recipe)) {
        return;
    }
    m_generating.insert(recipe);
    m_pool.start(
        [this, recipe] {
            auto field = std::make_shared<const std::vector<float>>(heightField(recipe, tileSize));
            QMetaObject::invokeMethod(
                this,
                [this, recipe, field] {
                    m_generating.remove(recipe);
                    m_heights.insert(recipe, field);
                    releaseScratch();
                    Q_EMIT paperArrived();
                },
                Qt::QueuedConnection);
        },
        tilePriority);
}

void PaperCache::pruneHeights(const QSet<Recipe>& inUse) {
    m_heights.removeIf([&](const auto& entry) {
        return !inUse.contains(entry.key()) && !m_generating.contains(entry.key());
    });
}

void PaperCache::makePreviews(const QList<Paper>& papers) {
    for (const Paper& paper : papers) {
        if (m_previews.contains(paper.id)) {
            continue;
        }
        m_pool.start(
            [this, id = paper.id, recipe = paper.recipe] {
                const std::vector<float> field = heightField(recipe, previewSize);
                QImage preview = previewImage(field, previewSize);
                if (preview.isNull()) {
                    return;
                }
                QMetaObject::invokeMethod(
                    this, [this, id, preview] { setPreview(id, preview); }, Qt::QueuedConnection);
            },
            previewPriority);
    }
}

void PaperCache::setPreview(const QString& paperId, std::optional<QImage> preview) {
    if (preview) {
        m_previews.insert(paperId, *preview);
    } else if (!m_previews.remove(paperId)) {
        return;
    }
    Q_EMIT previewsChanged();
}

} // namespace tessel
