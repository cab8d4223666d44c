#include "core/PaperCache.h"

#include "paper/HeightField.h"
#include "paper/TileShading.h"

#include <QHashFunctions>

#include <cmath>

namespace tessel {

namespace {

// Tiles are for the screen the user looks at; previews can wait.
constexpr int tilePriority = 1;
constexpr int previewPriority = 0;
// Past this many tiles the cache starts over rather than tracking use.
constexpr qsizetype tileCacheLimit = 12;

} // namespace

TileKey TileKey::of(const Recipe& recipe, double gsm, bool night) {
    const double rounded = std::round(gsm); // halves away from zero
    const double bounded = std::clamp(rounded, -1e9, 1e9);
    return {recipe, static_cast<int>(std::isnan(bounded) ? 0 : bounded), night};
}

std::size_t qHash(const TileKey& key, std::size_t seed) noexcept {
    return qHashMulti(seed, key.recipe, key.gsm, key.night);
}

PaperCache::PaperCache() = default;

PaperCache::~PaperCache() {
    m_pool.clear(); // queued jobs are no longer wanted; running ones finish in m_pool's destructor
}

std::optional<QImage> PaperCache::tile(const Recipe& recipe, double gsm, bool night) {
    const TileKey key = TileKey::of(recipe, gsm, night);
    if (const auto cached = m_tiles.constFind(key); cached != m_tiles.cend()) {
        return *cached;
    }
    const auto field = m_heights.constFind(recipe);
    if (field == m_heights.cend()) {
        generate(recipe);
        return std::nullopt;
    }
    QImage shaded = shadeTile(*field, tileSize, night, gsm, recipe.warmth);
    if (shaded.isNull()) {
        return std::nullopt;
    }
    if (m_tiles.size() > tileCacheLimit) {
        m_tiles.clear();
    }
    m_tiles.insert(key, shaded);
    return shaded;
}

void PaperCache::generate(const Recipe& recipe) {
    if (m_generating.contains(recipe)) {
        return;
    }
    m_generating.insert(recipe);
    m_pool.start(
        [this, recipe] {
            std::vector<float> field = heightField(recipe, tileSize);
            QMetaObject::invokeMethod(
                this,
                [this, recipe, field = std::move(field)]() mutable {
                    m_generating.remove(recipe);
                    m_heights.insert(recipe, std::move(field));
                    Q_EMIT heightFieldArrived();
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
